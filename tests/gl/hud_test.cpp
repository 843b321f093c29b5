#include "app/Frame.h"
#include "app/Game.h"
#include "app/TimerCallbacks.h"
#include "app/Window.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/Pictures.h"
#include "support/SavedGame.h"
#include "towns/TownModelGl.h"
#include "world/TexturesGl.h"

#include <gtest/gtest.h>

namespace {

// The HUD over an empty view: high above the valley looking straight up, the world draws nothing but the
// clear colour, so whatever else shows is the overlay. Pixel places below are for the 800 x 600 window:
// overlay x -1..1 runs over 0..800, y 1..-1 over 0..600.
class Hud : public testing::Test {
protected:
    static void SetUpTestSuite() {
        loadTextureGroup(TextureGroup::Hud, game.hudTextures);
        reshape(800, 600);
        prepareFirstFrame();
    }
    void SetUp() override {
        game.playerPos = {0.0, 5000.0, 0.0};
        game.pitch = -90.0f;
    }
    void TearDown() override {
        if (ownTown)
            releaseTownModels(game.towns);
        game.towns = savedTowns;
    }

    // Ulm alone in the list, with an empty model: only its sign shows, and calling the model raises no
    // GL error.
    void onlyUlm(float z, int inhabitants) {
        game.towns = {Stadt(0.0f, 5010.0f, z, inhabitants, "Ulm")};
        game.towns[0].displayList = glGenLists(1);
        glNewList(game.towns[0].displayList, GL_COMPILE);
        glEndList();
        ownTown = true;
    }
    bool ownTown = false;

    const SavedGame savedGame;
    const PlainLight light;
    const std::vector<Stadt> savedTowns = game.towns;

    static cv::Point pixel(float x, float y) {
        return {static_cast<int>((x + 1.0f) * 400.0f), static_cast<int>((1.0f - y) * 300.0f)};
    }
    static cv::Rect area(float left, float bottom, float right, float top) {
        return {pixel(left, top), pixel(right, bottom)};
    }
    // Box and count of the near-white pixels of a rectangle, in frame coordinates.
    static std::pair<cv::Rect, int> whiteBlob(const cv::Mat& frame, const cv::Rect& where) {
        cv::Mat white;
        cv::inRange(frame(where), cv::Scalar::all(215), cv::Scalar::all(255), white);
        return {boundingBox(white) + where.tl(), cv::countNonZero(white)};
    }
};

const cv::Scalar kClearColour(0.3 * 255, 0.1 * 255, 0.1 * 255);

int countChanges(const cv::Mat& a, const cv::Mat& b, const cv::Rect& where) {
    return cv::countNonZero(changes(a, b, where));
}

} // namespace

TEST_F(Hud, CrosshairSitsAtTheCentreAtHalfStrength) {
    const cv::Mat frame = renderFrame();
    ASSERT_FALSE(frame.empty());
    // The crosshair's lines lighten the water around the middle and nowhere beside it.
    const auto lighter = [&](const cv::Rect& where) {
        return pixelsNear(frame, where, kClearColour + cv::Scalar::all(80), 60);
    };
    EXPECT_GT(lighter(area(-0.25f, -0.25f, 0.25f, 0.25f)), 300);
    EXPECT_EQ(lighter(area(-0.75f, -0.25f, -0.25f, 0.25f)), 0);
    EXPECT_EQ(lighter(area(0.25f, -0.25f, 0.75f, 0.25f)), 0);
    // Half strength: even the lines stay well below white.
    double brightest = 0.0;
    cv::minMaxLoc(frame(cv::Rect(300, 200, 200, 200)).reshape(1), nullptr, &brightest);
    EXPECT_GT(brightest, 100.0);
    EXPECT_LT(brightest, 200.0);
}

TEST_F(Hud, LifeBarShowsTheLifeLeftAndTheHeatFillGrowsWithTheHeat) {
    // The life bar's picture fills the bottom bar's quad; its segments light up tenth by tenth.
    const cv::Rect bar = area(-0.48f, -1.0f, 0.0f, -0.85f); // the segments, right of the life points' text
    game.lifePoints = 100;
    const cv::Mat full = renderFrame();
    game.lifePoints = 50;
    const cv::Mat half = renderFrame();
    game.lifePoints = 59; // 5 tenths as well
    const cv::Mat alsoHalf = renderFrame();
    game.lifePoints = -3;
    const cv::Mat empty = renderFrame();
    const int lostHalf = countChanges(full, half, bar);
    const int lostAll = countChanges(full, empty, bar);
    EXPECT_GT(lostHalf, 100);
    EXPECT_GT(lostAll, lostHalf + 100);
    EXPECT_EQ(countChanges(half, alsoHalf, bar), 0);

    // The heat fill starts at 0.26 above the bar's reference point and grows by gunHeat / 182.
    const cv::Rect heatColumn = area(0.905f, -0.85f, 0.99f, 0.4f);
    game.lifePoints = 100;
    game.gunHeat = 0;
    const cv::Mat cold = renderFrame();
    EXPECT_EQ(countChanges(cold, full, heatColumn), 0) << "a cold gun shows no fill";
    game.gunHeat = 70;
    const cv::Mat hot = renderFrame();
    const cv::Rect fill = boundingBox(changes(cold, hot, heatColumn)) + heatColumn.tl();
    EXPECT_NEAR(fill.y, pixel(0.0f, -0.85f + 0.26f + 70.0f / 182.0f).y, 3);
    EXPECT_NEAR(fill.y + fill.height, pixel(0.0f, -0.85f + 0.26f).y, 3);
}

