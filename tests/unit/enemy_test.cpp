#include "app/Input.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "player/Firing.h"
#include "player/Submarine.h"
#include "support/Fleet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

using Armed = std::tuple<TimerId, unsigned int, int>;
std::vector<Armed> armed;

} // namespace

TEST(EnemyFleet, SpawnsOnEveryTenthCountUpToSixMovesThoseWithinHundredAndDropsThoseAtTwoHundredOneAtATime) {
    std::srand(3); // a spawn in a far corner, over 200 away, would be dropped at once
    PendingEffects fx;
    EnemyFleet fleet;
    std::string spawns;
    for (int tick = 1; tick <= 63; ++tick) {
        const size_t before = fleet.enemies.size();
        fleet.update(500.0f, -20.0f, -700.0f, fx);
        spawns += fleet.enemies.size() > before ? 'S' : '.';
    }
    // The count wraps after 30; none comes at 61 with six alive.
    EXPECT_EQ(spawns, ".........S.........S.........SS.........S.........S............");

    // One update with the player at the origin: the enemy 10 off moves, fires and is heard, the one at 100
    // moves, those beyond stay frozen with their bullets and trails, a wreck explodes where it is, the one at
    // 200 is dropped with its texture, and the walk ends there.
    fleet = EnemyFleet{};
    fleet.tickCounter = 1; // no spawn
    const Vec3 at[] = {{0, 0, -10}, {100, 0, 0}, {100.001f, 0, 0}, {199.99f, 0, 0},
                       {0, 0, -20}, {200, 0, 0}, {0, 0, 10}};
    for (const Vec3& p : at)
        onFakeClock(fleet.enemies.emplace_back(p.x, p.y, p.z, fx)).bullets.emplace_back(p, Vec3{-40, 0, 0});
    fleet.enemies[4].health = 0;
    fleet.enemies[5].bubbleTexture = 5;
    fakeNow += std::chrono::seconds(3);
    fx = {};
    const int damage = fleet.update(0.0f, 0.0f, 0.0f, fx);
    ASSERT_EQ(fleet.enemies.size(), 6u);
    EXPECT_EQ(std::make_tuple(fx.sounds, fleet.texturesToRelease, damage, fleet.enemies[4].explosionTicks),
              std::make_tuple(std::vector<Sound>{Sound::EnemyBurst, Sound::Explosion},
                              std::vector<unsigned int>{5}, 3 * hitFlashes(fx), 1));
    for (size_t k = 0; k < 6; ++k) {
        const Enemy& enemy = fleet.enemies[k];
        EXPECT_EQ(std::make_tuple(distance(enemy.position, at[k < 5 ? k : 6]) > 0.0f, enemy.bullets[0].age,
                                  enemy.emitter.updateCount, enemy.bullets.size()),
                  std::make_tuple(k < 2, k < 2 ? 1 : 0, k < 2 ? 2 : 1, k == 0 ? 4u : 1u))
            << k;
    }
    // A wreck done exploding goes, counted and with its texture, even while frozen; the walk ends there too.
    fleet.enemies[4].explosionDone = true;
    fleet.enemies[4].position = {150.0f, 0.0f, 0.0f};
    fleet.enemies[4].bubbleTexture = 6;
    fleet.update(0.0f, 0.0f, 0.0f, fx);
    EXPECT_EQ(std::make_tuple(fleet.enemies.size(), fleet.destroyed, fleet.texturesToRelease,
                              fleet.enemies[4].bullets[0].age),
              std::make_tuple(5u, 1, std::vector<unsigned int>{5, 6}, 0));
}

