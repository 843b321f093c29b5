// The frame on screens of every size: the world drawn smaller and scaled up under a HUD that stays sharp,
// the overlay held to reference pictures at 800 x 600 and at 3840 x 2160, and text that grows with the
// height or, without its fonts, keeps its bitmap size.
#include "app/Frame.h"
#include "app/HudText.h"
#include "core/Gl.h"
#include "core/PictureGl.h"
#include "support/GlTest.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const cv::Rect kWhole(0, 0, 800, 600);

class Screens : public GlScene {
protected:
    // A red ball straight ahead, recorded anew for every frame as the rules would.
    cv::Mat frameWithBall() {
        const Vec3 eye = game.playerPos.toFloat();
        game.effects.addSphere({eye.x, eye.y, eye.z - 10.0f}, 2.0f, 30, {1.0f, 0.0f, 0.0f, 1.0f}, false);
        return renderFrame(game);
    }

    // The game's frame drawn into a picture of the given size, as into a window of that size.
    cv::Mat frameAt(int width, int height) {
        Picture target;
        PictureSupport support;
        EXPECT_TRUE(fitPicture(support, target, width, height, true));
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        reshape(width, height);
        renderScene(game);
        cv::Mat picture(height, width, CV_8UC3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, picture.data);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        reshape(800, 600);
        cv::flip(picture, picture, 0);
        return picture;
    }

    // Everything the overlay shows, over the empty view: every instrument in use, a shot's flash, the
    // evacuation message and, if asked, the end screen.
    void showEverything(bool ended) {
        game.score = 1234;
        game.lifePoints = 67;
        game.torpedoes = 3;
        game.gunHeat = 45;
        game.gunBarrelAngle = 40;
        game.playerPos = {1500.0, 5000.0, -700.0};
        game.heading = 30.0f;
        game.effects.muzzleFlash = MuzzleFlash{40.0f, 12.0f};
        game.effects.showText("Stadt evakuiiert: Bonn", -0.3f, 0.2f, {0.0f, 0.0f, 0.0f, 1.0f});
        game.gameOver = ended;
    }
};

// Pixels that differ by more than a rounding step, a few allowed for edges the rasteriser may place a
// pixel over; regenerated only on purpose, with ZARNOWELL_NEW_REFERENCES=1 (then look at them).
void expectLikeReference(const cv::Mat& frame, const std::string& name, int allowed) {
    const std::string path = std::string(ZARNOWELL_SOURCE_DIR "/tests/gl/reference/") + name + ".png";
    if (std::getenv("ZARNOWELL_NEW_REFERENCES"))
        cv::imwrite(path, frame, {cv::IMWRITE_PNG_COMPRESSION, 9});
    const cv::Mat reference = cv::imread(path, cv::IMREAD_COLOR);
    ASSERT_EQ(reference.size(), frame.size()) << path;
    const int differing = changed(reference, frame, {0, 0, frame.cols, frame.rows}, 24);
    EXPECT_LE(differing, allowed) << name << ": " << differing << " pixels differ from the reference";
}

} // namespace

TEST_F(Screens, AtHalfScaleOnlyTheWorldIsDrawnSmallerAndAtOneTheFrameIsDrawnStraight) {
    showEverything(true);
    game.effects.muzzleFlash.reset(); // shown once only
    game.effects.clearTexts();        // its text would turn the depth test off before the end screen
    const cv::Mat straight = renderFrame(game), ball = frameWithBall();
    game.renderScale.fix(0.5f);
    // Over the empty view every pixel is the overlay's own, sharp as before.
    EXPECT_EQ(changed(straight, renderFrame(game), kWhole, 0), 0);
    const cv::Mat halfBall = frameWithBall();
    EXPECT_EQ(game.worldPicture.width, 400);
    // The ball is where it was, only its outline a pixel astray here and there.
    EXPECT_GT(changed(straight, halfBall, kWhole), 5000) << "no world in the scaled frame";
    EXPECT_LT(changed(ball, halfBall, kWhole), 1500);
    game.renderScale.fix(0.7f);
    EXPECT_LT(changed(ball, frameWithBall(), kWhole), 1500);
    // Back at 1 the frame is the one drawn straight; with no offscreen drawing at all, it looks the same.
    game.renderScale.fix(1.0f);
    EXPECT_EQ(changed(ball, frameWithBall(), kWhole, 0), 0);
    EXPECT_EQ(game.worldPicture.texture, 0u) << "the world's picture outlived its use";
    game.renderScale.fix(0.5f);
    game.pictureSupport.framebuffers = false;
    game.hudPictures = {};
    EXPECT_EQ(changed(ball, frameWithBall(), kWhole), 0);
}

TEST_F(Screens, TheOverlayMatchesItsReferencePicturesAt800x600AndAt4K) {
    showEverything(false);
    expectLikeReference(renderFrame(game), "hud-800x600", 20);
    // Masks that are not grey keep passes of their own, which must show the same.
    game.hudBottomBarFolds = {};
    game.hudRightBarFold = 0;
    game.hudRadarMaskAlpha = 0;
    game.effects.muzzleFlash = MuzzleFlash{40.0f, 12.0f};
    expectLikeReference(renderFrame(game), "hud-800x600", 20);
    game = builtGame();
    showEverything(true);
    expectLikeReference(frameAt(3840, 2160), "hud-3840x2160", 200);
}

TEST_F(Screens, TextGrowsWithTheHeightAboveFullHdAndKeepsItsBitmapSizeWithoutItsFont) {
    const std::string line = "PUNKTESTAND: 1234";
    const int bitmapWidth =
        glutBitmapLength(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>(line.c_str()));
    glViewport(0, 0, 3840, 2160);
    const TextExtent grown = measureText(game, Typeface::Helvetica18, line);
    EXPECT_NEAR(grown.width, 2 * bitmapWidth, bitmapWidth / 5);
    EXPECT_NEAR(grown.above, 28, 1) << "capitals twice the bitmap font's 14 pixels";
    // Times' j reaches left of where its pen starts and below the baseline: drawn whole, within its line.
    EXPECT_GT(measureText(game, Typeface::TimesRoman24, "jaj").below, 5);
    drawText(game, Typeface::TimesRoman24, "jaj", 0.0f, 0.0f);

    testing::internal::CaptureStderr();
    game.textFaces = loadTextFaces("/nonexistent");
    EXPECT_EQ(measureText(game, Typeface::Helvetica18, line).width, bitmapWidth);
    measureText(game, Typeface::TimesRoman24, line);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "Fonts: cannot load /nonexistent/NimbusSans-Regular.otf; its text stays at its bitmap size\n"
              "Fonts: cannot load /nonexistent/NimbusRoman-Regular.otf; its text stays at its bitmap size\n");
    reshape(800, 600);
}

// A picture the driver cannot make is said once and not tried again: what it would show is drawn straight.
TEST_F(Screens, APictureThatCannotBeMadeIsReportedOnceAndNotTriedAgain) {
    Picture picture;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(fitPicture(game.pictureSupport, picture, 1 << 20, 4, false)); // wider than any texture
    EXPECT_FALSE(fitPicture(game.pictureSupport, picture, 64, 64, false));
    Picture another;
    EXPECT_FALSE(fitPicture(game.pictureSupport, another, 1 << 20, 4, false));
    const std::string said = testing::internal::GetCapturedStderr();
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(picture.texture, 0u);
}