TEST_F(Hud, PersonIconTellsWhetherBeamingIsPossibleOrRunning) {
    const cv::Rect icon = area(-1.0f, -0.85f, -0.8f, -0.45f);
    onlyUlm(0.0f, 3);
    game.nearestTown = 0;
    game.playerPos = {0.0, 5050.0, 0.0};
    const cv::Scalar red = meanColour(renderFrame(), icon);
    EXPECT_GT(red[2], red[1] + 20) << "no town in reach: the red figure";
    game.playerPos = {0.0, 5000.0, 0.0};
    const cv::Scalar green = meanColour(renderFrame(), icon);
    EXPECT_GT(green[1], green[2] + 20) << "a town in reach: the green figure";
    game.beamingActive = true;
    game.towns[0].inhabitants = 0;
    const cv::Scalar beam = meanColour(renderFrame(), icon);
    EXPECT_GT(beam[0], red[0] + 20) << "beaming: the blue beam figure, even once the town is empty";
    EXPECT_GT(beam[0], green[0] + 20);
    game.beamingActive = false;
    game.nearestTown = -1;
    const cv::Scalar none = meanColour(renderFrame(), icon);
    EXPECT_GT(none[2], none[1] + 20) << "no town at all: red";
}

TEST_F(Hud, RadarPointerFollowsThePositionAndTurnsWithTheHeading) {
    const cv::Rect radar = area(-1.0f, 0.6f, -0.2f, 1.0f);
    // The map's own pixels are not white; the pointer is.
    game.playerPos = {-100000.0, 5000.0, 100000.0}; // the pointer far off the map
    ASSERT_EQ(whiteBlob(renderFrame(), radar).second, 0);

    struct Case {
        double x, z;
        float heading;
        bool upright;
    };
    for (const Case& c : {Case{1024.0, -512.0, 0.0f, true}, Case{3072.0, -1536.0, 0.0f, true},
                          Case{2048.0, -1024.0, -90.0f, false}, Case{2048.0, -1024.0, 90.0f, false}}) {
        game.playerPos = {c.x, 5000.0, c.z};
        game.heading = c.heading;
        const auto [box, count] = whiteBlob(renderFrame(), radar);
        ASSERT_GT(count, 40) << c.x;
        const cv::Point expected = pixel(-1.0f + static_cast<float>(c.x / 4096.0 * 0.8),
                                         0.6f - static_cast<float>(c.z / 2048.0 * 0.4));
        const cv::Point centre(box.x + box.width / 2, box.y + box.height / 2);
        EXPECT_NEAR(centre.x, expected.x, 4) << c.x;
        EXPECT_NEAR(centre.y, expected.y, 4) << c.x;
        // The pointer is 0.1 long and 0.05 wide: standing up it is taller than wide, lying down the other
        // way.
        EXPECT_EQ(box.height > box.width, c.upright) << c.heading << ": " << box.width << "x" << box.height;
    }
}

TEST_F(Hud, ScoreLinesAndTheEndScreen) {
    const auto darkPixels = [](const cv::Mat& frame, const cv::Rect& where) {
        return pixelsNear(frame, where, cv::Scalar::all(0), 20);
    };
    const cv::Rect scoreLine = area(-0.9f, -0.94f, -0.45f, -0.86f);
    const cv::Rect torpedoes = area(0.9f, -0.92f, 1.0f, -0.84f);
    const cv::Rect endTitle = area(-0.32f, 0.43f, 0.3f, 0.53f);
    const cv::Rect endStats = area(-0.62f, 0.23f, 0.8f, 0.42f);
    game.score = 1;
    game.torpedoes = 5;
    const cv::Mat playing = renderFrame();
    EXPECT_GT(darkPixels(playing, scoreLine), 60);
    EXPECT_GT(darkPixels(playing, torpedoes), 20);
    EXPECT_EQ(darkPixels(playing, endTitle), 0);
    game.score = -88888;
    EXPECT_GT(darkPixels(renderFrame(), scoreLine), darkPixels(playing, scoreLine) + 40);

    game.gameOver = true;
    const cv::Mat over = renderFrame();
    EXPECT_GT(darkPixels(over, endTitle), 150);
    EXPECT_GT(darkPixels(over, endStats), 400);
    EXPECT_GT(darkPixels(over, area(-0.32f, -0.37f, 0.0f, -0.27f)), 100) << "Spiel beenden mit Esc";
    // The end screen leaves the state the next frame expects.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(Hud, BeamLineAndEvacuationMessageShowInTheFramesAfterTheBeamTimer) {
    // A town above, near where the camera looks; the beam runs from it down to the submarine.
    onlyUlm(3.0f, 1);
    game.nearestTown = 0;
    game.beamingActive = true;
    const cv::Rect centre = area(-0.15f, -0.6f, 0.15f, 1.0f);
    const cv::Scalar cyan(255, 255, 0);
    EXPECT_EQ(pixelsNear(renderFrame(), centre, cyan, 60), 0);
    beamTimer(1);
    EXPECT_GT(pixelsNear(renderFrame(), centre, cyan, 60), 50) << "the beam line in the next frame";
    EXPECT_EQ(pixelsNear(renderFrame(), centre, cyan, 60), 0) << "and only in that one";
    EXPECT_EQ(game.score, 5);

    const cv::Rect message = area(-0.32f, 0.17f, 0.2f, 0.27f);
    const auto messagePixels = [&] { return pixelsNear(renderFrame(), message, cv::Scalar::all(0), 20); };
    EXPECT_EQ(messagePixels(), 0);
    beamTimer(0);
    const int shown = messagePixels();
    EXPECT_GT(shown, 100);
    EXPECT_EQ(messagePixels(), shown) << "the message stays until the next beam timer run";
    game.evacMessageCount = 6;
    beamTimer(0);
    EXPECT_EQ(messagePixels(), 0);
}
