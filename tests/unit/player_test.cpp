#include "core/GameState.h"
#include "enemies/Enemy.h"
#include "player/Firing.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"
#include "player/Submarine.h"
#include "player/WeaponSystem.h"
#include "support/CoutCapture.h"
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

double rad(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

auto xyz(const auto& v) {
    return std::make_tuple(v.x, v.y, v.z);
}

} // namespace

TEST(Keyboard, ThrustLiftCommandsArrowsAndBeaming) {
    for (auto& column : terrainGrid)
        for (TerrainVertex& point : column)
            point.y = -100.0f;
    const double cp = std::cos(rad(20.0f)), sp = std::sin(rad(20.0f));
    const double ch = std::cos(rad(30.0f)), sh = std::sin(rad(30.0f));
    // Each key's push along x, y and z, in single-precision factors; a component at +-0.4 takes none.
    const std::tuple<unsigned char, double, double, double> pushes[] = {
        {'w', -0.4f * cp * sh, -0.1f * sp, -0.4f * cp * ch},
        {'s', 0.2f * cp * sh, 0.1f * sp, 0.2f * cp * ch},
        {'a', -0.2f * cp * ch, 0.0, 0.2f * cp * sh},
        {'d', 0.2f * cp * ch, 0.0, -0.2f * cp * sh}};
    const auto pushed = [](double v, double change) { return std::abs(v) < 0.4 ? v + change : v; };
    for (const Vec3d v : {Vec3d{0.39, -0.4, 0.3999}, Vec3d{-0.4, 0.39, 0.4}})
        for (const auto& [key, x, y, z] : pushes) {
            GameState state = helmAt({100.0, 0.0, -100.0}, v, 20.0f, 30.0f);
            pressKey(state, {}, key);
            EXPECT_EQ(xyz(state.playerVel), std::make_tuple(pushed(v.x, x), pushed(v.y, y), pushed(v.z, z)))
                << key;
        }
    // key, pitch, y, then the velocity before and after the press
    const std::tuple<unsigned char, float, double, Vec3d, Vec3d> presses[] = {
        {'d', 0.0f, -100.0, {}, {}},                                                     // not over the floor
        {'d', 0.0f, -99.999, {}, {0.2f, 0.0, 0.0}},                                      // just over it
        {'e', 60.0f, 0.0, {0.0, 3.0, 0.0}, {0.0, 3.0 + 0.15f * std::cos(rad(60)), 0.0}}, // no upper limit
        {'e', 0.0f, 0.0, {0.0, -0.4, 0.0}, {0.0, -0.4, 0.0}},                            // refused at -0.4
        {'e', 0.0f, 17.9, {}, {0.0, 0.15f, 0.0}},                       // more than 2 under the surface
        {'e', 0.0f, 18.0, {}, {}},                                      // 2 under it
        {'q', 0.0f, 0.0, {0.0, -5.0, -3.0}, {0.0, -5.0 - 0.15f, -3.0}}, // gated on vz only: below 0.4
        {'q', 0.0f, 0.0, {0.0, 0.0, 0.4}, {0.0, 0.0, 0.4}},
    };
    for (const auto& [key, pitch, y, before, after] : presses) {
        GameState state = helmAt({100.0, y, -100.0}, before, pitch);
        EXPECT_EQ(pressKey(state, {}, key), KeyCommand::None);
        EXPECT_EQ(xyz(state.playerVel), xyz(after)) << key << " " << y;
    }

    std::vector<Stadt> towns{Stadt(0.0f, 0.0f, 0.0f, 3, "Ulm")};
    GameState state;
    for (const auto& [key, lost, command] : {std::tuple{'\x1b', false, KeyCommand::Quit},
                                             {'o', false, KeyCommand::Redraw},
                                             {'p', false, KeyCommand::PrintScore},
                                             {'y', false, KeyCommand::None},
                                             {'Y', true, KeyCommand::None},
                                             {'y', true, KeyCommand::Restart}}) {
        state.gameEnded = lost;
        EXPECT_EQ(pressKey(state, towns, key), command) << key << " " << lost;
    }
    // c and n nudge the aim away from the view; each arrow turns the view and copies its own axis to the aim.
    pressKey(state, towns, 'c');
    pressKey(state, towns, 'n');
    for (const auto& [arrow, pitch, heading, aimPitch] : {std::tuple{kArrowLeft, 0.0f, 1.5f, 5.0f},
                                                          {kArrowDown, 1.5f, 1.5f, 1.5f},
                                                          {kArrowRight, 1.5f, 0.0f, 1.5f},
                                                          {kArrowUp, 0.0f, 0.0f, 0.0f},
                                                          {104, 0.0f, 0.0f, 0.0f}}) {
        pressArrow(state, arrow);
        EXPECT_EQ(xyz(Vec3{state.pitch, state.heading, state.aimPitch}), std::tie(pitch, heading, aimPitch));
        EXPECT_EQ(state.aimHeading, heading) << arrow;
    }
    // b starts beaming within reach of the nearest town, if it is one and still has inhabitants.
    for (const auto& [z, nearest, inhabitants, beams] :
         {std::tuple{19.9, 0, -2, true}, {20.0, 0, 3, false}, {1.0, 0, 0, false}, {1.0, 1, 3, false}}) {
        state = helmAt({0.0, 0.0, z});
        state.nearestTown = nearest;
        towns[0].inhabitants = inhabitants;
        pressKey(state, towns, 'b');
        EXPECT_EQ(state.beamingActive, beams) << z << " " << nearest << " " << inhabitants;
    }
}

