#include "core/GameState.h"
#include "enemies/Enemy.h"
#include "player/Firing.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"
#include "player/Submarine.h"
#include "player/WeaponSystem.h"
#include "towns/Stadt.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <numbers>
#include <random>
#include <set>

namespace {

GameState helmAt(Vec3d pos, Vec3d vel = {}, float pitch = 0.0f, float heading = 0.0f) {
    GameState state;
    state.playerPos = pos;
    state.playerVel = vel;
    state.pitch = state.aimPitch = pitch;
    state.heading = state.aimHeading = heading;
    return state;
}

auto xyz(const auto& v) {
    return std::make_tuple(v.x, v.y, v.z);
}

constexpr double kDegree = std::numbers::pi / 180.0;

} // namespace

TEST(Keyboard, ThrustLiftCommandsArrowsAndBeaming) {
    TerrainGrid grid;
    for (TerrainVertex& point : grid.points)
        point.y = -100.0f;
    const double cp = std::cos(20 * kDegree), sp = std::sin(20 * kDegree);
    const double ch = std::cos(30 * kDegree), sh = std::sin(30 * kDegree);
    // key, pitch, heading, y, then the velocity before and after the press. Thrust pushes along the view,
    // in single-precision factors, each component not yet at +-0.4, and only over the floor. Rising needs
    // more than 2 under the surface and a vertical speed over -0.4; sinking is gated on the forward speed.
    const std::tuple<unsigned char, float, float, double, Vec3d, Vec3d> presses[] = {
        {'w', 20.0f, 30.0f, 0.0, {0.39, 0.0, 0.0}, {0.39 - 0.4f * cp * sh, -0.1f * sp, -0.4f * cp * ch}},
        {'s', 20.0f, 30.0f, 0.0, {-0.4, 0.39, 0.4}, {-0.4, 0.39 + 0.1f * sp, 0.4}},
        {'a', 20.0f, 30.0f, 0.0, {0.0, 0.0, -0.4}, {-0.2f * cp * ch, 0.0, -0.4}},
        {'d', 20.0f, 30.0f, 0.0, {-0.4, 0.0, 0.3999}, {-0.4, 0.0, 0.3999 - 0.2f * cp * sh}},
        {'s', 0.0f, 0.0f, -100.0, {}, {}},
        {'s', 0.0f, 0.0f, -99.999, {}, {0.0, 0.0, 0.2f}},
        {'e', 60.0f, 0.0f, 0.0, {0.0, 3.0, 0.0}, {0.0, 3.0 + 0.15f * std::cos(60 * kDegree), 0.0}},
        {'e', 0.0f, 0.0f, 0.0, {0.0, -0.4, 0.0}, {0.0, -0.4, 0.0}},
        {'e', 0.0f, 0.0f, 17.9, {}, {0.0, 0.15f, 0.0}},
        {'e', 0.0f, 0.0f, 18.0, {}, {}},
        {'q', 0.0f, 0.0f, 0.0, {0.0, -5.0, -3.0}, {0.0, -5.0 - 0.15f, -3.0}},
        {'q', 0.0f, 0.0f, 0.0, {0.0, -0.4, 0.4}, {0.0, -0.4, 0.4}}};
    for (const auto& [key, pitch, heading, y, before, after] : presses) {
        GameState state = helmAt({100.0, y, -100.0}, before, pitch, heading);
        pressKey(state, {}, grid, key);
        EXPECT_EQ(xyz(state.playerVel), xyz(after)) << key << " " << y;
    }

    std::vector<Stadt> towns{Stadt(0.0f, 0.0f, 0.0f, 3, "Ulm")};
    GameState state;
    EXPECT_EQ(pressKey(state, towns, grid, 27), KeyCommand::Quit);
    EXPECT_EQ(pressKey(state, towns, grid, 'y'), KeyCommand::None) << "no restart before a game was lost";
    state.gameEnded = true;
    EXPECT_EQ(pressKey(state, towns, grid, 'Y'), KeyCommand::None);
    EXPECT_EQ(pressKey(state, towns, grid, 'y'), KeyCommand::Restart);
    // c and n nudge the aim away from the view; each arrow turns the view and copies its own axis to the aim.
    pressKey(state, towns, grid, 'c');
    pressKey(state, towns, grid, 'n');
    // arrow (104 is page up), then pitch, heading and aimPitch; the aim's heading follows the view's
    const std::tuple<int, float, float, float> arrows[] = {
        {kArrowLeft, 0, 1.5, 5}, {kArrowDown, 1.5, 1.5, 1.5}, {kArrowRight, 1.5, 0, 1.5}, {kArrowUp, 0, 0, 0},
        {104, 0, 0, 0},
    };
    for (const auto& [arrow, pitch, heading, aimPitch] : arrows) {
        pressArrow(state, arrow);
        EXPECT_EQ(std::make_tuple(state.pitch, state.heading, state.aimPitch, state.aimHeading),
                  std::make_tuple(pitch, heading, aimPitch, heading));
    }
    // b starts beaming within reach of the nearest town, if it is one and still has inhabitants.
    const std::tuple<double, int, int, bool> beams[] = {
        {19.9, 0, -2, true}, {20.0, 0, 3, false}, {1.0, 0, 0, false}, {1.0, 1, 3, false}};
    for (const auto& [z, nearest, inhabitants, beaming] : beams) {
        state = helmAt({0.0, 0.0, z});
        state.nearestTown = nearest;
        towns[0].inhabitants = inhabitants;
        pressKey(state, towns, grid, 'b');
        EXPECT_EQ(state.beamingActive, beaming) << z << " " << nearest << " " << inhabitants;
    }
}

