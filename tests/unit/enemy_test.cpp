#include "core/Effects.h"
#include "enemies/EnemyFleet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <set>
#include <tuple>

namespace {

Stopwatch::Clock::time_point fakeNow;
const Stopwatch::TimeSource fakeClock = [] { return fakeNow; };

// Keeps the start made at spawn, so an enemy that never started its timer never fires.
Enemy& onFakeClock(Enemy& enemy) {
    enemy.fireTimer.now = fakeClock;
    enemy.fireTimer.startTime = fakeNow;
    return enemy;
}

// The spawn ball and the hit flash tell apart by radius.
int shapesOfSize(const PendingEffects& fx, float size) {
    return static_cast<int>(std::count_if(fx.worldShapes.begin(), fx.worldShapes.end(),
                                          [&](const WorldShape& s) { return s.size == size; }));
}

} // namespace

TEST(EnemyFleet, CounterWrapsAfterThirtyAndSpawnsOnEveryTenthCountUpToSix) {
    // No rand is drawn before the first spawn, whose offsets come z first, then y, then x.
    const auto offset = [] { return static_cast<float>(std::rand() % 250 - 125); };
    std::srand(3);
    const float dz = offset(), dy = offset(), dx = offset();
    std::srand(3);
    EnemyFleet fleet;
    PendingEffects fx;
    std::vector<int> spawnedOn;
    for (int tick = 1; tick <= 63; ++tick) {
        const int before = shapesOfSize(fx, 0.5f);
        fleet.update(500.0f, -20.0f, -700.0f, fx);
        EXPECT_EQ(fleet.tickCounter, tick % 31);
        if (shapesOfSize(fx, 0.5f) > before)
            spawnedOn.push_back(tick);
    }
    ASSERT_EQ(fleet.enemies.size(), 6u) << "a spawn in a far corner was dropped: the seed no longer fits";
    EXPECT_EQ(spawnedOn, (std::vector<int>{10, 20, 30, 31, 41, 51})) << "none at 61 or 62 with six alive";
    const Vec3 at = fx.worldShapes[0].position;
    EXPECT_EQ(std::tie(at.x, at.y, at.z), std::make_tuple(500.0f + dx, dy - 20.0f, dz - 700.0f));
    for (const WorldShape& s : fx.worldShapes)
        for (float d : {s.position.x - 500.0f, s.position.y + 20.0f, s.position.z + 700.0f})
            EXPECT_TRUE(s.size != 0.5f || (d >= -125.0f && d <= 124.0f && d == std::round(d))) << d;
}

TEST(EnemyFleet, UpdatesWithinHundredFreezesToTwoHundredAndARemovalEndsTheWalk) {
    // The middle enemy's x, health, explosionDone, texture; then removed, counted, moved.
    const std::tuple<float, int, bool, unsigned int, bool, bool, bool> rows[] = {
        {100.0f, 100, false, 0, false, false, true},    //
        {100.001f, 100, false, 0, false, false, false}, // frozen with its bullets
        {199.99f, 100, false, 0, false, false, false},  //
        {200.0f, 100, false, 5, true, false, false},    // dropped, its texture handed back
        {50.0f, 0, false, 0, false, false, false},      // wreck not yet done: kept, bullets stop
        {50.0f, 0, true, 6, true, true, false},         //
        {150.0f, 0, true, 0, true, true, false},        // a done wreck goes even while frozen
    };
    std::srand(4);
    int damageSeen = 0;
    for (const auto& [x, health, done, texture, removed, counted, moves] : rows) {
        PendingEffects fx;
        EnemyFleet fleet;
        fleet.tickCounter = 1; // no spawn in this update
        // Enemies in firing range before and behind it show how far the walk went.
        for (const Vec3 at : {Vec3{0.0f, 0.0f, -10.0f}, Vec3{x, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 10.0f}})
            onFakeClock(fleet.enemies.emplace_back(at.x, at.y, at.z, fx));
        fakeNow += std::chrono::seconds(3);
        Enemy& middle = fleet.enemies[1];
        middle.health = health;
        middle.explosionDone = done;
        middle.bubbleTexture = texture;
        middle.bullets.emplace_back(middle.position, Vec3{-40.0f, 0.0f, 0.0f});
        const int damage = fleet.update(0.0f, 0.0f, 0.0f, fx);
        ASSERT_EQ(fleet.enemies.size(), removed ? 2u : 3u) << x;
        EXPECT_EQ(fleet.destroyed, counted ? 1 : 0) << x;
        EXPECT_EQ(fleet.texturesToRelease, std::vector<unsigned int>(removed && texture, texture)) << x;
        EXPECT_EQ(std::ranges::count(fx.sounds, Sound::EnemyBurst), removed ? 1 : 2)
            << "the enemy behind a removal waits: " << x;
        EXPECT_EQ(damage, 3 * shapesOfSize(fx, 2.0f)) << "three per hit, kept across a removal: " << x;
        damageSeen += damage;
        if (removed)
            continue;
        EXPECT_EQ(middle.position.x != x, moves) << x;
        EXPECT_EQ(middle.bullets[0].age, moves ? 1 : 0) << x;
        EXPECT_EQ(middle.emitter.updateCount, moves ? 2 : 1) << "the trail goes on with the craft: " << x;
    }
    EXPECT_GT(damageSeen, 0);
}

