#include "app/Hud.h"
#include "app/Instruments.h"
#include "app/OverlayPicture.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>

namespace {

// Over an empty view, whatever shows besides the clear colour is the overlay. Overlay x -1..1 runs over
// pixels 0..800, y 1..-1 over 0..600.
class Hud : public GlScene {
protected:
    static cv::Point pixel(float x, float y) {
        return {static_cast<int>((x + 1.0f) * 400.0f), static_cast<int>((1.0f - y) * 300.0f)};
    }
    static cv::Rect area(float left, float bottom, float right, float top) {
        return {pixel(left, top), pixel(right, bottom)};
    }
};

// The overlay alone over a cleared view, after a scene that left blending that draws nothing.
void overlayAfterOddBlending(Game& game) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBlendFunc(GL_ZERO, GL_ONE);
    display(game);
}

} // namespace

TEST_F(Hud, InstrumentsShowCrosshairLifeHeatReachScoreAndTheEndScreen) {
    game.score = 1;
    game.torpedoes = 5;
    game.gunHeat = 0;
    const cv::Mat plain = renderFrame(game);
    // The crosshair lightens the water around the middle and nowhere beside it, at half strength.
    const auto lighter = [&](const cv::Rect& where) {
        return pixelsNear(plain, where, kClearColour + cv::Scalar::all(80), 60);
    };
    EXPECT_GT(lighter(area(-0.25f, -0.25f, 0.25f, 0.25f)), 300);
    EXPECT_EQ(lighter(area(-0.75f, -0.25f, -0.25f, 0.25f)) + lighter(area(0.25f, -0.25f, 0.75f, 0.25f)), 0);
    const double brightest = cv::norm(plain(cv::Rect(300, 200, 200, 200)), cv::NORM_INF);
    EXPECT_TRUE(brightest > 100.0 && brightest < 200.0) << brightest;
    // Texts come in black.
    EXPECT_GT(pixelsNear(plain, area(-0.9f, -0.94f, -0.45f, -0.86f), {}, 20), 60) << "no score line";
    EXPECT_GT(pixelsNear(plain, area(0.9f, -0.92f, 1.0f, -0.84f), {}, 20), 20) << "no torpedo count";

    // The life bar's segments go out as the life goes; the heat fill spans what the instrument gives, in the
    // right bar drawn from the bars' reference point at (0, -0.85).
    game.lifePoints = 50;
    EXPECT_GT(changed(plain, renderFrame(game), area(-0.48f, -1.0f, 0.0f, -0.85f)), 100);
    game.lifePoints = 100;
    game.gunHeat = 70;
    const cv::Rect heatColumn = area(0.905f, -0.85f, 0.99f, 0.4f);
    const cv::Rect fill = boundingBox(changes(plain, renderFrame(game), heatColumn)) + heatColumn.tl();
    EXPECT_NEAR(fill.y, pixel(0.0f, -0.85f + heatFillTop(70)).y, 3);
    EXPECT_NEAR(fill.y + fill.height, pixel(0.0f, -0.85f + kHeatFillBottom).y, 3);

    // The figure: red out of reach, green with a town in reach, blue while beaming, even an emptied town.
    const cv::Rect figure = area(-1.0f, -0.85f, -0.8f, -0.45f);
    game.towns[0].position = {0.0f, 5000.0f, 500.0f}; // behind the camera
    game.nearestTown = 0;
    const cv::Scalar red = meanColour(renderFrame(game), figure);
    game.towns[0].position.z = 15.0f;
    const cv::Scalar green = meanColour(renderFrame(game), figure);
    game.beamingActive = true;
    game.towns[0].inhabitants = 0;
    const cv::Scalar blue = meanColour(renderFrame(game), figure);
    EXPECT_GT(red[2], red[1] + 20);
    EXPECT_GT(green[1], green[2] + 20);
    EXPECT_GT(blue[0], std::max(red[0], green[0]) + 20);

    // The end screen, in the text colour, leaves the state the next frame expects.
    const cv::Rect title = area(-0.32f, 0.43f, 0.3f, 0.53f), stats = area(-0.62f, 0.23f, 0.8f, 0.42f);
    EXPECT_EQ(pixelsNear(plain, title, {}, 20) + pixelsNear(plain, stats, {}, 20), 0);
    game.gameOver = true;
    const cv::Mat over = renderFrame(game);
    EXPECT_GT(pixelsNear(over, title, {}, 20), 150);
    EXPECT_GT(pixelsNear(over, stats, {}, 20), 400);
    EXPECT_GT(pixelsNear(over, area(-0.32f, -0.37f, 0.0f, -0.27f), {}, 20), 100) << "Spiel beenden mit Esc";
    EXPECT_EQ(std::tuple(glIsEnabled(GL_LIGHTING), glIsEnabled(GL_DEPTH_TEST), glIsEnabled(GL_BLEND),
                         glIsEnabled(GL_TEXTURE_2D)),
              std::tuple(GL_TRUE, GL_TRUE, GL_FALSE, GL_FALSE));
}