TEST(Enemy, BulletsFlyAFortiethOfTheirAimAtSpeedTenAndOneExpiringAtThirtyHoldsBackThoseBehindIt) {
    PendingEffects fx;
    Enemy enemy(0.0f, 0.0f, 0.0f, fx);
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
    for (int tick = 1; tick <= 41; ++tick) {
        fleet.update(0.0f, 0.0f, 0.0f, fx);
        ASSERT_EQ(
            std::make_tuple(fleet.enemies.size(), wreck.explosionTicks, wreck.explosionDone, fleet.destroyed),
            std::make_tuple(6u, std::min(tick, 40), tick == 41, 0));
    }
    EXPECT_EQ(fx.sounds, std::vector<Sound>{Sound::Explosion}) << "heard once, on the start";
    const Vec3 centre = wreck.explosion.center;
    EXPECT_EQ(std::make_tuple(centre.x, centre.y, centre.z, wreck.position.z),
              std::make_tuple(0.0f, 0.0f, -10.0f, -10.0f));
    // Ten sparks; the walk stops behind the first one that reaches 40.
    const std::vector<explosionparticle>& sparks = wreck.explosion.particles;
    EXPECT_EQ(std::make_tuple(sparks.size(), sparks[0].age,
                              std::ranges::count(sparks, 39, &explosionparticle::age)),
              std::make_tuple(10u, 40, 9));
    fleet.update(0.0f, 0.0f, 0.0f, fx);
    EXPECT_EQ(std::make_tuple(fleet.enemies.size(), fleet.destroyed), std::make_tuple(5u, 1));

    // Over many explosions every spark size from 2 to 9 comes up, and no other.
    std::set<float> slices;
    for (int more = 0; more < 300; ++more) {
        Explosion e;
        e.start(1.0f, 2.0f, 3.0f);
        for (const explosionparticle& spark : e.particles)
            slices.insert(spark.slices);
    }
    EXPECT_EQ(slices, (std::set<float>{2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(Timers, ArmInTableOrderGoAgainAfterTheirOwnDelayNeverTwiceAndStopWithTheGame) {
    Game game;
    SoundPlayer silent;
    game.scheduleTimer = [](TimerId id, unsigned int delay, int value) {
        armed.emplace_back(id, delay, value);
    };
    // callback, id, first delay and value, delay of the runs after; the tick draws, so it is not run here
    const std::tuple<void (*)(Game&, SoundPlayer&, int), TimerId, unsigned int, int, unsigned int> timers[] =
        {{nullptr, TimerId::Tick, 50, 50, 5},
         {townTimer, TimerId::Town, 500, 1, 300},
         {beamTimer, TimerId::Beam, 1200, 1, 550},
         {gunTimer, TimerId::Gun, 80, 0, 80},
         {causticTimer, TimerId::Caustic, 100, 0, 50},
         {enemyTimer, TimerId::Enemy, 200, 0, 125},
         {lowerWaterTimer, TimerId::LowerWater, 20000, 0, 20000}};
    armed.clear();
    armTimers(game);
    armTimers(game);
    EXPECT_FALSE(rearmTimer(game, TimerId::Beam, 20)) << "a timer whose run is pending is not armed again";
    // Armed in table order; each callback marks its own run started and goes again after its own delay.
    for (size_t k = 0; k < 7; ++k) {
        const auto& [callback, id, first, value, again] = timers[k];
        EXPECT_EQ(armed.at(k), Armed(id, first, value));
        if (!callback)
            continue;
        armed.push_back({});
        game.effects.play(Sound::GunShot);
        callback(game, silent, 1);
        EXPECT_EQ(armed.back(), Armed(id, again, id == TimerId::Beam ? 0 : 1)) << "no town, nobody to beam";
        EXPECT_TRUE(game.effects.sounds.empty()) << "what the rules record is played at the end of each run";
    }
    game.effects.play(Sound::GunShot);
    mouse(game, silent, kLeftButton, kButtonUp);
    EXPECT_TRUE(game.effects.sounds.empty()) << "and at the end of a click";
    // Once the game is over no timer goes again, though the water sinks in the run under way; a restart
    // then arms only the timers that stopped.
    game.gameOver = true;
    armed.clear();
    lowerWaterTimer(game, silent, 1);
    enemyTimer(game, silent, 1);
    game.gameOver = false;
    armTimers(game);
    EXPECT_EQ(std::make_pair(armed, game.waterLevel),
              std::make_pair(std::vector<Armed>{{TimerId::Enemy, 200, 0}, {TimerId::LowerWater, 20000, 0}},
                             kStartWaterLevel - 1.0f));
}

TEST(EnemyTimer, TheFleetsBurstsTakeThreeLifePointsAHitUntilTheGameIsLost) {
    Game game;
    SoundPlayer silent;
    game.effects.showText("Stadt evakuiiert: Ulm", 0.0f, 0.0f, {});
    std::srand(11);
    // The player at the origin and a full fleet, which spawns nobody: all six close in within reach, so each
    // fires every three seconds.
    for (int k = 0; k < kMaxEnemies; ++k)
        onFakeClock(placeEnemy(game, -12.0f + 4 * k, k % 2 * 3.0f, -5.0f));
    const auto error = [](float aim, float from) { return std::lround((aim * 40.0f + from) * 1000.0f); };
    for (int run = 1; run <= 24 * 100 && !game.gameOver; ++run) {
        const int life = game.lifePoints, flashes = hitFlashes(game.effects);
        game.effects.rumble.reset();
        fakeNow += std::chrono::milliseconds(125); // the enemy timer's period
        enemyTimer(game, silent, 1);
        // A new bullet flies from its enemy at the player off by an aim error in thousandths; it hits when
        // that error is within 0.2, and each hit takes three life points and knocks on the pad.
        int hits = 0;
        for (const Enemy& enemy : game.enemyFleet.enemies) {
            int fresh = 0;
            for (const w4particle& b : enemy.bullets) {
                const long x = error(b.direction.x, b.position.x), y = error(b.direction.y, b.position.y),
                           z = error(b.direction.z, b.position.z);
                fresh += b.age == 0;
                hits += b.age == 0 && x * x + y * y + z * z <= 40000;
            }
            ASSERT_EQ(fresh, run % 24 == 0 ? 3 : 0)
                << "three bullets from each enemy every 24th run: " << run;
        }
        EXPECT_EQ(std::make_tuple(hitFlashes(game.effects) - flashes, life - game.lifePoints,
                                  game.effects.rumble == std::optional(Rumble::Hit)),
                  std::make_tuple(hits, 3 * hits, hits > 0))
            << run;
        EXPECT_EQ(endGameIfDestroyed(game), game.lifePoints < 1) << run;
        EXPECT_EQ(game.effects.screenTexts.empty(), game.gameOver) << "the end screen stands alone";
    }
    ASSERT_TRUE(game.gameOver && game.gameEnded) << "still alive after 100 bursts of the whole fleet";
    EXPECT_EQ(game.effects.rumble, Rumble::GameLost) << "the lost game outweighs the hit that ended it";
    for (const Enemy& enemy : game.enemyFleet.enemies)
        EXPECT_LT(distance(enemy.position, {}), 8.5f) << "the fleet closes in to 8, then only trembles";
}
