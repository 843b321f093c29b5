#include "app/Game.h"
#include "app/TimerCallbacks.h"
#include "player/Submarine.h"
#include "support/Fleet.h"
#include "support/SavedGame.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

using Armed = std::tuple<TimerId, unsigned int, int>;
std::vector<Armed> armed;

void recordTimer(TimerId id, unsigned int delay, int value) {
    armed.emplace_back(id, delay, value);
}

Stopwatch::Clock::time_point fakeNow;

// A hit on the player flashes a ball of radius 2 there; nothing else the enemies record has that size.
int hitFlashes(const PendingEffects& fx) {
    return static_cast<int>(std::ranges::count(fx.worldShapes, 2.0f, &WorldShape::size));
}

} // namespace

TEST(Timers, ArmInTableOrderGoAgainAfterTheirOwnDelayNeverTwiceAndStopWithTheGame) {
    const SavedGame keep;
    static_cast<GameState&>(game) = GameState{};
    game.scheduleTimer = recordTimer;
    armed.clear();
    armTimers(game);
    armTimers(game);
    EXPECT_FALSE(rearmTimer(game, TimerId::Beam, 20)) << "a timer whose run is pending is not armed again";
    EXPECT_EQ(armed, (std::vector<Armed>{{TimerId::Tick, 50, 50},
                                         {TimerId::Town, 500, 1},
                                         {TimerId::Beam, 1200, 1},
                                         {TimerId::Gun, 80, 0},
                                         {TimerId::Caustic, 100, 0},
                                         {TimerId::Enemy, 200, 0},
                                         {TimerId::LowerWater, 20000, 0}}));
    // Each callback marks its own run started and goes again after its own delay.
    for (const auto& [callback, id, delay] : {std::tuple{&townTimer, TimerId::Town, 300u},
                                              {beamTimer, TimerId::Beam, 550u},
                                              {gunTimer, TimerId::Gun, 80u},
                                              {causticTimer, TimerId::Caustic, 50u},
                                              {enemyTimer, TimerId::Enemy, 125u},
                                              {lowerWaterTimer, TimerId::LowerWater, 20000u}}) {
        armed.clear();
        callback(1);
        ASSERT_EQ(armed.size(), 1u);
        EXPECT_EQ(std::make_pair(std::get<0>(armed[0]), std::get<1>(armed[0])), std::make_pair(id, delay));
    }
    // Once the game is over no timer goes again, though the water sinks in the run under way; a restart
    // then arms only the timers that stopped.
    game.gameOver = true;
    armed.clear();
    lowerWaterTimer(1);
    enemyTimer(1);
    EXPECT_EQ(std::make_pair(armed.size(), game.waterLevel),
              std::make_pair(size_t{0}, kStartWaterLevel - 1.0f));
    game.gameOver = false;
    armTimers(game);
    EXPECT_EQ(armed, (std::vector<Armed>{{TimerId::Enemy, 200, 0}, {TimerId::LowerWater, 20000, 0}}));
}

TEST(EnemyTimer, TheFleetClosesInAndItsBurstsTakeThreeLifePointsAHitUntilTheGameIsLost) {
    const SavedGame keep;
    static_cast<GameState&>(game) = GameState{};
    game.lifePoints = 1;
    EXPECT_FALSE(endGameIfDestroyed(game)) << "one life point is still life";
    game.lifePoints = 100;
    const Vec3 player{300.0f, -20.0f, -400.0f};
    game.playerPos = {player.x, player.y, player.z};
    game.effects.showText("Stadt evakuiiert: Ulm", 0.0f, 0.0f, {});
    game.enemyFleet = EnemyFleet{};
    std::srand(11);
    // A full fleet spawns nobody. Each enemy fires every three seconds within reach; it closes a 45th of
    // the gap in each update, with a jitter of at most 0.25 on each axis, and within 8 only jitters.
    for (int k = 0; k < kMaxEnemies; ++k) {
        Enemy& enemy = placeEnemy(player.x - 12.0f + 4 * k, player.y + k % 2 * 3, player.z - 5.0f);
        enemy.fireTimer.now = [] { return fakeNow; };
        enemy.fireTimer.startTime = fakeNow;
    }
    float tremble = 0.0f;
    for (int run = 1; run <= 24 * 100 && !game.gameOver; ++run) {
        const int life = game.lifePoints, flashes = hitFlashes(game.effects);
        std::vector<Vec3> from;
        for (const Enemy& enemy : game.enemyFleet.enemies)
            from.push_back(enemy.position);
        fakeNow += 125ms; // the enemy timer's period
        enemyTimer(1);
        for (size_t k = 0; k < from.size(); ++k) {
            const Enemy& enemy = game.enemyFleet.enemies[k];
            const bool near = distance(from[k], player) < 8.0f;
            const float moved[] = {enemy.position.x - from[k].x, enemy.position.y - from[k].y,
                                   enemy.position.z - from[k].z};
            const float gap[] = {player.x - from[k].x, player.y - from[k].y, player.z - from[k].z};
            for (int axis = 0; axis < 3; ++axis) {
                ASSERT_LE(std::abs(near ? moved[axis] : moved[axis] * 45.0f - gap[axis]), 0.25f + 1e-3f)
                    << near;
                tremble = std::max(tremble, near ? std::abs(moved[axis]) : 0.0f);
            }
            ASSERT_EQ(std::ranges::count(enemy.bullets, 0, &w4particle::age), run % 24 == 0 ? 3 : 0)
                << "three bullets from each enemy every 24th run: " << run;
        }
        EXPECT_EQ(life - game.lifePoints, 3 * (hitFlashes(game.effects) - flashes)) << run;
        EXPECT_EQ(endGameIfDestroyed(game), game.lifePoints < 1) << run;
        EXPECT_EQ(game.effects.screenTexts.empty(), game.gameOver) << "the end screen stands alone";
    }
    ASSERT_TRUE(game.gameOver) << "still alive after 100 bursts of the whole fleet";
    EXPECT_TRUE(game.gameEnded);
    EXPECT_GT(tremble, 0.2f) << "within 8 the approach must not apply";
    game.enemyFleet = EnemyFleet{};
}