TEST(MouseLook, PointerTurnsInProportionAHeldButtonByHalfDegreesAndTheEdgeSendsItBackOnce) {
    // held, pitch, heading, the pointer from (400, 400), then the pitch and heading after it
    for (const auto& [held, pitch, heading, x, y, wantPitch, wantHeading] :
         {std::tuple{false, 359.6f, 0.0f, 404, 402, 359.6f + 0.8f, -2.0f}, // past 360 is not folded
          {false, 0.0f, -359.0f, 402, 400, 0.0f, 0.0f},                    // exactly -360 is
          {true, 0.0f, 0.0f, 350, 450, 0.5f, 0.5f},                        // 50 left and down: half a degree
          {true, 0.0f, 359.5f, 399, 400, 0.0f, 0.0f}}) {
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
    for (const auto& [x, y, wantX, wantY] :
         {std::tuple{10, 589, 10, 589}, {790, 250, 400, 250}, {9, 590, 400, 300}, {300, 9, 300, 300}}) {
        GameState state = helmAt({});
        state.mouseLastX = x;
        state.mouseLastY = y;
        const std::optional<PointerPosition> moved = recentrePointer(state);
        ASSERT_EQ(moved.has_value(), x != wantX || y != wantY) << x << "," << y;
        if (moved)
            lookByPointer(state, moved->x, moved->y);
        EXPECT_EQ(std::make_tuple(state.mouseLastX, state.mouseLastY, state.pitch + state.heading),
                  std::make_tuple(wantX, wantY, 0.0f))
            << "the warp's own event turns nothing";
    }
}

TEST(Submarine, MovesByItsVelocityDampsItAndStaysMoreThanAUnitUnderTheCeiling) {
    // y, vy, then the y after one tick under the water at 20
    for (const auto& [y, vy, wantY] :
         {std::tuple{20.0, 0.3, 19.0}, // at the water: one under, the rise dropped
          {20.5, -0.3, 18.7},          // above it: a fall still applies
          {18.5, 0.4, 18.9},           // a rise ending over a unit below applies
          {18.5, 0.6, 18.5},           // one into the margin is dropped
          {19.5, -0.5, 19.5},          // so is a fall still ending in it
          {19.5, -0.51, 18.99}}) {
        GameState state = helmAt({100.0, y, -100.0}, {0.4, vy, 0.00026});
        advanceSubmarine(state);
        EXPECT_DOUBLE_EQ(state.playerPos.y, wantY) << y << " " << vy;
        EXPECT_EQ(std::make_tuple(state.playerPos.x, state.playerVel.x, state.playerVel.y, state.playerVel.z),
                  std::make_tuple(100.0 + 0.4, 0.4 * 0.97, vy * 0.97, 0.00026 * 0.97));
    }
    // The threshold counts as at rest on both sides.
    GameState state = helmAt({}, {0.00025, -0.00025, 0.0});
    advanceSubmarine(state);
    EXPECT_EQ(xyz(state.playerVel), std::make_tuple(0.0, 0.0, 0.0));
}

TEST(Gun, FiresBelowSeventyEveryShotHeardWithABarrelTurnAFlashASpreadTracerAndHitsOnThePointThreeAimLine) {
    GameState state;
    WeaponSystem weapons;
    std::vector<Enemy> enemies;
    std::string shots;
    for (int run = 0; run < 112; ++run) {
        const int before = state.shotsFired;
        pressMouseButton(state, weapons, enemies, kLeftButton, run < 32 ? kButtonDown : kButtonUp);
        gunTimerStep(state, weapons, enemies);
        shots += state.shotsFired > before ? 'x' : '.';
    }
    // 5 a shot, 1 a run: 72 after the 18th shot; 70 holds fire, 69 lets one through. Released, it cools to 0.
    EXPECT_EQ(std::make_pair(shots, state.gunHeat),
              std::make_pair(std::string(18, 'x') + "...x....x....x" + std::string(80, '.'), 0));

    std::mt19937 random(99);
    std::uniform_real_distribution<float> angle(-180.0f, 180.0f), along(-300.0f, 300.0f), off(-0.5f, 0.5f);
    std::srand(7);
    PendingEffects spawn;
    std::set<long> spreads[2]; // in thousandths of a degree, read back from each tracer's direction
    std::set<float> tilts;
    int hits = 0;
    state.gunBarrelAngle = state.muzzleFlashFrame = 0;
    state.gunTriggerHeld = true;
    for (int shot = 1; shot <= 20000; ++shot) {
        state.playerPos = {angle(random), angle(random), angle(random)};
        state.aimPitch = angle(random) / 3;
        state.aimHeading = angle(random);
        state.effects = {};
        state.shotHits = state.gunHeat = 0;
        // As the view has it: heading 0 looks along -z, a positive heading turns left, a positive pitch down.
        const double p = rad(state.aimPitch), h = rad(state.aimHeading), t = along(random);
        const double d[] = {-std::sin(h) * std::cos(p), -std::sin(p), -std::cos(h) * std::cos(p)};
        const Vec3 player = state.playerPos.toFloat();
        enemies = {Enemy(static_cast<float>(player.x + t * d[0] + off(random)),
                         static_cast<float>(player.y + t * d[1] + off(random)),
                         static_cast<float>(player.z + t * d[2] + off(random)), spawn)};
        enemies[0].health = shot % 2 * 100 - 10; // dead or alive
        // The box is on d x o, o the player less the enemy; each component of the product sums over the
        // permutation signs of its indices.
        const Vec3 e = enemies[0].position;
        const double o[] = {player.x - e.x, player.y - e.y, player.z - e.z};
        bool hit = true, nearEdge = false;
        for (int i = 0; i < 3; ++i) {
            double k = 0.0;
            for (int j = 0; j < 3; ++j)
                for (int l = 0; l < 3; ++l)
                    k += (i - j) * (j - l) * (l - i) / 2 * d[j] * o[l];
            hit = hit && std::abs(k) < 0.3;
            nearEdge = nearEdge || std::abs(std::abs(k) - 0.3) < 1e-3;
        }
        weapons.update(player.x, player.y, player.z, state.aimPitch, state.aimHeading);
        weapons.tracers.clear();
        gunTimerStep(state, weapons, enemies);
        const int barrel = (shot - 1) % 18 * 20 + 20; // 20, 40, ..., 360, 20, ...
        ASSERT_TRUE(state.effects.muzzleFlash && weapons.tracers.size() == 1u) << shot;
        ASSERT_EQ(std::make_tuple(state.gunBarrelAngle, state.muzzleFlashFrame,
                                  state.effects.muzzleFlash->turn, state.effects.sounds,
                                  xyz(weapons.tracers[0].position)),
                  std::make_tuple(barrel, shot % 5, barrel + 72.0f * ((shot - 1) % 5),
                                  std::vector<Sound>{Sound::GunShot}, xyz(player)));
        tilts.insert(state.effects.muzzleFlash->tilt);
        const Vec3 v = weapons.tracers[0].direction;
        spreads[0].insert(std::lround((std::asin(v.y) * 180.0 / std::numbers::pi + state.aimPitch) * 1000.0));
        spreads[1].insert(std::lround(
            std::remainder(std::atan2(v.x, -v.z) * 180.0 / std::numbers::pi + state.aimHeading, 360.0) *
            1000.0));
        if (nearEdge)
            continue;
        hits += hit;
        ASSERT_EQ(std::make_tuple(enemies[0].health, state.shotHits, state.effects.worldShapes.size()),
                  std::make_tuple(shot % 2 * 100 - (hit ? 30 : 10), hit ? 1 : 0, hit ? 1u : 0u))
            << shot;
        for (const WorldShape& s : state.effects.worldShapes)
            ASSERT_EQ(
                std::tuple_cat(xyz(s.position), std::tie(s.kind, s.size, s.detail, s.colour, s.blended)),
                std::tuple_cat(xyz(e), std::make_tuple(WorldShape::Kind::Sphere, 0.9f, 10,
                                                       Colour{1.0f, 1.0f, 0.0f, 0.5f}, true)));
    }
    for (const std::set<long>& spread : spreads)
        EXPECT_EQ(std::make_tuple(spread.size(), *spread.begin(), *spread.rbegin()),
                  std::make_tuple(1400u, -700L, 699L));
    EXPECT_EQ(std::make_tuple(tilts.size(), *tilts.begin(), *tilts.rbegin()),
              std::make_tuple(40u, 0.0f, 39.0f));
    EXPECT_TRUE(hits > 3000 && hits < 15000) << hits;
    EXPECT_FALSE(isInLineOfFire({0.0f, 0.0f, -1.0f}, {-0.3f, 0.0f, 50.0f})) << "the edge is outside";
}

TEST(Torpedo, PressesLaunchDetonateAndLaunchAgainAndTheBlastTakesAHundredWithinThirty) {
    const CoutCapture console;
    GameState state;
    state.torpedoes = 2;
    WeaponSystem weapons;
    PendingEffects spawn;
    std::vector<Enemy> enemies{Enemy(0.0f, 0.0f, -10.0f, spawn)};
    // Right presses, with other buttons between: what each is heard as, the state, torpedoes left and out.
    for (const auto& [sound, torpedoState, left, out] : {std::tuple{Sound::TorpedoLaunch, 1, 1, 1u},
                                                         {Sound::GreatExplosion, 0, 1, 1u},
                                                         {Sound::TorpedoLaunch, 1, 0, 2u},
                                                         {Sound::GreatExplosion, 0, 0, 2u},
                                                         {Sound::GunShot, 0, 0, 2u}}) {
        state.effects.sounds = {Sound::GunShot}; // none is heard after it when the launcher is empty
        for (const auto& [button, how] : {std::pair{kLeftButton, kButtonUp},
                                          {1, kButtonDown},
                                          {kRightButton, kButtonUp},
                                          {kRightButton, kButtonDown}})
            pressMouseButton(state, weapons, enemies, button, how);
        EXPECT_EQ(std::make_tuple(state.effects.sounds.back(), state.torpedoState, state.torpedoes,
                                  weapons.runningTorpedoes.size()),
                  std::make_tuple(sound, torpedoState, left, out));
    }
    EXPECT_EQ(std::make_pair(console.flushed, console.str()),
              std::make_pair(console.str(), std::string("halo 0.35 xplode 0\nhalo 0.35 xplode 0\n")))
        << "each launch is printed at once";
    EXPECT_TRUE(weapons.runningTorpedoes[1].detonated) << "each press sets off its own torpedo";
    EXPECT_EQ(std::tie(enemies[0].health, state.gunTriggerHeld), std::make_tuple(-100, false));
    // A torpedo gone before its detonation: the press is heard, hurts nothing and leaves the launcher ready.
    state.torpedoes = 1;
    pressMouseButton(state, weapons, enemies, kRightButton, kButtonDown);
    weapons.runningTorpedoes.clear();
    pressMouseButton(state, weapons, enemies, kRightButton, kButtonDown);
    EXPECT_EQ(std::tie(state.effects.sounds.back(), state.torpedoState, enemies[0].health),
              std::make_tuple(Sound::GreatExplosion, 0, -100));

    // One unit out along -z, the blast reaches exactly 30, not just outside, one inside, a wreck again.
    weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    weapons.fire(kTorpedo);
    weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    const std::tuple<Vec3, int, int> blast[] = {{{130.0f, 0.0f, -1.0f}, 100, 0},
                                                {{100.0f, 30.01f, -1.0f}, 100, 100},
                                                {{100.0f, 0.0f, -29.0f}, 100, 0},
                                                {{110.0f, 10.0f, 9.0f}, -50, -150}};
    enemies.clear();
    for (const auto& [at, health, after] : blast)
        enemies.emplace_back(at.x, at.y, at.z, spawn).health = health;
    detonateTorpedo(weapons, enemies);
    detonateTorpedo(weapons, enemies); // the growing blast is not set off again
    for (size_t k = 0; k < enemies.size(); ++k)
        EXPECT_EQ(enemies[k].health, std::get<2>(blast[k])) << k;
}