TEST(Enemy, ClosesAFortyFifthOfTheGapAndWithinEightOnlyTrembles) {
    int offRule = 0;
    PendingEffects fx;
    // Largest tremble on one axis in the walk and at the boundary.
    float trembles[2] = {};
    const auto step = [&](Enemy& enemy, Vec3 player, float& tremble) {
        const Vec3 from = enemy.position;
        const bool near = distance(from, player) < 8.0f;
        enemy.update(player.x, player.y, player.z, fx);
        const float moved[] = {enemy.position.x - from.x, enemy.position.y - from.y,
                               enemy.position.z - from.z};
        const float gap[] = {player.x - from.x, player.y - from.y, player.z - from.z};
        for (int axis = 0; axis < 3; ++axis) {
            const float off = near ? std::abs(moved[axis]) - 0.25f
                                   : std::abs(moved[axis] - gap[axis] / 45.0f) - 0.25f / 45.0f;
            offRule += off > 1e-5f;
            tremble = std::max(tremble, near ? std::abs(moved[axis]) : 0.0f);
        }
    };
    std::srand(5);
    Enemy walker(60.0f, -40.0f, 20.0f, fx);
    for (int tick = 0; tick < 300; ++tick)
        step(walker, {}, trembles[0]);
    // Exactly 8 away still closes in; a hair closer it only trembles.
    for (int trial = 0; trial < 20; ++trial)
        for (float z : {8.0f, 7.999f}) {
            Enemy enemy(0.0f, 0.0f, 0.0f, fx);
            step(enemy, {0.0f, 0.0f, z}, trembles[1]);
        }
    EXPECT_EQ(offRule, 0);
    for (float tremble : trembles)
        EXPECT_GT(tremble, 0.2f) << "within 8 the approach rule must not apply";
}

TEST(Enemy, FiresEveryThreeSecondsWithin35AndNeverOnceDestroyed) {
    std::srand(9);
    PendingEffects fx;
    Enemy enemy(0.0f, 0.0f, 0.0f, fx);
    onFakeClock(enemy);
    // milliseconds on, the player's z, health, whether it fires
    const std::tuple<int, float, int, bool> rows[] = {
        {2999, 35.0f, 100, false}, {1, 35.0f, 100, true},    // three seconds after spawn, at exactly 35
        {2999, 35.0f, 100, false}, {1, 35.001f, 100, false}, // out of range: the chance is spent
        {2999, 35.0f, 100, false}, {1, 35.0f, 0, false},     //
        {0, 35.0f, 100, true},     {3000, 1.0f, 100, true},  // the wreck's turn did not restart the timer
        {3000, 20.0f, 100, true},  {3000, 0.0f, 100, true},  //
    };
    int hits = 0, bursts = 0;
    for (const auto& [afterMs, z, health, fires] : rows) {
        fakeNow += std::chrono::milliseconds(afterMs);
        enemy.health = health;
        const size_t bullets = enemy.bullets.size(), shapes = fx.worldShapes.size(),
                     sounds = fx.sounds.size();
        const int got = enemy.fire(0.0f, 0.0f, z, fx);
        ASSERT_EQ(enemy.bullets.size() - bullets, fires ? 3u : 0u) << z;
        EXPECT_EQ(fx.sounds.size() - sounds, fires ? 1u : 0u) << z;
        EXPECT_EQ(fx.worldShapes.size() - shapes, static_cast<size_t>(got)) << "one flash per hit";
        for (size_t i = shapes; i < fx.worldShapes.size(); ++i) {
            const WorldShape& f = fx.worldShapes[i];
            EXPECT_EQ(std::tie(f.position.x, f.position.y, f.position.z, f.size, f.colour, f.blended),
                      std::make_tuple(0.0f, 0.0f, z, 2.0f, Colour{1.0f, 0.0f, 0.0f, 0.1f}, true));
        }
        hits += got;
        bursts += fires;
    }
    EXPECT_EQ(fx.sounds, std::vector<Sound>(static_cast<size_t>(bursts), Sound::EnemyBurst));
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 3 * bursts) << "misses too: three bullets whether they hit or not";
}

