#include "core/Effects.h"
#include "enemies/EnemyFleet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

Stopwatch::Clock::time_point fakeNow;

// The firing clock moves only when the test moves it.
Enemy& onFakeClock(Enemy& enemy) {
    enemy.fireTimer.now = [] { return fakeNow; };
    enemy.fireTimer.startTime = fakeNow;
    return enemy;
}

// A hit on the player flashes a ball of radius 2 there; nothing else the enemies record has that size.
int hitFlashes(const PendingEffects& fx) {
    return static_cast<int>(std::ranges::count(fx.worldShapes, 2.0f, &WorldShape::size));
}

} // namespace

TEST(EnemyFleet, SpawnsNearByOnEveryTenthCountOfThirtyOneUpdatesUpToSixAndMovesOnlyThoseWithinHundred) {
    std::srand(3);
    EnemyFleet fleet;
    PendingEffects fx;
    std::string spawns;
    for (int tick = 1; tick <= 63; ++tick) {
        const size_t before = fleet.enemies.size();
        fleet.update(500.0f, -20.0f, -700.0f, fx);
        spawns += fleet.enemies.size() > before ? 'S' : '.';
    }
    // Counts 10, 20, 30 and, wrapped after 30, 0 on the 31st update; none at 61 with six alive.
    EXPECT_EQ(spawns, ".........S.........S.........SS.........S.........S............");
    // Each offset a whole number from -125 to 124: the spawn balls show where.
    for (const WorldShape& s : fx.worldShapes)
        for (float d : {s.position.x - 500.0f, s.position.y + 20.0f, s.position.z + 700.0f})
            EXPECT_TRUE(s.size != 0.5f || (d >= -125.0f && d <= 124.0f && d == std::round(d))) << d;

    // The middle enemy's x, health, explosionDone, texture; then whether it is removed, counted, moved.
    const std::tuple<float, int, bool, unsigned int, bool, bool, bool> rows[] = {
        {100.0f, 100, false, 0, false, false, true},   {100.001f, 100, false, 0, false, false, false},
        {199.99f, 100, false, 0, false, false, false}, {200.0f, 100, false, 5, true, false, false},
        {50.0f, 0, false, 0, false, false, false}, // a wreck not yet done is kept, its bullets stop
        {50.0f, 0, true, 6, true, true, false},        {150.0f, 0, true, 0, true, true, false},
    };
    int damageSeen = 0;
    for (const auto& [x, health, done, texture, removed, counted, moves] : rows) {
        fleet = EnemyFleet{};
        fleet.tickCounter = 1; // no spawn in this update
        // Enemies due to fire before and behind it show how far the walk went.
        for (const float z : {-10.0f, 0.0f, 10.0f})
            onFakeClock(fleet.enemies.emplace_back(z == 0.0f ? x : 0.0f, 0.0f, z, fx));
        fakeNow += std::chrono::seconds(3);
        Enemy& middle = fleet.enemies[1];
        middle.health = health;
        middle.explosionDone = done;
        middle.bubbleTexture = texture;
        middle.bullets.emplace_back(middle.position, Vec3{-40.0f, 0.0f, 0.0f});
        fx = {};
        const int damage = fleet.update(0.0f, 0.0f, 0.0f, fx);
        ASSERT_EQ(fleet.enemies.size(), removed ? 2u : 3u) << x;
        EXPECT_EQ(std::make_tuple(fleet.destroyed, fleet.texturesToRelease,
                                  std::ranges::count(fx.sounds, Sound::EnemyBurst), damage),
                  std::make_tuple(counted ? 1 : 0, std::vector<unsigned int>(removed && texture, texture),
                                  removed ? 1 : 2, 3 * hitFlashes(fx)))
            << "three life points a hit; the enemy behind a removal waits: " << x;
        damageSeen += damage;
        EXPECT_TRUE(removed || std::make_tuple(middle.position.x != x, middle.bullets[0].age,
                                               middle.emitter.updateCount) ==
                                   std::make_tuple(moves, moves ? 1 : 0, moves ? 2 : 1))
            << "the craft, its bullets and its trail: " << x;
    }
    EXPECT_GT(damageSeen, 0);
}

