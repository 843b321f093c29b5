#include "app/Frame.h"
#include "app/Game.h"
#include "app/TimerCallbacks.h"
#include "core/Gl.h"
#include "support/Fleet.h"
#include "support/GlTest.h"
#include "support/Pictures.h"
#include "support/SavedGame.h"
#include "world/TexturesGl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// High above the valley looking level along -z, with the HUD: the world is out of view, so what shows
// ahead is the fight against the clear colour. Overlay x -1..1 runs over pixels 0..800, y 1..-1 over 0..600.
class WeaponsGl : public testing::Test {
protected:
    static void SetUpTestSuite() {
        loadTextureGroup(TextureGroup::Scene, game.sceneTextures);
        loadTextureGroup(TextureGroup::Hud, game.hudTextures);
    }
    void SetUp() override {
        reshape(800, 600);
        game.playerPos = {0.0, 5000.0, 0.0};
        game.weaponSystem = WeaponSystem();
        game.weaponSystem.update(0.0f, 5000.0f, 0.0f, 0.0f, 0.0f);
        game.enemyFleet = EnemyFleet();
    }
    void TearDown() override {
        game.enemyFleet = EnemyFleet();
        game.weaponSystem = WeaponSystem();
    }

    // One run of the gun timer with the trigger held and a cool gun: one shot.
    static void shoot() {
        game.gunTriggerHeld = true;
        game.gunHeat = 0;
        gunTimer(1);
    }

    const SavedGame savedGame;
    const PlainLight light;
};

int brighter(const cv::Mat& a, const cv::Mat& b, const cv::Rect& where) {
    cv::Mat sumA, sumB;
    cv::transform(a(where), sumA, cv::Matx13f(1, 1, 1));
    cv::transform(b(where), sumB, cv::Matx13f(1, 1, 1));
    return cv::countNonZero(sumA > sumB + 60);
}

} // namespace

TEST_F(WeaponsGl, TheMuzzleFlashShowsOverTheGunInTheFrameAfterAShotOnly) {
    const cv::Rect gunArea(150, 350, 500, 250);
    std::srand(2);
    shoot();
    ASSERT_EQ(game.shotsFired, 1);
    const cv::Mat flash = renderFrame();
    const cv::Mat after = renderFrame();
    const cv::Mat mask = changes(after, flash, gunArea);
    EXPECT_GT(brighter(flash, after, gunArea), 3000) << "no bright flash over the gun";
    EXPECT_EQ(cv::countNonZero(changes(after, renderFrame(), gunArea)), 0) << "the flash outlived its frame";
    // Centred 0.15 off the hub at (0, -0.85), turned by the barrel's 20 degrees.
    const cv::Rect box = boundingBox(mask);
    const float angle = 20.0f * 3.14159265f / 180.0f;
    const cv::Point2f expected(400.0f * (1.0f - 0.15f * std::sin(angle)),
                               300.0f * (1.0f + 0.85f - 0.15f * std::cos(angle)));
    EXPECT_NEAR(box.x + gunArea.x + box.width / 2.0f, expected.x, 30.0f);
    EXPECT_NEAR(box.y + gunArea.y + box.height / 2.0f, expected.y, 30.0f);
    EXPECT_LT(box.width, 0.7 * std::sqrt(2.0) * 400.0 + 2) << "larger than the turned square";
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(WeaponsGl, ATracerFliesAheadUntilItRetires) {
    const cv::Rect ahead(340, 240, 120, 120);
    game.drawHud = false; // the crosshair would hide the tracer
    const cv::Mat empty = renderFrame();
    std::srand(4);
    game.weaponSystem.fire(kTracer);
    game.weaponSystem.update(0.0f, 5000.0f, 0.0f, 0.0f, 0.0f); // 25 ahead
    const cv::Mat flying = renderFrame();
    const cv::Mat mask = changes(empty, flying, ahead);
    EXPECT_GT(cv::countNonZero(mask), 30) << "no tracer ahead";
    EXPECT_GT(meanColour(flying, ahead)[1], meanColour(empty, ahead)[1]) << "the tracer is green";
    for (int tick = 2; tick <= 10; ++tick)
        game.weaponSystem.update(0.0f, 5000.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(game.weaponSystem.tracers.empty());
    EXPECT_EQ(cv::countNonZero(changes(empty, renderFrame(), {0, 0, 800, 600})), 0);
}

TEST_F(WeaponsGl, AHitEnemyFlashesYellowInTheNextFrame) {
    const cv::Rect around(340, 240, 120, 120); // the flash's 0.9 reaches past the ball's 0.6
    game.drawHud = false;
    Enemy& enemy = placeEnemy(0.0f, 5000.0f, -20.0f);
    const cv::Mat before = renderFrame();
    shoot();
    ASSERT_EQ(enemy.health, 80);
    game.weaponSystem.tracers.clear(); // only the flash differs
    const cv::Scalar hit = meanColour(renderFrame(), around);
    const cv::Scalar plain = meanColour(renderFrame(), around);
    EXPECT_GT(hit[1], plain[1] + 15) << "no yellow flash";
    EXPECT_GT(hit[2], plain[2] + 15);
    EXPECT_NEAR(plain[1], meanColour(before, around)[1], 1.0) << "the flash outlived its frame";
}

TEST_F(WeaponsGl, AnExplosionsCoreFadesOverItsUpdates) {
    const cv::Rect core(397, 297, 6, 6); // inside even the first, smallest core
    game.drawHud = false;
    const cv::Mat empty = renderFrame();
    Enemy& wreck = placeEnemy(0.0f, 5000.0f, -10.0f);
    wreck.health = 0;
    EXPECT_EQ(cv::countNonZero(changes(empty, renderFrame(), {0, 0, 800, 600})), 0)
        << "a wreck whose explosion has not started draws nothing";
    wreck.update(0.0f, 5000.0f, 0.0f, game.effects);
    ASSERT_TRUE(wreck.explosionStarted);
    wreck.explosion.particles.clear(); // the sparks would fly through the core
    std::vector<double> glow;
    for (int n = 0; n <= 40; ++n) {
        if (n > 0)
            wreck.update(0.0f, 5000.0f, 0.0f, game.effects);
        if (n % 10 == 0) {
            const cv::Scalar c = meanColour(renderFrame(), core);
            glow.push_back(c[1] + c[2]);
        }
    }
    ASSERT_TRUE(wreck.explosionDone);
    const cv::Scalar bg = meanColour(empty, core);
    for (size_t k = 1; k < glow.size(); ++k)
        EXPECT_LT(glow[k], glow[k - 1] - 5) << "update " << 10 * k;
    EXPECT_GT(glow.front(), bg[1] + bg[2] + 200) << "a bright yellow core at the start";
    EXPECT_NEAR(glow.back(), bg[1] + bg[2], 3.0) << "faded out after forty updates";

    // Nor does the faded core hide a craft behind it that is drawn after it.
    placeEnemy(0.0f, 5000.0f, -20.0f);
    const cv::Scalar behind = meanColour(renderFrame(), core);
    game.enemyFleet.enemies.erase(game.enemyFleet.enemies.begin());
    EXPECT_NEAR(behind[2], meanColour(renderFrame(), core)[2], 3.0);
}