TEST(MouseLook, PointerTurnsInProportionAHeldButtonByHalfDegreesAndTheEdgeSendsItBackOnce) {
    // held, pitch, heading, the pointer moved from (400, 400) to x, y, then the pitch and heading after it:
    // only a full turn exactly folds back to 0
    const std::tuple<bool, float, float, int, int, float, float> looks[] = {
        {false, 359.6f, 0, 404, 402, 359.6f + 0.8f, -2},
        {false, 0, -359, 402, 400, 0, 0},
        {true, 0, 0, 350, 450, 0.5f, 0.5f},
        {true, 0, 359.5f, 399, 400, 0, 0}};
    for (const auto& [held, pitch, heading, x, y, wantPitch, wantHeading] : looks) {
        GameState state = helmAt({}, {}, pitch, heading);
        state.mouseLastX = state.mouseLastY = 400;
        state.aimPitch = state.aimHeading = 99.0f;
        (held ? lookByStep : lookByPointer)(state, x, y);
        // Only an axis that moved copies its view angle into the aim.
        EXPECT_EQ(
            std::make_tuple(state.pitch, state.heading, state.aimPitch, state.aimHeading, state.mouseLastX),
            std::make_tuple(wantPitch, wantHeading, y != 400 ? wantPitch : 99.0f,
                            x != 400 ? wantHeading : 99.0f, x));
    }
    // Within 10 of an edge of the 800 x 600 area the pointer goes back to the middle of that axis, once.
    const std::tuple<int, int, int, int> edges[] = {
        {10, 589, 10, 589}, {790, 250, 400, 250}, {9, 590, 400, 300}, {300, 9, 300, 300}};
    for (const auto& [x, y, wantX, wantY] : edges) {
        GameState state = helmAt({});
        state.mouseLastX = x;
        state.mouseLastY = y;
        const std::optional<PointerPosition> moved = recentrePointer(state);
        EXPECT_EQ(std::make_tuple(moved.has_value(), state.mouseLastX, state.mouseLastY),
                  std::make_tuple(x != wantX || y != wantY, wantX, wantY));
        EXPECT_TRUE(!moved || (moved->x == wantX && moved->y == wantY)) << x << "," << y;
    }
}

TEST(Submarine, MovesByItsVelocityDampsItAndStaysMoreThanAUnitUnderTheCeiling) {
    // y, vy, then the y after one tick under the water at 20: at or above it the submarine goes to a unit
    // under it, and a vertical move ending within that unit is dropped
    const std::tuple<double, double, double> moves[] = {{20.0, 0.3, 19.0},       {20.5, -0.3, 19.0 - 0.3},
                                                        {18.5, 0.4, 18.5 + 0.4}, {18.5, 0.6, 18.5},
                                                        {19.5, -0.5, 19.5},      {19.5, -0.51, 19.5 - 0.51}};
    for (const auto& [y, vy, wantY] : moves) {
        GameState state = helmAt({100.0, y, -100.0}, {0.4, vy, 0.00025});
        advanceSubmarine(state);
        EXPECT_EQ(std::make_tuple(state.playerPos.x, state.playerPos.y, state.playerVel.x, state.playerVel.y,
                                  state.playerVel.z),
                  std::make_tuple(100.0 + 0.4, wantY, 0.4 * 0.97, vy * 0.97, 0.0))
            << y << " " << vy << ": damped, and at rest at the threshold";
    }
}

