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

// High above the valley looking level along -z: the world is out of view and bubbles a few units ahead
// show against the clear colour.
class ParticlesGl : public testing::Test {
protected:
    static void SetUpTestSuite() { loadTextureGroup(TextureGroup::Scene, game.sceneTextures); }
    void SetUp() override {
        glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_LIGHT0);
        reshape(800, 600);
        game.playerPos = {0.0, 5000.0, 0.0};
    }
    void TearDown() override {
        glPopAttrib();
        game.playerBubbles = savedBubbles;
    }

    const SavedGame savedGame;
    const BubbleEmitter savedBubbles = game.playerBubbles;

    // Pixels of an area whose green rose clearly from one frame to the next.
    static int greener(const cv::Mat& before, const cv::Mat& after, const cv::Rect& area) {
        cv::Mat channels[3], before3[3];
        cv::split(after(area), channels);
        cv::split(before(area), before3);
        cv::Mat rise;
        cv::subtract(channels[1], before3[1], rise);
        return cv::countNonZero(rise > 40);
    }
};

} // namespace

TEST_F(ParticlesGl, PlayerBubbleTrailRisesFromItsSourceInTheFrame) {
    game.playerBubbles.bubbles.clear();
    const cv::Mat empty = renderFrame();

    std::srand(1);
    game.playerBubbles = BubbleEmitter();
    for (int k = 0; k < 40; ++k)
        game.playerBubbles.update(0.0f, 4999.4f, -4.0f); // a little below the eye, 4 units ahead
    const cv::Mat trail = renderFrame();

    // The source shows about 100 pixels below the centre; thirty updates of rising take the bubbles
    // about 1.2 units, some 200 pixels, up from there.
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
    struct Case {
        const char* what;
        std::function<void()> draw;
        bool setsBlending; // bubbles use the caller's blending and texture, the others their own blending
    };
    const Case cases[] = {
        {"bubble", [&] { bubbleparticle(ahead, 0.3f).draw(); }, false},
        {"emitter",
         [&] {
             BubbleEmitter emitter;
             emitter.bubbles = {bubbleparticle(ahead, 0.3f)};
             emitter.draw();
         },
         false},
        {"explosion fragment", [&] { explosionparticle(ahead, {}, 8.0f, 0.3f).draw(); }, true},
        {"tracer", [&] { w1particle(ahead, 0.0f, 0.0f).draw(); }, true},
        {"running torpedo", [&] { w2particle(ahead, 0.0f, 0.0f).draw(); }, true},
        {"blast",
         [&] {
             w2particle torpedo(ahead, 0.0f, 0.0f);
             torpedo.detonated = true;
             torpedo.blastRadius = 1.0f;
             torpedo.draw();
         },
         true},
        {"enemy bullet", [&] { w4particle(ahead, {}).draw(); }, true},
    };
    for (const Case& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, game.sceneTextures[kBubbleTexture]);
        c.draw();

        const cv::Scalar centre = meanColour(readBackBuffer(), {398, 298, 4, 4});
        EXPECT_GT(centre[0] + centre[1] + centre[2], 40) << c.what << " drew nothing where it was expected";
        float depth = 0.0f;
        glReadPixels(400, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        EXPECT_EQ(depth, 1.0f) << c.what << " wrote depth";
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites) << c.what << " left depth writes off";
        EXPECT_EQ(glIsEnabled(GL_BLEND), !c.setsBlending) << c.what;
        GLint source = 0, texture = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        EXPECT_EQ(source, c.setsBlending ? GL_SRC_ALPHA : GL_ONE) << c.what;
        EXPECT_EQ(static_cast<unsigned int>(texture), game.sceneTextures[kBubbleTexture]) << c.what;
    }

    std::cout.rdbuf(console);
    glPopAttrib();
}
