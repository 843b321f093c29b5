#include "core/Effects.h"
#include "core/GameState.h"
#include "enemies/Enemy.h"
#include "player/Firing.h"
#include "player/WeaponSystem.h"
#include "support/CoutCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

namespace {

// An enemy at a place, its spawn ball forgotten.
Enemy enemyAt(Vec3 at, int health = 100) {
    PendingEffects spawn;
    Enemy enemy(at.x, at.y, at.z, spawn);
    enemy.health = health;
    return enemy;
}

float spreadFromRand() {
    return static_cast<float>(std::rand() % 1400 - 700) / 1000.0f;
}

void expectSameVec(const Vec3& got, const Vec3& want, const std::string& what) {
    EXPECT_EQ(std::tie(got.x, got.y, got.z), std::tie(want.x, want.y, want.z)) << what;
}

struct Armoury {
    GameState state;
    WeaponSystem weapons;
    std::vector<Enemy> enemies;
    const CoutCapture console; // every launch prints

    void press(int button, int buttonState = kButtonDown) {
        pressMouseButton(state, weapons, enemies, button, buttonState);
    }
};

} // namespace

TEST(Gun, AHeldTriggerFiresEighteenShotsThenEveryFifthRunAndCoolsEveryRun) {
    Armoury a;
    a.press(kLeftButton);
    std::string shots;
    std::vector<int> heat;
    for (int run = 0; run < 32; ++run) {
        const int before = a.state.shotsFired;
        gunTimerStep(a.state, a.weapons, a.enemies);
        shots += a.state.shotsFired > before ? 'x' : '.';
        heat.push_back(a.state.gunHeat);
    }
    EXPECT_EQ(shots, std::string(18, 'x') + "..." + "x....x....x");
    // After the 18th shot 72; at 70 no shot (69 after it), at 69 a shot (73 after it).
    EXPECT_EQ(std::tie(heat[17], heat[19], heat[20], heat[21]), std::make_tuple(72, 70, 69, 73));

    // Released, a hot gun cools by one a run down to 0 and stays there: 73 runs from 73.
    a.press(kLeftButton, kButtonUp);
    a.state.gunHeat = 73;
    for (int run = 1; run <= 80; ++run) {
        gunTimerStep(a.state, a.weapons, a.enemies);
        ASSERT_EQ(a.state.gunHeat, std::max(73 - run, 0)) << run;
    }
    EXPECT_EQ(a.state.shotsFired, 21);
}

TEST(Gun, EveryShotIsHeardLeavesATracerTurnsTheBarrelAndFlashesTheMuzzle) {
    Armoury a; // no enemies: a shot counts all the same
    a.state.aimPitch = 10.0f;
    a.state.aimHeading = -20.0f;
    a.weapons.update(1.0f, 2.0f, 3.0f, a.state.aimPitch, a.state.aimHeading);
    a.press(kLeftButton);
    for (int shot = 1; shot <= 20; ++shot) {
        a.state.gunHeat = 0;
        std::srand(static_cast<unsigned>(shot));
        const float s1 = spreadFromRand(), s2 = spreadFromRand();
        const float tilt = static_cast<float>(std::rand() % 40);
        std::srand(static_cast<unsigned>(shot));
        gunTimerStep(a.state, a.weapons, a.enemies);

        const int angle = (shot - 1) % 18 * 20 + 20; // 20, 40, ..., 360, 20, ...
        EXPECT_EQ(a.state.gunBarrelAngle, angle) << shot;
        EXPECT_EQ(a.state.muzzleFlashFrame, shot % 5) << shot;
        ASSERT_TRUE(a.state.effects.muzzleFlash) << shot;
        EXPECT_EQ(a.state.effects.muzzleFlash->turn, angle + 72.0f * ((shot - 1) % 5)) << shot;
        EXPECT_EQ(a.state.effects.muzzleFlash->tilt, tilt) << "drawn after the two spreads: " << shot;
        // The tracer leaves from where the last tick put the submarine, along its aim, spread pitch first.
        ASSERT_EQ(a.weapons.tracers.size(), static_cast<size_t>(shot));
        const w1particle& tracer = a.weapons.tracers.back();
        expectSameVec(tracer.position, {1.0f, 2.0f, 3.0f}, "tracer origin");
        expectSameVec(tracer.direction, shotDirection(-10.0f + s1, 20.0f + s2), "tracer direction");
    }
    EXPECT_EQ(std::tie(a.state.shotsFired, a.state.shotHits), std::make_tuple(20, 0));
    EXPECT_EQ(a.state.effects.sounds, std::vector<Sound>(20, Sound::GunShot));
    EXPECT_TRUE(a.weapons.runningTorpedoes.empty());
    EXPECT_EQ(a.console.str(), "");
}

