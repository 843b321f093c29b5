#include "core/GameState.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"
#include "towns/Stadt.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A flat floor at `height`: every position over the grid is above or below it as the test says.
void flattenGrid(float height) {
    for (auto& column : terrainGrid)
        for (TerrainVertex& point : column)
            point.y = height;
}

GameState helmAt(Vec3d pos, Vec3d vel = {}, float pitch = 0.0f, float heading = 0.0f) {
    GameState state;
    state.playerPos = pos;
    state.playerVel = vel;
    state.pitch = pitch;
    state.heading = heading;
    return state;
}

double rad(float degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

TEST(Keyboard, ThrustGatesEachComponentOnItsValueBeforeTheChange) {
    flattenGrid(-100.0f);
    const double cp = std::cos(rad(20.0f)), sp = std::sin(rad(20.0f));
    const double ch = std::cos(rad(30.0f)), sh = std::sin(rad(30.0f));
    // Each key's push along x, y and z, with the single-precision factors.
    const std::tuple<unsigned char, double, double, double> pushes[] = {
        {'w', -0.4f * cp * sh, -0.1f * sp, -0.4f * cp * ch},
        {'s', 0.2f * cp * sh, 0.1f * sp, 0.2f * cp * ch},
        {'a', -0.2f * cp * ch, 0.0, 0.2f * cp * sh},
        {'d', 0.2f * cp * ch, 0.0, -0.2f * cp * sh},
    };
    // Inside the band a component takes its push; at +-0.4 exactly it takes none.
    const auto pushed = [](double v, double change) { return std::abs(v) < 0.4 ? v + change : v; };
    for (const Vec3d start :
         {Vec3d{0.39, -0.39, 0.3999}, Vec3d{0.4, -0.4, 0.4}, Vec3d{-0.4, 0.4, -0.4}, Vec3d{0.4, 0.0, -0.4}}) {
        for (const auto& [key, x, y, z] : pushes) {
            GameState state = helmAt({100.0, 0.0, -100.0}, start, 20.0f, 30.0f);
            EXPECT_EQ(pressKey(state, {}, key), KeyCommand::None);
            EXPECT_DOUBLE_EQ(state.playerVel.x, pushed(start.x, x)) << key << " " << start.x;
            EXPECT_DOUBLE_EQ(state.playerVel.y, pushed(start.y, y)) << key << " " << start.y;
            EXPECT_DOUBLE_EQ(state.playerVel.z, pushed(start.z, z)) << key << " " << start.z;
        }
    }
    // Held from rest: the single-precision 0.4 is a hair over 0.4, so W leaves the band with its first
    // push and S with its second.
    for (const auto& [key, pushes, want] :
         {std::tuple{'w', 10, -static_cast<double>(0.4f)}, {'s', 10, 2.0 * static_cast<double>(0.2f)}}) {
        GameState state = helmAt({100.0, 0.0, -100.0});
        for (int press = 0; press < pushes; ++press)
            pressKey(state, {}, key);
        EXPECT_EQ(state.playerVel.z, want) << key;
    }
}

TEST(Keyboard, HorizontalThrustOnlyAboveTheGroundInsideTheGrid) {
    flattenGrid(-50.0f);
    terrainGrid[1023][511].y = 10.0f;
    const std::pair<Vec3d, bool> cases[] = {
        {{-3.0, 0.0, -100.0}, true},       // x -3 still falls on column 0
        {{-4.0, 0.0, -100.0}, false},      // column -1
        {{4095.9, 0.0, -100.0}, true},     // column 1023
        {{4096.0, 0.0, -100.0}, false},    // column 1024
        {{100.0, 0.0, 3.0}, true},         // row 0 from a z just above zero
        {{100.0, 0.0, -2048.0}, false},    // row 512
        {{100.0, -50.0, -100.0}, false},   // exactly at ground height
        {{100.0, -49.999, -100.0}, true},  // just over it
        {{4092.0, 10.0, -2044.0}, false},  // the corner point's own height counts
        {{4092.0, 10.001, -2044.0}, true}, //
    };
    for (const auto& [pos, above] : cases) {
        GameState state = helmAt(pos);
        EXPECT_EQ(isAboveTerrain(state), above) << pos.x << " " << pos.y << " " << pos.z;
        for (unsigned char key : {'w', 'a'})
            pressKey(state, {}, key);
        EXPECT_EQ(state.playerVel.x != 0.0 || state.playerVel.z != 0.0, above) << pos.x << " " << pos.y;
    }
}

TEST(Keyboard, RiseNeedsRoomUnderTheSurfaceAndSinkIsGatedOnTheForwardSpeed) {
    struct Case {
        unsigned char key;
        float pitch;
        double y, vy, vz, wantVy;
    };
    const Case cases[] = {
        {'e', 0.0f, 0.0, 0.0, 0.0, 0.15f},                      // 0.15 level
        {'e', 0.0f, 0.0, 3.0, 0.0, 3.0 + 0.15f},                // no upper limit
        {'e', 60.0f, 0.0, 0.0, 0.0, 0.15f * std::cos(rad(60))}, // scaled by the pitch
        {'e', 0.0f, 0.0, -0.4, 0.0, -0.4},                      // refused at -0.4
        {'e', 0.0f, 17.9, 0.0, 0.0, 0.15f},                     // more than 2 under the surface
        {'e', 0.0f, 18.0, 0.0, 0.0, 0.0},                       // refused 2 under it
        {'q', 0.0f, 0.0, -5.0, 0.0, -5.0 - 0.15f},              // no limit on vy
        {'q', 0.0f, 0.0, 0.0, 0.4, 0.0},                        // refused while vz is 0.4
        {'q', 0.0f, 0.0, 0.0, -3.0, -0.15f},                    // any backward vz
    };
    for (const Case& c : cases) {
        GameState state = helmAt({100.0, c.y, -100.0}, {0.0, c.vy, c.vz}, c.pitch);
        pressKey(state, {}, c.key);
        EXPECT_DOUBLE_EQ(state.playerVel.y, c.wantVy) << c.key << " " << c.y << " " << c.vy << " " << c.vz;
        EXPECT_EQ(state.playerVel.z, c.vz);
    }
    GameState down = helmAt({}, {}, 90.0f);
    pressKey(down, {}, 'e');
    EXPECT_NEAR(down.playerVel.y, 0.0, 1e-9) << "nose straight down: rounding noise only";
}

TEST(Keyboard, CommandKeysArrowsAndEveryOtherCode) {
    const std::vector<Stadt> towns{Stadt(0.0f, 0.0f, 0.0f, 3, "Ulm")};
    // Only the exact lower-case codes act; the rest leave the record as it was, even after a lost game.
    for (int code = 0; code < 256; ++code) {
        const auto key = static_cast<unsigned char>(code);
        if (std::string_view("\x1b"
                             "wsadeqbcnopy")
                .find(static_cast<char>(key)) != std::string_view::npos)
            continue;
        GameState state = helmAt({0.0, -10.0, 0.0});
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

    // c and n nudge the aim away from the view; the arrows turn the view and take the aim along.
    pressKey(state, towns, 'c');
    pressKey(state, towns, 'n');
    EXPECT_EQ(state.aimPitch, 5.0f);
    EXPECT_EQ(state.aimHeading, 5.0f);
    EXPECT_EQ(state.pitch + state.heading, 0.0f);
    // Each arrow copies only its own axis into the aim: after Left the pitch's aim is still nudged.
    const std::tuple<int, float, float, float> arrows[] = {
        {kArrowLeft, 0.0f, 1.5f, 5.0f}, {kArrowDown, 1.5f, 1.5f, 1.5f}, {kArrowRight, 1.5f, 0.0f, 1.5f},
        {kArrowUp, 0.0f, 0.0f, 0.0f},   {kArrowUp, -1.5f, 0.0f, -1.5f}, {104, -1.5f, 0.0f, -1.5f}, // page up
    };
    for (const auto& [arrow, pitch, heading, aimPitch] : arrows) {
        pressArrow(state, arrow);
        EXPECT_EQ(state.pitch, pitch) << arrow;
        EXPECT_EQ(state.heading, heading) << arrow;
        EXPECT_EQ(state.aimPitch, aimPitch) << arrow;
        EXPECT_EQ(state.aimHeading, heading) << arrow;
    }

    // b starts beaming within reach of a town that still has inhabitants.
    std::vector<Stadt> near = towns;
    for (const auto& [z, inhabitants, beams] :
         {std::tuple{19.9, 3, true}, {20.0, 3, false}, {1.0, 0, false}}) {
        GameState helm = helmAt({0.0, 0.0, z});
        helm.nearestTown = 0;
        near[0].inhabitants = inhabitants;
        pressKey(helm, near, 'b');
        EXPECT_EQ(helm.beamingActive, beams) << z << " " << inhabitants;
    }
}

TEST(MouseLook, PointerTurnsInProportionAndAHeldButtonInHalfDegrees) {
    struct Case {
        bool held;
        float pitch, heading;
        int x, y; // from the last position (400, 400)
        float wantPitch, wantHeading;
    };
    const Case cases[] = {
        {false, 0.0f, 0.0f, 404, 410, 4.0f, -2.0f},           // 10 down and 4 right
        {false, 0.0f, 0.0f, 390, 395, -2.0f, 5.0f},           // up and left
        {false, 359.6f, 0.0f, 400, 402, 359.6f + 0.8f, 0.0f}, // past 360 is not reset
        {false, 0.0f, -359.0f, 402, 400, 0.0f, 0.0f},         // exactly -360 is
        {true, 0.0f, 0.0f, 450, 400, 0.0f, -0.5f},            // 50 right is half a degree
        {true, 0.0f, 0.0f, 399, 300, -0.5f, 0.5f},            // up and left by steps
        {true, 0.0f, 359.5f, 399, 400, 0.0f, 0.0f},           // stepping onto 360
        {true, -359.5f, 0.0f, 400, 399, 0.0f, 0.0f},          // stepping onto -360
    };
    for (const Case& c : cases) {
        GameState state = helmAt({}, {}, c.pitch, c.heading);
        state.mouseLastX = state.mouseLastY = 400;
        state.aimPitch = state.aimHeading = 99.0f;
        (c.held ? lookByStep : lookByPointer)(state, c.x, c.y);
        EXPECT_FLOAT_EQ(state.pitch, c.wantPitch) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(state.heading, c.wantHeading) << c.x << "," << c.y;
        // Only an axis that moved copies its view angle into the aim.
        EXPECT_EQ(state.aimPitch, c.y != 400 ? state.pitch : 99.0f) << c.x << "," << c.y;
        EXPECT_EQ(state.aimHeading, c.x != 400 ? state.heading : 99.0f) << c.x << "," << c.y;
        EXPECT_EQ(state.mouseLastX * 1000 + state.mouseLastY, c.x * 1000 + c.y);
    }
}

TEST(MouseLook, PointerNearAnEdgeIsPutBackOnceAndItsJumpTurnsNothing) {
    const std::pair<PointerPosition, std::optional<PointerPosition>> cases[] = {
        {{400, 300}, std::nullopt}, {{10, 10}, std::nullopt},    {{789, 589}, std::nullopt},
        {{795, 250}, {{400, 250}}}, {{790, 250}, {{400, 250}}},  {{9, 250}, {{400, 250}}},
        {{300, 590}, {{300, 300}}}, {{300, 9}, {{300, 300}}},    {{5, 595}, {{400, 300}}},
        {{-20, 700}, {{400, 300}}}, {{1000, 100}, {{400, 100}}},
    };
    for (const auto& [last, want] : cases) {
        GameState state;
        state.mouseLastX = last.x;
        state.mouseLastY = last.y;
        const std::optional<PointerPosition> moved = recentrePointer(state);
        ASSERT_EQ(moved.has_value(), want.has_value()) << last.x << "," << last.y;
        if (!moved)
            continue;
        EXPECT_EQ(moved->x * 1000 + moved->y, want->x * 1000 + want->y) << last.x << "," << last.y;
        // The event the warp produces lands where the rule says the pointer was: no turn.
        lookByPointer(state, moved->x, moved->y);
        EXPECT_EQ(state.pitch + state.heading, 0.0f);
    }
}
