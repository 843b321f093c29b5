#include "app/GameState.h"
#include "app/Tick.h"
#include "app/Timers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Armed {
    unsigned int delay;
    void (*callback)(int);
    int value;
};
std::vector<Armed> armed;

void recordTimer(unsigned int delay, void (*callback)(int), int value) {
    armed.push_back({delay, callback, value});
}

GameState recordingState() {
    armed.clear();
    GameState state;
    state.scheduleTimer = recordTimer;
    return state;
}

} // namespace

TEST(Timers, StartUpArmsTheSevenTimersInTableOrderWithFirstDelaysAndValues) {
    GameState state = recordingState();
    armTimers(state);
    ASSERT_EQ(armed.size(), 7u);
    const std::vector<std::pair<unsigned int, int>> expected{{50, 50}, {500, 1}, {1200, 1}, {80, 0},
                                                             {100, 0}, {200, 0}, {20000, 0}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(armed[i].delay, expected[i].first) << i;
        EXPECT_EQ(armed[i].value, expected[i].second) << i;
        EXPECT_EQ(armed[i].callback, timerTable()[i].callback) << i;
    }
    EXPECT_EQ(armed[0].callback, &tick);
    EXPECT_EQ(armed[6].callback, &lowerWaterTimer);
}

TEST(Timers, ReArmOnlyWhileTheGameIsOnAndNeverTwice) {
    GameState state = recordingState();
    armTimers(state);
    armed.clear();

    // A timer whose run is still pending is not armed a second time.
    EXPECT_FALSE(rearmTimer(state, TimerId::Beam, 20));
    timerStarted(state, TimerId::Beam);
    EXPECT_TRUE(rearmTimer(state, TimerId::Beam, 20));
    ASSERT_EQ(armed.size(), 1u);
    EXPECT_EQ(armed[0].delay, 550u);
    EXPECT_EQ(armed[0].value, 20);

    timerStarted(state, TimerId::Tick);
    state.gameOver = true;
    EXPECT_FALSE(rearmTimer(state, TimerId::Tick, 1));
    EXPECT_EQ(armed.size(), 1u);
    EXPECT_FALSE(state.timerPending[static_cast<size_t>(TimerId::Tick)]);

    // A restart arms only the timers that stopped, so none ends up with two runs pending.
    state.gameOver = false;
    armed.clear();
    armTimers(state);
    ASSERT_EQ(armed.size(), 1u);
    EXPECT_EQ(armed[0].callback, &tick);
    EXPECT_EQ(armed[0].delay, 50u);
}

TEST(Timers, WaterSinksHalfAUnitPerRunAndAtMostOnceMoreAfterGameOver) {
    GameState state = recordingState();
    lowerWater(state);
    lowerWater(state);
    EXPECT_FLOAT_EQ(state.waterLevel, 19.0f);

    // The global game drives the real callback: after game over it lowers once and stops.
    GameState saved = std::move(game);
    game = recordingState();
    game.gameOver = true;
    game.timerPending[static_cast<size_t>(TimerId::LowerWater)] = true;
    lowerWaterTimer(1);
    EXPECT_FLOAT_EQ(game.waterLevel, 19.5f);
    EXPECT_TRUE(armed.empty());
    game.gameOver = false;
    lowerWaterTimer(1);
    ASSERT_EQ(armed.size(), 1u);
    EXPECT_EQ(armed[0].delay, 20000u);
    EXPECT_EQ(armed[0].value, 1);
    game = std::move(saved);
}