TEST(Gun, TheAimLineIsABoxOfPointThreeAroundTheWholeLine) {
    const Vec3 along{0.0f, 0.0f, -1.0f};
    const Vec3 slant{0.6f, 0.0f, -0.8f};
    // direction, player minus enemy, hit
    const std::tuple<Vec3, Vec3, bool> rows[] = {
        {along, {-0.29f, 0.0f, 50.0f}, true},  // 0.29 to the side
        {along, {-0.3f, 0.0f, 50.0f}, false},  // 0.3: outside
        {along, {0.0f, 0.3f, 5.0f}, false},    //
        {along, {0.2f, 0.2f, -50.0f}, true},   // 50 behind the submarine
        {along, {0.2f, 0.2f, 50.0f}, true},    // 50 ahead
        {along, {0.29f, -0.29f, 1e4f}, true},  // a box: 0.41 off the line, corner-wise, at any range
        {slant, {-60.0f, 0.0f, 80.0f}, true},  // 100 along a slanted aim
        {slant, {-60.0f, 0.4f, 80.0f}, false}, // 0.4 off: k = (0.32, 0, 0.24)
    };
    for (const auto& [d, o, hit] : rows)
        EXPECT_EQ(isInLineOfFire(d, o), hit) << o.x << " " << o.y << " " << o.z;
}

TEST(Gun, AShotHitsEveryEnemyOnTheAimDeadOrAliveAndFlashesEachYellow) {
    // aim pitch, aim heading, then enemies on the line and one beside it
    const std::tuple<float, float, Vec3, Vec3, Vec3> rows[] = {
        {0.0f, 0.0f, {10.0f, 5.0f, -20.0f}, {10.0f, 5.0f, 40.0f}, {10.5f, 5.0f, -20.0f}},
        {0.0f, 90.0f, {-10.0f, 5.0f, 0.0f}, {30.0f, 5.0f, 0.0f}, {-10.0f, 5.0f, 1.0f}},
        {30.0f, 0.0f, {10.0f, 0.0f, -8.660254f}, {10.0f, 20.0f, 25.980762f}, {10.0f, 5.0f, -20.0f}},
    };
    for (const auto& [pitch, heading, ahead, behind, beside] : rows) {
        Armoury a;
        a.state.playerPos = {10.0, 5.0, 0.0};
        a.state.aimPitch = pitch;
        a.state.aimHeading = heading;
        a.enemies = {enemyAt(ahead), enemyAt(behind, -10), enemyAt(beside)};
        a.press(kLeftButton);
        gunTimerStep(a.state, a.weapons, a.enemies);
        EXPECT_EQ(std::tie(a.enemies[0].health, a.enemies[1].health, a.enemies[2].health),
                  std::make_tuple(80, -30, 100))
            << pitch << " " << heading;
        EXPECT_EQ(a.state.shotHits, 2);
        ASSERT_EQ(a.state.effects.worldShapes.size(), 2u);
        for (size_t k = 0; k < 2; ++k) {
            const WorldShape& flash = a.state.effects.worldShapes[k];
            expectSameVec(flash.position, a.enemies[k].position, "flash place");
            EXPECT_EQ(
                std::tie(flash.kind, flash.size, flash.detail, flash.colour, flash.blended),
                std::make_tuple(WorldShape::Kind::Sphere, 0.9f, 10, Colour{1.0f, 1.0f, 0.0f, 0.5f}, true));
        }
    }
}