TEST_F(Hud, RadarPointerFollowsThePositionAndTurnsWithTheHeading) {
    const cv::Rect radar = area(-1.0f, 0.6f, -0.2f, 1.0f);
    // The map's own pixels are not white; the pointer is.
    const auto pointer = [&] {
        cv::Mat white;
        cv::inRange(renderFrame(game)(radar), cv::Scalar::all(215), cv::Scalar::all(255), white);
        return std::pair{boundingBox(white) + radar.tl(), cv::countNonZero(white)};
    };
    game.playerPos = {-100000.0, 5000.0, 100000.0}; // far off the map
    ASSERT_EQ(pointer().second, 0);
    for (const auto& [x, z, heading, upright] :
         {std::tuple{1024.0, -512.0, 0.0f, true}, std::tuple{3072.0, -1536.0, 0.0f, true},
          std::tuple{2048.0, -1024.0, -90.0f, false}, std::tuple{2048.0, -1024.0, 90.0f, false}}) {
        game.playerPos = {x, 5000.0, z};
        game.heading = heading;
        const auto [box, count] = pointer();
        ASSERT_GT(count, 40) << x;
        // The map's 4096 x 2048 units over its 0.8 x 0.4 of the overlay, from its top left corner.
        const cv::Point want =
            pixel(-1.0f + static_cast<float>(x / 4096.0 * 0.8), 0.6f - static_cast<float>(z / 2048.0 * 0.4));
        EXPECT_NEAR(box.x + box.width / 2, want.x, 4) << x;
        EXPECT_NEAR(box.y + box.height / 2, want.y, 4) << x;
        // 0.1 long and 0.05 wide: standing up it is taller than wide, lying down the other way.
        EXPECT_EQ(box.height > box.width, upright) << heading << ": " << box.width << "x" << box.height;
    }
}

// The scene may leave any blending behind: the overlay sets its own, with or without the instruments.
TEST_F(Hud, MuzzleFlashAndOverlayDrawTheSameWhateverBlendingTheSceneLeft) {
    const cv::Rect gunArea(150, 350, 500, 250);
    for (const bool instruments : {true, false}) {
        SCOPED_TRACE(instruments ? "with the instruments" : "without the instruments");
        game.drawHud = instruments;
        game.effects.muzzleFlash = MuzzleFlash{90.0f, 0.0f};
        const cv::Mat flash = renderFrame(game);
        const cv::Mat after = renderFrame(game);
        game.effects.muzzleFlash = MuzzleFlash{90.0f, 0.0f};
        EXPECT_EQ(changed(flash, renderFrame(game, overlayAfterOddBlending), {0, 0, 800, 600}), 0);
        game.effects.muzzleFlash.reset();
        // Once, and turned a quarter left: 0.15 left of the gun's hub at (0, -0.85).
        const cv::Rect box = boundingBox(changes(flash, after, gunArea)) + gunArea.tl();
        EXPECT_GT(box.area(), 10000) << "no flash over the gun, or again in the next frame";
        EXPECT_NEAR(box.x + box.width / 2, pixel(-0.15f, 0.0f).x, 6);
    }
}

namespace {

// Two score lines, drawn depth-tested as the overlay draws its lines, their boxes overlapping, and a
// premultiplied panel under them: directly, or each through a picture of its own.
struct PictureScene {
    bool throughPictures = false;
    std::string upper, lower;
    OverlayPicture panel, upperLine, lowerLine;
    PictureSupport support;
} scene;

void pictureScene(Game& game) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    const auto part = [](OverlayPicture& picture, const std::string& shows, float bottom, float top,
                         const std::function<void()>& draw) {
        if (scene.throughPictures)
            drawThroughPicture(scene.support, picture, shows, pixelsCovered(-0.95f, bottom, -0.2f, top),
                               draw);
        else
            draw();
    };
    part(scene.panel, "panel", -0.7f, -0.4f, [] {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0.3f, 0.25f, 0.1f, 0.6f);
        glRectf(-0.9f, -0.65f, -0.3f, -0.45f);
        glDisable(GL_BLEND);
    });
    glEnable(GL_DEPTH_TEST);
    for (const auto& [picture, text, y] : {std::tuple{&scene.upperLine, scene.upper, -0.5f},
                                           std::tuple{&scene.lowerLine, scene.lower, -0.56f}})
        part(*picture, text, y - 0.04f, y + 0.09f, [&, text = text, y = y] {
            glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
            glRasterPos3f(-0.89f, y, 1.0f);
            glutBitmapString(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>(text.c_str()));
        });
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    game.swapBuffers();
}

} // namespace

// A picture shows to the pixel what its part draws, whatever overlaps it, drawn anew or kept, and is drawn
// anew when its part changes.
TEST_F(Hud, PicturesShowExactlyWhatTheirPartsDrawAndChangeWithThem) {
    const auto frame = [&](bool throughPictures, const char* upper, const char* lower) {
        scene.throughPictures = throughPictures;
        scene.upper = upper;
        scene.lower = lower;
        return renderFrame(game, pictureScene);
    };
    const cv::Rect lines = area(-0.95f, -0.7f, -0.2f, -0.4f);
    for (const auto& [upper, lower] : {std::pair{"PUNKTESTAND: 0", "Lebenspunkte: 100"},
                                       std::pair{"PUNKTESTAND: 12345", "Lebenspunkte: 7"}}) {
        SCOPED_TRACE(upper);
        const cv::Mat direct = frame(false, upper, lower);
        ASSERT_GT(pixelsNear(direct, lines, {}, 20), 200) << "no text";
        EXPECT_EQ(changed(direct, frame(true, upper, lower), {0, 0, 800, 600}, 0), 0) << "drawn anew";
        EXPECT_EQ(changed(direct, frame(true, upper, lower), {0, 0, 800, 600}, 0), 0) << "kept";
    }
}