TEST(Enemy, OnlyTheAimErrorDecidesAndAboutTwentySevenPercentHit) {
    // A ball of radius 0.2 in the cube of edge 0.5 the aim error fills, at any range.
    for (float z : {0.5f, 30.0f}) {
        std::srand(21);
        PendingEffects fx;
        Enemy enemy(0.0f, 0.0f, 0.0f, fx);
        int hits = 0;
        for (int shot = 0; shot < 20000; ++shot)
            hits += enemy.shoot(0.0f, 0.0f, z, fx);
        EXPECT_NEAR(hits / 20000.0, 4.0 / 3.0 * std::numbers::pi * 0.008 / 0.125, 0.02) << z;
        EXPECT_EQ(shapesOfSize(fx, 2.0f), hits);
        // Each bullet is aimed at the player, off by no more than the aim error.
        ASSERT_EQ(enemy.bullets.size(), 20000u);
        const auto offAim = [&](const w4particle& b) {
            return std::abs(b.direction.x * 40.0f) > 0.2501f || std::abs(b.direction.z * 40.0f - z) > 0.2501f;
        };
        EXPECT_EQ(std::ranges::count_if(enemy.bullets, offAim), 0) << z;
    }
}

TEST(Enemy, BulletsAgeOncePerUpdateAndAnExpiringOneHoldsBackTheRest) {
    PendingEffects fx;
    Enemy enemy(0.0f, 0.0f, 0.0f, fx);
    for (int age : {10, 29, 3, 7}) {
        enemy.bullets.emplace_back(Vec3{}, Vec3{40.0f, 0.0f, 0.0f});
        enemy.bullets.back().age = age;
    }
    enemy.update(0.0f, 0.0f, 20.0f, fx);
    ASSERT_EQ(enemy.bullets.size(), 3u);
    const w4particle &front = enemy.bullets[0], &next = enemy.bullets[1], &last = enemy.bullets[2];
    EXPECT_EQ(std::tie(front.age, front.position.x, next.age, next.position.x, last.age),
              std::make_tuple(11, 10.0f, 3, 0.0f, 7));
    enemy.update(0.0f, 0.0f, 20.0f, fx);
    EXPECT_EQ(std::tie(front.age, next.age, last.age), std::make_tuple(12, 4, 8));
}

