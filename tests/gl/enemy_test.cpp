#include "app/Frame.h"
#include "app/Game.h"
#include "core/Gl.h"
#include "support/Fleet.h"
#include "support/GlTest.h"
#include "support/Pictures.h"
#include "support/SavedGame.h"
#include "world/TexturesGl.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// High above the valley looking level along -z: the world is out of view, so a frame shows the enemies a
// few units ahead against the clear colour. A white light from the eye lets colours show as they are.
class EnemyGl : public testing::Test {
protected:
    static void SetUpTestSuite() { loadTextureGroup(TextureGroup::Scene, game.sceneTextures); }
    void SetUp() override {
        reshape(800, 600);
        game.playerPos = {0.0, 5000.0, 0.0};
        game.enemyFleet = EnemyFleet();
    }
    void TearDown() override { game.enemyFleet = EnemyFleet(); }

    // An enemy at a place in front of the camera, its spawn ball already shown and forgotten.

    const SavedGame savedGame;
    const PlainLight light;
};

bool reddish(const cv::Scalar& bgr) {
    return bgr[2] > bgr[0] + 40;
}

} // namespace

TEST_F(EnemyGl, AnEnemyIsARedBallAtItsPlaceWithItsOwnBubbleTexture) {
    placeEnemy(1.0f, 5000.0f, -10.0f); // right of the centre by 1 unit at 10 ahead: about 72 pixels
    const cv::Mat frame = renderFrame();
    EXPECT_TRUE(reddish(meanColour(frame, {462, 292, 16, 16}))) << "no red ball right of the centre";
    EXPECT_FALSE(reddish(meanColour(frame, {322, 292, 16, 16}))) << "a red ball left of the centre";

    // The trail is drawn with a texture of the enemy's own, not the submarine's; a dropped enemy's
    // texture is deleted by the next frame.
    const unsigned int own = game.enemyFleet.enemies[0].bubbleTexture;
    EXPECT_TRUE(glIsTexture(own));
    EXPECT_NE(own, game.sceneTextures[kBubbleTexture]);
    placeEnemy(-1.0f, 5000.0f, -10.0f);
    renderFrame();
    EXPECT_NE(game.enemyFleet.enemies[1].bubbleTexture, own);
    game.enemyFleet.enemies.front().position.z = -500.0f; // out of range: the next update drops it
    game.enemyFleet.update(0.0f, 5000.0f, 0.0f, game.effects);
    ASSERT_EQ(game.enemyFleet.enemies.size(), 1u);
    renderFrame();
    EXPECT_FALSE(glIsTexture(own)) << "the dropped enemy's texture leaked";
}

TEST_F(EnemyGl, TrailBubblesShowWithTheEnemysTexture) {
    Enemy& enemy = placeEnemy(0.0f, 4999.5f, -4.0f);
    const cv::Mat bare = renderFrame();
    std::srand(3);
    for (int k = 0; k < 40; ++k)
        enemy.emitter.update(0.0f, 4999.5f, -4.0f);
    const cv::Mat trail = renderFrame();
    // Bubbles rise from the ball's centre, above it on screen.
    EXPECT_GT(cv::countNonZero(changes(bare, trail, {340, 150, 120, 120})), 200) << "no bubbles above";
    EXPECT_EQ(cv::countNonZero(changes(bare, trail, {0, 0, 250, 600})), 0) << "bubbles far to the side";
}

TEST_F(EnemyGl, AHitFlashesRedInTheNextFrameOnly) {
    const cv::Rect view(100, 100, 600, 300);
    const cv::Scalar before = meanColour(renderFrame(), view);
    Enemy& enemy = placeEnemy(0.0f, 5000.0f, -20.0f);
    std::srand(1);
    int hits = 0;
    for (int shot = 0; shot < 50 && hits == 0; ++shot)
        hits = enemy.shoot(0.0f, 5000.0f, 0.0f, game.effects);
    ASSERT_EQ(hits, 1);
    enemy.bullets.clear();
    const cv::Scalar flash = meanColour(renderFrame(), view);
    EXPECT_GT(flash[2], before[2] + 15.0) << "the red flash around the submarine is missing";
    EXPECT_NEAR(meanColour(renderFrame(), view)[2], before[2], 2.0) << "the flash outlived its frame";
}