TEST(Gun, FiresBelowSeventyHitsAllOnTheAimAndEveryShotIsHeardTurnsTheBarrelFlashesAndLeavesASpreadTracer) {
    GameState state = helmAt({1.0, 2.0, 3.0}, {}, 10.0f, -20.0f);
    WeaponSystem weapons;
    weapons.update(1.0f, 2.0f, 3.0f, state.aimPitch, state.aimHeading);
    // As the view has it (heading 0 looks along -z, a positive heading turns left, a positive pitch down)
    // the aim runs along (0.33682, -0.17365, -0.92542): one enemy 10 ahead, one 20 behind, one beside.
    PendingEffects spawn;
    std::vector<Enemy> enemies{Enemy(4.36824f, 0.26352f, -6.25417f, spawn),
                               Enemy(-5.73648f, 5.47296f, 21.50834f, spawn),
                               Enemy(4.36824f, 1.26352f, -6.25417f, spawn)};
    enemies[1].health = -10;
    // Held for 32 runs at 5 a shot and 1 a run: 18 shots to 72, then one whenever it has cooled below 70.
    // Released, it cools to 0 and no further.
    for (int run = 0; run < 112; ++run) {
        pressMouseButton(state, weapons, enemies, kLeftButton, run < 32 ? kButtonDown : kButtonUp);
        gunTimerStep(state, weapons, enemies);
    }
    EXPECT_EQ(std::make_pair(state.shotsFired, state.gunHeat), std::make_pair(21, 0));

    // Ahead or behind, dead or alive, each on the line takes 20 a shot and flashes yellow; one beside it does
    // not.
    EXPECT_EQ(std::make_tuple(enemies[0].health, enemies[1].health, enemies[2].health, state.shotHits,
                              state.effects.worldShapes.size()),
              std::make_tuple(-320, -430, 100, 42, 42u));
    const WorldShape& s = state.effects.worldShapes.at(1);
    EXPECT_EQ(
        std::tuple_cat(xyz(s.position), std::tie(s.kind, s.size, s.detail, s.colour, s.blended)),
        std::tuple_cat(xyz(enemies[1].position), std::make_tuple(WorldShape::Kind::Sphere, 0.9f, 10,
                                                                 Colour{1.0f, 1.0f, 0.0f, 0.5f}, true)));

    enemies.clear();
    state.gunBarrelAngle = state.muzzleFlashFrame = 0;
    pressMouseButton(state, weapons, enemies, kLeftButton, kButtonDown);
    std::srand(7);
    std::set<long> spreads; // of pitch and heading in thousandths of a degree, read back from each tracer
    for (int shot = 1; shot <= 20000; ++shot) {
        state.gunHeat = 0;
        gunTimerStep(state, weapons, enemies);
        const int barrel = (shot - 1) % 18 * 20 + 20; // 20, 40, ..., 360, 20, ...
        const MuzzleFlash flash = state.effects.muzzleFlash.value();
        ASSERT_EQ(std::make_tuple(state.gunBarrelAngle, state.muzzleFlashFrame, flash.turn),
                  std::make_tuple(barrel, shot % 5, barrel + 72.0f * ((shot - 1) % 5)));
        const Vec3 v = weapons.tracers.at(20 + shot).direction;
        spreads.insert(std::lround((std::asin(v.y) / kDegree + 10.0) * 1000.0));
        spreads.insert(std::lround((std::atan2(v.x, -v.z) / kDegree - 20.0) * 1000.0));
    }
    EXPECT_EQ(std::make_tuple(spreads.size(), *spreads.begin(), *spreads.rbegin()),
              std::make_tuple(1400u, -700L, 699L));
    EXPECT_EQ(std::make_tuple(weapons.tracers.size(), xyz(weapons.tracers.at(20020).position),
                              state.effects.sounds),
              std::make_tuple(20021u, std::make_tuple(1.0f, 2.0f, 3.0f),
                              std::vector<Sound>(20021, Sound::GunShot)));
}

