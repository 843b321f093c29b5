#include "app/Frame.h"
#include "app/Game.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/SavedGame.h"

#include <gtest/gtest.h>

namespace {

// High above the valley looking straight up: nothing of the world is in view, so whatever shows is the
// effect. The camera's axis runs through (0, 5010, 0). A white light from the eye lets colours show as
// they are, as the game's light does.
class Effects : public testing::Test {
protected:
    void SetUp() override {
        reshape(800, 600);
        game.playerPos = {0.0, 5000.0, 0.0};
        game.pitch = -90.0f;
    }

    const SavedGame savedGame;
    const PlainLight light;

    // The clear colour is blue; anything red drawn over it shows as more red than blue.
    static bool reddish(const cv::Scalar& bgr) { return bgr[2] > bgr[0] + 20; }
    static int lightPixels(const cv::Mat& frame, const cv::Rect& area) {
        cv::Mat light;
        cv::inRange(frame(area), cv::Scalar(200, 200, 200), cv::Scalar(255, 255, 255), light);
        return cv::countNonZero(light);
    }
};

} // namespace

TEST_F(Effects, WorldShapesAreDrawnByTheNextFrameOnlyAtTheirPlace) {
    const cv::Rect centre(380, 280, 40, 40);
    EXPECT_FALSE(reddish(meanColour(renderFrame(), centre)));

    game.effects.addSphere({0.0f, 5010.0f, 0.0f}, 1.0f, 12, {1.0f, 0.0f, 0.0f, 1.0f}, false);
    const cv::Mat once = renderFrame();
    EXPECT_TRUE(reddish(meanColour(once, centre))) << "the sphere is not where the camera looks";
    EXPECT_FALSE(reddish(meanColour(once, {0, 0, 100, 100}))) << "the sphere is far too big";
    EXPECT_TRUE(game.effects.worldShapes.empty());
    EXPECT_FALSE(reddish(meanColour(renderFrame(), centre))) << "drawn by a second frame";

    // A thick line across the view, from left to right of the axis.
    game.effects.addLine({-3.0f, 5010.0f, 0.0f}, {3.0f, 5010.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 1.0f}, 20.0f);
    const cv::Mat line = renderFrame();
    EXPECT_TRUE(reddish(meanColour(line, {300, 290, 200, 20})));
    EXPECT_FALSE(reddish(meanColour(line, {390, 100, 20, 100})));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Effects, ScreenTextsStayOverTheHudUntilCleared) {
    const cv::Rect textArea(200, 150, 300, 150); // around the overlay's (-0.3, 0.2)
    ASSERT_EQ(lightPixels(renderFrame(), textArea), 0);
    game.effects.showText("Stadt evakuiiert: Bonn", -0.3f, 0.2f, {1.0f, 1.0f, 1.0f, 1.0f});
    const int first = lightPixels(renderFrame(), textArea);
    EXPECT_GT(first, 50);
    EXPECT_EQ(lightPixels(renderFrame(), textArea), first) << "the text must stay until it is cleared";
    game.effects.clearTexts();
    EXPECT_EQ(lightPixels(renderFrame(), textArea), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}
