#include "app/Frame.h"
#include "app/Game.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/SavedGame.h"
#include "world/TexturesGl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>

namespace {

// High above the valley looking level along -z: the world is out of view, so a frame shows bubbles a few
// units ahead against the clear colour.
class ParticlesGl : public testing::Test {
protected:
    static void SetUpTestSuite() { loadTextureGroup(TextureGroup::Scene, game.sceneTextures); }
    void SetUp() override {
        reshape(800, 600);
        game.playerPos = {0.0, 5000.0, 0.0};
    }
    void TearDown() override { game.playerBubbles = savedBubbles; }

    const SavedGame savedGame;
    const PlainLight light;
    const BubbleEmitter savedBubbles = game.playerBubbles;
};

// Pixels of an area whose green rose clearly from one frame to the next.
int greener(const cv::Mat& before, const cv::Mat& after, const cv::Rect& area) {
    cv::Mat was, is;
    cv::extractChannel(before(area), was, 1);
    cv::extractChannel(after(area), is, 1);
    return cv::countNonZero(is - was > 40);
}

} // namespace

TEST_F(ParticlesGl, PlayerBubbleTrailRisesFromItsSourceInTheFrame) {
    game.playerBubbles.bubbles.clear();
    const cv::Mat empty = renderFrame();
    std::srand(1);
    game.playerBubbles = BubbleEmitter();
    for (int k = 0; k < 40; ++k)
        game.playerBubbles.update(0.0f, 4999.4f, -4.0f);
    const cv::Mat trail = renderFrame();

    // The source shows some 100 pixels below the centre; bubbles rise about 1.2 units, 200 pixels, from it.
    EXPECT_GT(greener(empty, trail, {340, 340, 120, 70}), 300) << "no bubbles near the source";
    EXPECT_GT(greener(empty, trail, {340, 180, 120, 100}), 300) << "no bubbles high above the source";
    EXPECT_EQ(greener(empty, trail, {0, 0, 300, 600}), 0) << "bubbles far to the side";
    EXPECT_EQ(greener(empty, trail, {340, 440, 120, 160}), 0) << "bubbles below the source";
}

TEST_F(ParticlesGl, DrawsWriteNoDepthAndLeaveBlendingAsTheFrameExpects) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 800.0 / 600.0, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    std::ostringstream halo; // torpedoes print
    std::streambuf* const console = std::cout.rdbuf(halo.rdbuf());

    const Vec3 ahead{0.0f, 0.0f, -5.0f};
    // Bubbles draw with the caller's texture and blending; the others blend on their own and stop after.
    const std::pair<std::function<void()>, bool> cases[] = {
        {[&] { bubbleparticle(ahead, 0.3f).draw(); }, false},
        {[&] { explosionparticle(ahead, {}, 8.0f, 0.3f).draw(); }, true},
        {[&] { w1particle(ahead, 0.0f, 0.0f).draw(); }, true},
        {[&] { w2particle(ahead, 0.0f, 0.0f).draw(); }, true},
        {[&] { w4particle(ahead, {}).draw(); }, true},
    };
    int row = 0;
    for (const auto& [draw, blends] : cases) {
        SCOPED_TRACE("row " + std::to_string(row++));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, game.sceneTextures[kBubbleTexture]);
        draw();

        const cv::Scalar centre = meanColour(readBackBuffer(), {398, 298, 4, 4});
        EXPECT_GT(centre[0] + centre[1] + centre[2], 40) << "nothing drawn where the depth is read";
        float depth = 0.0f;
        glReadPixels(400, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        EXPECT_EQ(depth, 1.0f);
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites);
        EXPECT_EQ(glIsEnabled(GL_BLEND), !blends);
        GLint source = 0, texture = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        EXPECT_EQ(source, blends ? GL_SRC_ALPHA : GL_ONE);
        EXPECT_EQ(static_cast<unsigned int>(texture), game.sceneTextures[kBubbleTexture]);
    }
    std::cout.rdbuf(console);
    glPopAttrib();
}
