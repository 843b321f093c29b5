#include "core/GameState.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"
#include "towns/Stadt.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A flat floor at `height`, so that every position over the grid is above or below it as the test says.
void flattenGrid(float height) {
    for (auto& column : terrainGrid)
        for (TerrainVertex& point : column)
            point.y = height;
}

double rad(float degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

TEST(Keyboard, ThrustGatesEachComponentOnItsValueBeforeTheChange) {
    flattenGrid(-100.0f);
    const float pitch = 20.0f, heading = 30.0f;
    const double cp = std::cos(rad(pitch)), sp = std::sin(rad(pitch));
    const double ch = std::cos(rad(heading)), sh = std::sin(rad(heading));
    // The pushes of each key along x, y and z, with the single-precision factors.
    struct Push {
        unsigned char key;
        double x, y, z;
    };
    const Push pushes[] = {
        {'w', -0.4f * cp * sh, -0.1f * sp, -0.4f * cp * ch},
        {'s', 0.2f * cp * sh, 0.1f * sp, 0.2f * cp * ch},
        {'a', -0.2f * cp * ch, 0.0, 0.2f * cp * sh},
        {'d', 0.2f * cp * ch, 0.0, -0.2f * cp * sh},
    };
    // Inside the band every component takes its push; at +-0.4 exactly none does.
    for (const Vec3d start : {Vec3d{0.0, 0.0, 0.0}, Vec3d{0.39, -0.39, 0.3999}, Vec3d{0.4, -0.4, 0.4},
                              Vec3d{-0.4, 0.4, -0.4}, Vec3d{0.4, 0.0, -0.4}}) {
        for (const Push& push : pushes) {
            GameState state;
            state.pitch = pitch;
            state.heading = heading;
            state.playerPos = {100.0, 0.0, -100.0};
            state.playerVel = start;
            EXPECT_EQ(pressKey(state, {}, push.key), KeyCommand::None);
            const auto pushed = [](double v, double change) { return std::abs(v) < 0.4 ? v + change : v; };
            EXPECT_DOUBLE_EQ(state.playerVel.x, pushed(start.x, push.x)) << push.key << " " << start.x;
            EXPECT_DOUBLE_EQ(state.playerVel.y, pushed(start.y, push.y)) << push.key << " " << start.y;
            EXPECT_DOUBLE_EQ(state.playerVel.z, pushed(start.z, push.z)) << push.key << " " << start.z;
        }
    }
    // Held W from rest: the single-precision 0.4 is a hair over 0.4, so the first push already leaves
    // the band and no second one follows; held S stops after two pushes of 0.2 for the same reason.
    GameState state;
    state.playerPos = {100.0, 0.0, -100.0};
    for (int press = 0; press < 10; ++press)
        pressKey(state, {}, 'w');
    EXPECT_EQ(state.playerVel.z, -static_cast<double>(0.4f));
    state.playerVel = {};
    for (int press = 0; press < 10; ++press)
        pressKey(state, {}, 's');
    EXPECT_EQ(state.playerVel.z, 2.0 * static_cast<double>(0.2f));

    // Below the ground, or off the grid, the horizontal keys do nothing.
    for (const Vec3d pos : {Vec3d{100.0, -100.0, -100.0}, Vec3d{-10.0, 0.0, -100.0}}) {
        GameState stuck;
        stuck.playerPos = pos;
        for (unsigned char key : {'w', 's', 'a', 'd'})
            pressKey(stuck, {}, key);
        EXPECT_EQ(stuck.playerVel.x, 0.0);
        EXPECT_EQ(stuck.playerVel.y, 0.0);
        EXPECT_EQ(stuck.playerVel.z, 0.0);
    }
}

TEST(Keyboard, RiseNeedsRoomUnderTheSurfaceAndSinkIsGatedOnTheForwardSpeed) {
    struct Case {
        unsigned char key;
        float pitch;
        double y, vy, vz;
        double wantVy;
        const char* what;
    };
    const Case cases[] = {
        {'e', 0.0f, 0.0, 0.0, 0.0, 0.15f, "E adds 0.15 level"},
        {'e', 0.0f, 0.0, 3.0, 0.0, 3.0 + 0.15f, "E has no upper limit"},
        {'e', 60.0f, 0.0, 0.0, 0.0, 0.15f * std::cos(rad(60.0f)), "E scales with the pitch"},
        {'e', 0.0f, 0.0, -0.4, 0.0, -0.4, "E refused at -0.4"},
        {'e', 0.0f, 17.9, 0.0, 0.0, 0.15f, "E works more than 2 under the surface"},
        {'e', 0.0f, 18.0, 0.0, 0.0, 0.0, "E refused 2 under the surface"},
        {'q', 0.0f, 0.0, 0.0, 0.0, -0.15f, "Q subtracts 0.15"},
        {'q', 0.0f, 0.0, -5.0, 0.0, -5.0 - 0.15f, "Q ignores the vertical speed"},
        {'q', 0.0f, 0.0, 0.0, 0.4, 0.0, "Q refused while vz is 0.4"},
        {'q', 0.0f, 0.0, 0.0, -3.0, -0.15f, "Q works at any backward vz"},
    };
    for (const Case& c : cases) {
        GameState state;
        state.pitch = c.pitch;
        state.playerPos = {100.0, c.y, -100.0};
        state.playerVel = {0.0, c.vy, c.vz};
        pressKey(state, {}, c.key);
        EXPECT_DOUBLE_EQ(state.playerVel.y, c.wantVy) << c.what;
        EXPECT_EQ(state.playerVel.z, c.vz) << c.what;
    }
    // Nose straight down: only rounding noise.
    GameState down;
    down.pitch = 90.0f;
    pressKey(down, {}, 'e');
    EXPECT_NEAR(down.playerVel.y, 0.0, 1e-9);
}

TEST(Keyboard, AboveTerrainTruncatesTowardZeroInsideTheGridAndNeedsToBeHigherThanTheGround) {
    flattenGrid(-50.0f);
    terrainGrid[1023][511].y = 10.0f;
    struct Case {
        double x, y, z;
        bool above;
    };
    const Case cases[] = {
        {-3.0, 0.0, -100.0, true},       // x -3 still falls on column 0
        {-4.0, 0.0, -100.0, false},      // column -1
        {4095.9, 0.0, -100.0, true},     // column 1023
        {4096.0, 0.0, -100.0, false},    // column 1024
        {100.0, 0.0, 3.0, true},         // row 0 from a z just above zero
        {100.0, 0.0, -2047.9, true},     // row 511
        {100.0, 0.0, -2048.0, false},    // row 512
        {100.0, -50.0, -100.0, false},   // exactly at ground height
        {100.0, -49.999, -100.0, true},  // just over it
        {4092.0, 10.0, -2044.0, false},  // the corner point's own height counts
        {4092.0, 10.001, -2044.0, true}, //
    };
    for (const Case& c : cases) {
        GameState state;
        state.playerPos = {c.x, c.y, c.z};
        EXPECT_EQ(isAboveTerrain(state), c.above) << c.x << " " << c.y << " " << c.z;
    }
}

TEST(Keyboard, CommandKeysAndEveryOtherCode) {
    // Only the exact lower-case codes act; the rest leave the record as it was.
    const std::vector<Stadt> towns{Stadt(0.0f, 0.0f, 0.0f, 3, "Ulm")};
    for (int code = 0; code < 256; ++code) {
        const auto key = static_cast<unsigned char>(code);
        if (std::string_view("\x1b"
                             "wsadeqbcnopy")
                .find(static_cast<char>(key)) != std::string_view::npos)
            continue;
        GameState state;
        state.playerPos = {0.0, -10.0, 0.0};
        state.gameEnded = true;
        state.nearestTown = 0;
        EXPECT_EQ(pressKey(state, towns, key), KeyCommand::None) << code;
        EXPECT_FALSE(state.beamingActive || state.playerVel.y != 0.0 || state.aimPitch != 0.0f ||
                     state.aimHeading != 0.0f)
            << code;
    }

    GameState state;
    EXPECT_EQ(pressKey(state, towns, 27), KeyCommand::Quit);
    EXPECT_EQ(pressKey(state, towns, 'o'), KeyCommand::Redraw);
    EXPECT_EQ(pressKey(state, towns, 'p'), KeyCommand::PrintScore);
    EXPECT_EQ(pressKey(state, towns, 'y'), KeyCommand::None) << "no restart before a game was lost";
    state.gameEnded = true;
    EXPECT_EQ(pressKey(state, towns, 'y'), KeyCommand::Restart);

    // c and n nudge the aim away from the view.
    state.aimPitch = 1.0f;
    pressKey(state, towns, 'c');
    pressKey(state, towns, 'n');
    pressKey(state, towns, 'n');
    EXPECT_EQ(state.aimPitch, 6.0f);
    EXPECT_EQ(state.aimHeading, 10.0f);
    EXPECT_EQ(state.pitch, 0.0f);
    EXPECT_EQ(state.heading, 0.0f);

    // b starts beaming within reach of a town that still has inhabitants.
    std::vector<Stadt> near = towns;
    for (const auto& [z, inhabitants, beams] :
         {std::tuple{19.9, 3, true}, {20.0, 3, false}, {1.0, 0, false}}) {
        GameState helm;
        helm.playerPos = {0.0, 0.0, z};
        helm.nearestTown = 0;
        near[0].inhabitants = inhabitants;
        pressKey(helm, near, 'b');
        EXPECT_EQ(helm.beamingActive, beams) << z << " " << inhabitants;
    }
}

TEST(Keyboard, ArrowsTurnTheViewAndTakeTheAimAlong) {
    GameState state;
    state.aimHeading = 7.0f;
    state.aimPitch = 7.0f;
    pressArrow(state, kArrowLeft);
    EXPECT_EQ(state.heading, 1.5f);
    EXPECT_EQ(state.aimHeading, 1.5f);
    EXPECT_EQ(state.aimPitch, 7.0f) << "the other axis keeps its aim";
    pressArrow(state, kArrowRight);
    pressArrow(state, kArrowRight);
    EXPECT_EQ(state.heading, -1.5f);
    pressArrow(state, kArrowUp);
    EXPECT_EQ(state.pitch, -1.5f);
    EXPECT_EQ(state.aimPitch, -1.5f);
    pressArrow(state, kArrowDown);
    pressArrow(state, kArrowDown);
    EXPECT_EQ(state.pitch, 1.5f);
    // Neither wrapped nor clamped.
    state.heading = 359.0f;
    pressArrow(state, kArrowLeft);
    EXPECT_EQ(state.heading, 360.5f);
    const GameState before = state;
    pressArrow(state, 104); // page up and the like
    EXPECT_EQ(state.heading, before.heading);
    EXPECT_EQ(state.pitch, before.pitch);
}

TEST(Keyboard, RestartSetsItsValuesAndKeepsTheVelocity) {
    GameState state;
    state.playerVel = {0.3, -0.2, 0.1};
    state.gunHeat = 40;
    state.gameOver = state.gameEnded = true;
    state.lifePoints = -6;
    state.score = 80;
    state.torpedoes = 0;
    applyRestartValues(state);
    EXPECT_EQ(state.playerPos.x, 200.0);
    EXPECT_EQ(state.playerPos.y, -50.0);
    EXPECT_EQ(state.playerPos.z, -50.0);
    EXPECT_FALSE(state.gameOver);
    EXPECT_TRUE(state.gameEnded);
    EXPECT_EQ(state.lifePoints, 100);
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(state.torpedoes, 5);
    EXPECT_EQ(state.playerVel.x, 0.3);
    EXPECT_EQ(state.gunHeat, 40);
}

TEST(MouseLook, PointerTurnsInProportionAndAHeldButtonInHalfDegrees) {
    struct Case {
        bool held;
        float pitch, heading;
        int x, y; // from the last position (400, 400)
        float wantPitch, wantHeading;
        const char* what;
    };
    const Case cases[] = {
        {false, 0.0f, 0.0f, 404, 410, 4.0f, -2.0f, "10 down and 4 right"},
        {false, 0.0f, 0.0f, 390, 395, -2.0f, 5.0f, "up and left"},
        {false, 359.6f, 0.0f, 400, 402, 359.6f + 0.8f, 0.0f, "pitch past 360 is not reset"},
        {false, 0.0f, -359.0f, 402, 400, 0.0f, 0.0f, "heading at exactly -360 is reset"},
        {true, 0.0f, 0.0f, 450, 400, 0.0f, -0.5f, "50 right is half a degree"},
        {true, 0.0f, 0.0f, 399, 300, -0.5f, 0.5f, "up and left by steps"},
        {true, 0.0f, 359.5f, 399, 400, 0.0f, 0.0f, "heading stepping onto 360 is reset"},
        {true, -359.5f, 0.0f, 400, 399, 0.0f, 0.0f, "pitch stepping onto -360 is reset"},
    };
    for (const Case& c : cases) {
        GameState state;
        state.mouseLastX = state.mouseLastY = 400;
        state.pitch = c.pitch;
        state.heading = c.heading;
        state.aimPitch = state.aimHeading = 99.0f;
        (c.held ? lookByStep : lookByPointer)(state, c.x, c.y);
        EXPECT_FLOAT_EQ(state.pitch, c.wantPitch) << c.what;
        EXPECT_FLOAT_EQ(state.heading, c.wantHeading) << c.what;
        // Only an axis that moved copies its view angle into the aim.
        EXPECT_EQ(state.aimPitch, c.y != 400 ? state.pitch : 99.0f) << c.what;
        EXPECT_EQ(state.aimHeading, c.x != 400 ? state.heading : 99.0f) << c.what;
        EXPECT_EQ(state.mouseLastX, c.x);
        EXPECT_EQ(state.mouseLastY, c.y);
    }
}

TEST(MouseLook, PointerNearAnEdgeIsPutBackOnceAndItsJumpTurnsNothing) {
    struct Case {
        int x, y;
        std::optional<PointerPosition> want;
    };
    const Case cases[] = {
        {400, 300, std::nullopt}, {10, 10, std::nullopt},    {789, 589, std::nullopt},
        {795, 250, {{400, 250}}}, {790, 250, {{400, 250}}},  {9, 250, {{400, 250}}},
        {300, 590, {{300, 300}}}, {300, 9, {{300, 300}}},    {5, 595, {{400, 300}}},
        {-20, 700, {{400, 300}}}, {1000, 100, {{400, 100}}},
    };
    for (const Case& c : cases) {
        GameState state;
        state.mouseLastX = c.x;
        state.mouseLastY = c.y;
        const std::optional<PointerPosition> moved = recentrePointer(state);
        ASSERT_EQ(moved.has_value(), c.want.has_value()) << c.x << "," << c.y;
        if (!moved)
            continue;
        EXPECT_EQ(moved->x, c.want->x);
        EXPECT_EQ(moved->y, c.want->y);
        // The event the warp produces lands where the rule says the pointer was: no turn.
        lookByPointer(state, moved->x, moved->y);
        EXPECT_EQ(state.pitch, 0.0f);
        EXPECT_EQ(state.heading, 0.0f);
    }
}
