#include "app/Frame.h"
#include "app/Game.h"
#include "app/Window.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/SavedGame.h"

#include <gtest/gtest.h>

TEST(Frame, ClearsToTheDeepWaterColourAndLeavesTheProjectionForTheNextFrame) {
    const SavedGame keep;
    reshape(800, 600);
    prepareFirstFrame();
    // Paint the buffer first: a frame that forgot to clear would show red.
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.1f, 0.1f, 0.3f, 0.0f);

    // High above the valley, looking up: nothing of the world is in view.
    game.playerPos = {0.0, 5000.0, 0.0};
    game.pitch = -90.0f;
    const cv::Mat frame = renderFrame();
    ASSERT_FALSE(frame.empty());
    const cv::Scalar centre = meanColour(frame, {520, 180, 150, 150}); // clear of the HUD
    EXPECT_NEAR(centre[2], 0.1 * 255, 2.0);
    EXPECT_NEAR(centre[1], 0.1 * 255, 2.0);
    EXPECT_NEAR(centre[0], 0.3 * 255, 2.0);

    // The frame leaves the 45 degree perspective in force and the camera on the model-view stack.
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1.0 / std::tan(22.5 * M_PI / 180.0), 1e-4);
    EXPECT_NEAR(projection[0], projection[5] / 1.333, 1e-4);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST(Frame, CameraSitsAtTheSubmarineTurnedByPitchAndAimHeading) {
    const SavedGame keep;
    game.playerPos = {100.0, -20.0, -50.0};
    game.pitch = 10.0f;
    game.aimHeading = 30.0f;
    game.heading = 0.0f;
    renderFrame();
    GLdouble camera[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, camera);
    // The submarine's own position must land on the eye: camera * (pos, 1) == (0, 0, 0, 1).
    const double p[4] = {100.0, -20.0, -50.0, 1.0};
    for (int row = 0; row < 3; ++row) {
        double eye = 0.0;
        for (int k = 0; k < 4; ++k)
            eye += camera[k * 4 + row] * p[k];
        EXPECT_NEAR(eye, 0.0, 1e-3) << row;
    }
    // A point straight ahead along the aim heading and pitch lies on the view axis (-z in eye space).
    const double h = 30.0 * M_PI / 180.0;
    const double pt = 10.0 * M_PI / 180.0;
    const double ahead[4] = {100.0 - std::sin(h) * std::cos(pt) * 10, -20.0 - std::sin(pt) * 10,
                             -50.0 - std::cos(h) * std::cos(pt) * 10, 1.0};
    double eyeSpace[3] = {};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 4; ++k)
            eyeSpace[row] += camera[k * 4 + row] * ahead[k];
    EXPECT_NEAR(eyeSpace[0], 0.0, 1e-3);
    EXPECT_NEAR(eyeSpace[1], 0.0, 1e-3);
    EXPECT_NEAR(eyeSpace[2], -10.0, 1e-3);
}

TEST(Frame, AFrameRightAfterAReshapeIsDrawnInPerspective) {
    const SavedGame keep;
    const PlainLight light;
    game.playerPos = {0.0, 5000.0, 0.0};
    game.pitch = -90.0f;
    game.gameOver = true; // the redraws GLUT asks for once the game is over, the tick's frames before
    for (int attempt = 0; attempt < 2; ++attempt) {
        reshape(800, 600);
        // A ball of radius 1 ten units ahead: about 70 pixels across the middle in perspective, a single
        // pixel under the reshape's box.
        game.effects.addSphere({0.0f, 5010.0f, 0.0f}, 1.0f, 12, {1.0f, 0.0f, 0.0f, 1.0f}, false);
        const cv::Mat frame = renderFrame();
        const cv::Scalar ball = meanColour(frame, {370, 270, 60, 60});
        EXPECT_GT(ball[2], ball[0] + 80.0) << attempt;
    }
}

TEST(Frame, ReshapeGivesASquarePixelOrthographicBox) {
    reshape(800, 600);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // Box of +-533.3 by +-400, then scaled by 4/3 in x and y.
    EXPECT_NEAR(projection[0], (2.0 / (2 * 400.0 * 4.0 / 3.0)) * 4.0 / 3.0, 1e-6);
    EXPECT_NEAR(projection[5], (2.0 / 800.0) * 4.0 / 3.0, 1e-6);
    reshape(600, 800);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], (2.0 / 800.0) * 4.0 / 3.0, 1e-6);
    EXPECT_NEAR(projection[5], (2.0 / (2 * 400.0 * 4.0 / 3.0)) * 4.0 / 3.0, 1e-6);
    // A zero-sized window (minimised) must not divide by zero.
    reshape(0, 0);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_TRUE(std::isfinite(projection[0]));
    reshape(800, 600);
}