TEST(Explosion, TenSparksFromTheirDrawsAndACoreThatGrowsOverFortyUpdates) {
    const auto component = [] { return static_cast<float>(std::rand() % 200 - 100) / 100.0f; };
    std::srand(17);
    std::vector<std::tuple<float, float, float, float>> drawn; // slices, then the three components
    for (int spark = 0; spark < 10; ++spark) {
        const float slices = static_cast<float>(std::rand() % 8 + 2);
        const float a = component(), b = component(), c = component();
        drawn.emplace_back(slices, a, b, c);
    }
    std::srand(17);
    Explosion explosion;
    explosion.start(1.0f, 2.0f, 3.0f);
    ASSERT_EQ(explosion.particles.size(), 10u);
    for (size_t k = 0; k < 10; ++k) {
        const explosionparticle& spark = explosion.particles[k];
        const auto [slices, a, b, c] = drawn[k];
        EXPECT_EQ(std::tie(spark.slices, spark.direction.x, spark.direction.y, spark.direction.z),
                  std::make_tuple(slices, c, b, a))
            << "x from the third draw, z from the first: " << k;
        EXPECT_EQ(std::tie(spark.position.x, spark.position.y, spark.position.z, spark.radius, spark.speed,
                           spark.age),
                  std::make_tuple(1.0f, 2.0f, 3.0f, 0.125f, 0.175f, 0));
    }
    // Over many explosions every value of the ranges comes up, and nothing outside them.
    std::set<float> slices, components;
    for (int more = 0; more < 300; ++more) {
        Explosion e;
        e.start(0.0f, 0.0f, 0.0f);
        for (const explosionparticle& spark : e.particles) {
            slices.insert(spark.slices);
            components.insert({spark.direction.x, spark.direction.y, spark.direction.z});
        }
    }
    EXPECT_EQ(slices, (std::set<float>{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(components.size(), 200u);
    EXPECT_EQ(*components.begin(), -1.0f);
    EXPECT_EQ(*components.rbegin(), 0.99f);

    for (int n = 1; n <= 40; ++n) {
        explosion.update();
        EXPECT_NEAR(explosion.coreRadius, 0.1f + 0.025f * n, 1e-5f) << n;
    }
    // The walk stops behind the first spark that reaches 40, on the 40th update.
    EXPECT_EQ(explosion.particles[0].age, 40);
    for (size_t k = 1; k < 10; ++k)
        EXPECT_EQ(explosion.particles[k].age, 39) << k;
}

TEST(EnemyFleet, AWreckExplodesOnceAndIsCountedTheTickAfterItsFortiethExplosionUpdate) {
    for (int health : {0, -80}) {
        PendingEffects fx;
        EnemyFleet fleet;
        // Five more, frozen 150 away, fill the fleet so that no spawn comes between.
        fleet.enemies.emplace_back(0.0f, 0.0f, -10.0f, fx);
        for (int k = 0; k < 5; ++k)
            fleet.enemies.emplace_back(150.0f, 0.0f, static_cast<float>(k), fx);
        Enemy& wreck = fleet.enemies[0];
        wreck.health = health;
        wreck.bullets.emplace_back(wreck.position, Vec3{40.0f, 0.0f, 0.0f});
        fx.sounds.clear();
        for (int tick = 1; tick <= 41; ++tick) {
            fleet.update(0.0f, 0.0f, 0.0f, fx);
            ASSERT_EQ(fleet.enemies.size(), 6u) << tick;
            EXPECT_EQ(wreck.explosionTicks, std::min(tick, 40)) << tick;
            EXPECT_EQ(wreck.explosionDone, tick == 41) << tick;
            EXPECT_NEAR(wreck.explosion.coreRadius, 0.1f + 0.025f * (tick - 1), 1e-5f) << tick;
        }
        EXPECT_EQ(fx.sounds, std::vector<Sound>{Sound::Explosion}) << "heard once, on the start";
        const Vec3 c = wreck.explosion.center;
        EXPECT_EQ(std::tie(c.x, c.y, c.z), std::make_tuple(0.0f, 0.0f, -10.0f));
        EXPECT_EQ(wreck.position.z, -10.0f) << "a wreck does not move";
        EXPECT_EQ(wreck.bullets[0].age, 0) << "nor do its bullets";
        EXPECT_EQ(fleet.destroyed, 0);
        fleet.update(0.0f, 0.0f, 0.0f, fx);
        EXPECT_EQ(fleet.enemies.size(), 5u);
        EXPECT_EQ(fleet.destroyed, 1) << health;
    }
}

TEST(EnemyFleet, AFarWreckWaitsUnexplodedAndIsDroppedUncountedAtTwoHundred) {
    for (bool exploding : {false, true}) {
        PendingEffects fx;
        EnemyFleet fleet;
        fleet.tickCounter = 1;
        Enemy& wreck = fleet.enemies.emplace_back(0.0f, 0.0f, 0.0f, fx);
        wreck.health = 0;
        if (exploding)
            fleet.update(0.0f, 0.0f, 0.0f, fx); // started within range
        fx.sounds.clear();
        for (float z : {150.0f, 199.9f}) {
            fleet.update(0.0f, 0.0f, z, fx);
            EXPECT_EQ(wreck.explosionTicks, exploding ? 1 : 0) << "frozen at " << z;
        }
        EXPECT_TRUE(fx.sounds.empty());
        fleet.update(0.0f, 0.0f, 200.0f, fx);
        EXPECT_TRUE(fleet.enemies.empty());
        EXPECT_EQ(fleet.destroyed, 0);
    }
}