TEST(Torpedo, PressesLaunchDetonateAndLaunchAgainUntilTheLauncherIsEmpty) {
    Armoury a;
    a.state.torpedoes = 2;
    a.enemies = {enemyAt({0.0f, 0.0f, -10.0f})};
    // Presses of the right button; what each is heard as, the state, torpedoes left and in the water.
    using Row = std::tuple<std::vector<Sound>, int, int, size_t>;
    const Row rows[] = {
        {{Sound::TorpedoLaunch}, 1, 1, 1},
        {{Sound::GreatExplosion}, 0, 1, 1},
        {{Sound::TorpedoLaunch}, 1, 0, 2},
        {{Sound::GreatExplosion}, 0, 0, 2},
        {{}, 0, 0, 2}, // nothing left to launch
    };
    int row = 0;
    for (const auto& [sounds, torpedoState, left, running] : rows) {
        a.state.effects.sounds.clear();
        a.press(kLeftButton, kButtonUp);
        a.press(1);
        a.press(kRightButton, kButtonUp);
        a.press(kRightButton);
        EXPECT_EQ(a.state.effects.sounds, sounds) << row;
        EXPECT_EQ(std::tie(a.state.torpedoState, a.state.torpedoes), std::tie(torpedoState, left)) << row;
        EXPECT_EQ(a.weapons.runningTorpedoes.size(), running) << row++;
    }
    EXPECT_EQ(a.console.str(), "halo 0.35 xplode 0\nhalo 0.35 xplode 0\n");
    // The second detonation set off the second torpedo, not the first blast again.
    EXPECT_TRUE(a.weapons.runningTorpedoes[1].detonated);
    EXPECT_EQ(a.enemies[0].health, -100);
    EXPECT_FALSE(a.state.gunTriggerHeld);

    // A torpedo left running retires after 90 updates, 90 units out; the press that would set it off
    // is heard, hurts nothing and leaves the launcher ready.
    a.weapons.runningTorpedoes.clear();
    a.state.torpedoes = 1;
    a.press(kRightButton);
    for (int tick = 1; tick <= 90; ++tick) {
        ASSERT_EQ(a.weapons.runningTorpedoes.size(), 1u) << tick;
        EXPECT_NEAR(a.weapons.runningTorpedoes[0].position.z, 1.0f - tick, 1e-4f);
        a.weapons.update(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    }
    EXPECT_TRUE(a.weapons.runningTorpedoes.empty());
    EXPECT_EQ(a.state.torpedoState, 1);
    a.enemies[0].health = 100;
    a.state.effects.sounds.clear();
    a.press(kRightButton);
    EXPECT_EQ(a.state.effects.sounds, std::vector<Sound>{Sound::GreatExplosion});
    EXPECT_EQ(std::tie(a.state.torpedoState, a.enemies[0].health), std::make_tuple(0, 100));
}

TEST(Torpedo, TheBlastTakesAHundredFromEveryEnemyWithinThirty) {
    Armoury a;
    a.weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    a.weapons.fire(kTorpedo);
    a.weapons.update(100.0f, 0.0f, 0.0f, 0.0f, 0.0f); // one unit along -z
    // place, health before, after
    const std::tuple<Vec3, int, int> rows[] = {
        {{130.0f, 0.0f, -1.0f}, 100, 0},     // exactly 30
        {{100.0f, 30.01f, -1.0f}, 100, 100}, // just outside
        {{100.0f, 0.0f, -29.0f}, 100, 0},    // a second one inside
        {{110.0f, 10.0f, 9.0f}, -50, -150},  // a wreck is hit again
    };
    for (const auto& [at, health, after] : rows)
        a.enemies.push_back(enemyAt(at, health));
    detonateTorpedo(a.weapons, a.enemies);
    // Set off once: the growing blast is not set off again.
    detonateTorpedo(a.weapons, a.enemies);
    for (size_t k = 0; k < a.enemies.size(); ++k)
        EXPECT_EQ(a.enemies[k].health, std::get<2>(rows[k])) << k;
    EXPECT_TRUE(a.weapons.runningTorpedoes[0].detonated);
}

TEST(WeaponSystem, TakesTheAimEachTickAndRetiresAtMostOneTracerAndOneTorpedo) {
    const CoutCapture console;
    WeaponSystem weapons;
    weapons.update(4.0f, 5.0f, 6.0f, 12.0f, -30.0f);
    expectSameVec(weapons.origin, {4.0f, 5.0f, 6.0f}, "origin");
    EXPECT_EQ(std::tie(weapons.shotPitch, weapons.shotHeading), std::make_tuple(-12.0f, 30.0f));
    // A torpedo flies without spread; a kind that is neither makes nothing.
    weapons.fire(kTorpedo);
    weapons.fire(3);
    ASSERT_EQ(weapons.runningTorpedoes.size(), 1u);
    EXPECT_TRUE(weapons.tracers.empty());
    expectSameVec(weapons.runningTorpedoes[0].direction, shotDirection(-12.0f, 30.0f), "torpedo aim");

    // Ages before one update, then after it; the first to reach its limit goes, those behind it wait.
    weapons.tracers.clear();
    weapons.runningTorpedoes.clear();
    for (int age : {3, 9, 5, 9}) {
        weapons.fire(kTracer);
        weapons.tracers.back().age = age;
    }
    for (int age : {89, 3, 0}) {
        weapons.fire(kTorpedo);
        weapons.runningTorpedoes.back().age = age;
    }
    const Vec3 waiting = weapons.tracers[2].position;
    weapons.update(4.0f, 5.0f, 6.0f, 0.0f, 0.0f);
    const auto ages = [](const auto& projectiles) {
        std::vector<int> out;
        for (const auto& p : projectiles)
            out.push_back(p.age);
        return out;
    };
    EXPECT_EQ(ages(weapons.tracers), (std::vector<int>{4, 5, 9}));
    expectSameVec(weapons.tracers[1].position, waiting, "a tracer behind a retired one moved");
    EXPECT_EQ(ages(weapons.runningTorpedoes), (std::vector<int>{3, 0}));
    weapons.update(4.0f, 5.0f, 6.0f, 0.0f, 0.0f);
    EXPECT_EQ(ages(weapons.tracers), (std::vector<int>{5, 6}));
    EXPECT_EQ(ages(weapons.runningTorpedoes), (std::vector<int>{4, 1}));
}