TEST(Gun, TheAimLineIsABoxOfPointThreeAroundTheWholeLine) {
    std::mt19937 random(99);
    std::uniform_real_distribution<float> angle(-180.0f, 180.0f), along(-300.0f, 300.0f), off(-0.5f, 0.5f);
    int hits = 0, misses = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const Vec3 d = shotDirection(angle(random) / 2, angle(random));
        const float t = along(random);
        const Vec3 o{t * d.x + off(random), t * d.y + off(random), t * d.z + off(random)};
        // The box is on d x o; each component of the product sums over the permutation signs of its indices.
        const double dv[] = {d.x, d.y, d.z}, ov[] = {o.x, o.y, o.z};
        bool hit = true, nearEdge = false;
        for (int i = 0; i < 3; ++i) {
            double k = 0.0;
            for (int j = 0; j < 3; ++j)
                for (int l = 0; l < 3; ++l)
                    k += (i - j) * (j - l) * (l - i) / 2 * dv[j] * ov[l];
            hit = hit && std::abs(k) < 0.3;
            nearEdge = nearEdge || std::abs(std::abs(k) - 0.3) < 1e-3;
        }
        if (nearEdge)
            continue;
        ASSERT_EQ(isInLineOfFire(d, o), hit) << trial;
        (hit ? hits : misses) += 1;
    }
    EXPECT_GT(std::min(hits, misses), 3000);
    EXPECT_FALSE(isInLineOfFire({0.0f, 0.0f, -1.0f}, {-0.3f, 0.0f, 50.0f})) << "the edge is outside";
}

TEST(Torpedo, PressesLaunchDetonateAndLaunchAgainAndTheBlastTakesAHundredWithinThirty) {
    GameState state;
    state.torpedoes = 2;
    WeaponSystem weapons;
    PendingEffects spawn;
    std::vector<Enemy> enemies{Enemy(0.0f, 0.0f, -10.0f, spawn)};
    // Right presses: what each is heard as (the gun's shot when nothing is), the torpedo state, torpedoes
    // left and out; a blast is felt on the pad as well as heard.
    using enum Sound;
    const std::tuple<Sound, int, int, size_t> rows[] = {{TorpedoLaunch, 1, 1, 1},
                                                        {GreatExplosion, 0, 1, 1},
                                                        {TorpedoLaunch, 1, 0, 2},
                                                        {GreatExplosion, 0, 0, 2},
                                                        {GunShot, 0, 0, 2}};
    for (const auto& [sound, torpedoState, left, out] : rows) {
        state.effects.sounds = {GunShot};
        state.effects.rumble.reset();
        pressMouseButton(state, weapons, enemies, kRightButton, kButtonDown);
        EXPECT_EQ(std::make_tuple(state.effects.sounds.back(), state.torpedoState, state.torpedoes,
                                  weapons.runningTorpedoes.size(), state.effects.rumble.has_value()),
                  std::make_tuple(sound, torpedoState, left, out, sound == GreatExplosion));
    }
    EXPECT_TRUE(weapons.runningTorpedoes[1].detonated) << "each press sets off its own torpedo";
    EXPECT_EQ(enemies[0].health, -100);

    // One unit out along -z, the blast reaches exactly 30, not just outside, one inside, a wreck again.
    weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    weapons.fire(kTorpedo);
    weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    const std::tuple<Vec3, int, int> blast[] = {{{130, 0, -1}, 100, 0},
                                                {{100, 30.01f, -1}, 100, 100},
                                                {{100, 0, -29}, 100, 0},
                                                {{110, 10, 9}, -50, -150}};
    enemies.clear();
    for (const auto& [at, health, after] : blast)
        enemies.emplace_back(at.x, at.y, at.z, spawn).health = health;
    detonateTorpedo(weapons, enemies);
    detonateTorpedo(weapons, enemies); // the growing blast is not set off again
    for (size_t k = 0; k < enemies.size(); ++k)
        EXPECT_EQ(enemies[k].health, std::get<2>(blast[k])) << k;
}