TEST(Enemy, FiresThreeBulletsEveryThreeSecondsWithin35AndHitsWhenItsAimErrorIsWithinPointTwo) {
    std::srand(9);
    PendingEffects fx;
    Enemy enemy(0.0f, 0.0f, 0.0f, fx);
    onFakeClock(enemy);
    // milliseconds on, the player's z, health, whether it fires
    for (const auto& [afterMs, z, health, fires] :
         {std::tuple{3000, 35.0f, 0, false},
          {0, 35.0f, 100, true}, // a wreck's turn does not restart the clock
          {3000, 35.001f, 100, false},
          {2999, 35.0f, 100, false}, // out of range the turn is spent
          {1, 35.0f, 100, true}}) {
        fakeNow += std::chrono::milliseconds(afterMs);
        enemy.health = health;
        const size_t bullets = enemy.bullets.size(), sounds = fx.sounds.size();
        enemy.fire(0.0f, 0.0f, z, fx);
        EXPECT_EQ(std::make_pair(enemy.bullets.size() - bullets, fx.sounds.size() - sounds),
                  std::make_pair(3 * size_t{fires}, size_t{fires}))
            << afterMs << " " << z;
    }
    EXPECT_EQ(fx.sounds, std::vector<Sound>(2, Sound::EnemyBurst));

    // A bullet flies at the player off by its aim error, read back in thousandths from its direction; it
    // hits, with a red flash at the player, when that error is within 0.2.
    std::set<long> errors;
    for (int shot = 0; shot < 20000; ++shot) {
        fx.worldShapes.clear();
        const int hit = enemy.shoot(0.0f, 0.0f, 30.0f, fx);
        const Vec3 d = enemy.bullets.back().direction;
        const long e[] = {std::lround(d.x * 40000.0f), std::lround(d.y * 40000.0f),
                          std::lround((d.z * 40.0f - 30.0f) * 1000.0f)};
        errors.insert(std::begin(e), std::end(e));
        const double error = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]) / 1000.0;
        ASSERT_TRUE(std::abs(error - 0.2) < 1e-4 || hit == (error < 0.2))
            << e[0] << " " << e[1] << " " << e[2];
        ASSERT_EQ(hitFlashes(fx), hit);
        for (const WorldShape& f : fx.worldShapes)
            ASSERT_EQ(std::make_tuple(f.position.z, f.colour, f.blended),
                      std::make_tuple(30.0f, Colour{1.0f, 0.0f, 0.0f, 0.1f}, true));
    }
    EXPECT_EQ(std::make_tuple(errors.size(), *errors.begin(), *errors.rbegin()),
              std::make_tuple(500u, -250L, 249L));

    // Bullets fly a fortieth of their aim at speed 10; one expiring at 30 holds back those behind it.
    enemy.bullets.clear();
    for (int age : {10, 29, 3, 7})
        enemy.bullets.emplace_back(Vec3{}, Vec3{40.0f, 0.0f, 0.0f}).age = age;
    for (const auto& ages : {std::vector<int>{11, 3, 7}, {12, 4, 8}}) {
        enemy.update(0.0f, 0.0f, 20.0f, fx);
        ASSERT_EQ(enemy.bullets.size(), 3u);
        EXPECT_EQ(std::vector<int>({enemy.bullets[0].age, enemy.bullets[1].age, enemy.bullets[2].age}), ages);
    }
    EXPECT_EQ(enemy.bullets[0].position.x, 20.0f);
}

TEST(EnemyFleet, AWreckExplodesOnceAndIsCountedTheTickAfterItsFortiethExplosionUpdate) {
    std::srand(17);
    PendingEffects fx;
    EnemyFleet fleet;
    // Five more, frozen 150 away, fill the fleet so that no spawn comes between.
    fleet.enemies.emplace_back(0.0f, 0.0f, -10.0f, fx).health = -80;
    for (int k = 0; k < 5; ++k)
        fleet.enemies.emplace_back(150.0f, 0.0f, static_cast<float>(k), fx);
    const Enemy& wreck = fleet.enemies[0];
    fx.sounds.clear();
    for (int tick = 1; tick <= 41; ++tick) {
        fleet.update(0.0f, 0.0f, 0.0f, fx);
        ASSERT_EQ(
            std::make_tuple(fleet.enemies.size(), wreck.explosionTicks, wreck.explosionDone, fleet.destroyed),
            std::make_tuple(6u, std::min(tick, 40), tick == 41, 0));
        EXPECT_NEAR(wreck.explosion.coreRadius, 0.1f + 0.025f * (tick - 1), 1e-5f) << tick;
    }
    EXPECT_EQ(fx.sounds, std::vector<Sound>{Sound::Explosion}) << "heard once, on the start";
    const Vec3 centre = wreck.explosion.center;
    EXPECT_EQ(std::make_tuple(centre.x, centre.y, centre.z, wreck.position.z),
              std::make_tuple(0.0f, 0.0f, -10.0f, -10.0f));
    // Ten sparks; the walk stops behind the first one that reaches 40.
    std::vector<int> ages;
    for (const explosionparticle& spark : wreck.explosion.particles)
        ages.push_back(spark.age);
    EXPECT_EQ(ages, (std::vector<int>{40, 39, 39, 39, 39, 39, 39, 39, 39, 39}));
    fleet.update(0.0f, 0.0f, 0.0f, fx);
    EXPECT_EQ(std::make_tuple(fleet.enemies.size(), fleet.destroyed), std::make_tuple(5u, 1));

    // Over many explosions every spark size and direction component comes up, and nothing outside them.
    std::set<float> slices, components;
    for (int more = 0; more < 300; ++more) {
        Explosion e;
        e.start(1.0f, 2.0f, 3.0f);
        for (const explosionparticle& spark : e.particles) {
            slices.insert(spark.slices);
            components.insert({spark.direction.x, spark.direction.y, spark.direction.z});
            ASSERT_EQ(std::make_tuple(spark.position.x, spark.position.y, spark.position.z, spark.radius),
                      std::make_tuple(1.0f, 2.0f, 3.0f, 0.125f));
        }
    }
    EXPECT_EQ(slices, (std::set<float>{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(std::make_tuple(components.size(), *components.begin(), *components.rbegin()),
              std::make_tuple(200u, -1.0f, 0.99f));
}
