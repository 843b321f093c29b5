#include "app/Game.h"
#include "app/TimerCallbacks.h"
#include "core/GameState.h"
#include "support/SavedGame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Armed {
    TimerId id;
    unsigned int delay;
    int value;
    bool operator==(const Armed&) const = default;
};
std::vector<Armed> armed;

void recordTimer(TimerId id, unsigned int delay, int value) {
    armed.push_back({id, delay, value});
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
    const std::vector<Armed> expected{{TimerId::Tick, 50, 50},        {TimerId::Town, 500, 1},
                                      {TimerId::Beam, 1200, 1},       {TimerId::Gun, 80, 0},
                                      {TimerId::Caustic, 100, 0},     {TimerId::Enemy, 200, 0},
                                      {TimerId::LowerWater, 20000, 0}};
    EXPECT_EQ(armed, expected);
}

TEST(Timers, ReArmOnlyWhileTheGameIsOnAndNeverTwice) {
    GameState state = recordingState();
    armTimers(state);
    armed.clear();

    // A timer whose run is still pending is not armed a second time.
    EXPECT_FALSE(rearmTimer(state, TimerId::Beam, 20));
    timerStarted(state, TimerId::Beam);
    EXPECT_TRUE(rearmTimer(state, TimerId::Beam, 20));
    EXPECT_EQ(armed, (std::vector<Armed>{{TimerId::Beam, 550, 20}}));

    timerStarted(state, TimerId::Tick);
    state.gameOver = true;
    EXPECT_FALSE(rearmTimer(state, TimerId::Tick, 1));
    EXPECT_EQ(armed.size(), 1u);
    EXPECT_FALSE(state.timerPending[static_cast<size_t>(TimerId::Tick)]);

    // Every timer goes again after its own re-arm delay (the tick's sets the frame rate).
    state.gameOver = false;
    armed.clear();
    std::vector<unsigned int> delays;
    for (int id = 0; id < kTimerCount; ++id) {
        timerStarted(state, static_cast<TimerId>(id));
        rearmTimer(state, static_cast<TimerId>(id), 1);
        delays.push_back(armed.back().delay);
    }
    EXPECT_EQ(delays, (std::vector<unsigned int>{5, 300, 550, 80, 50, 125, 20000}));

    // A restart arms only the timers that stopped, so none ends up with two runs pending.
    timerStarted(state, TimerId::Tick);
    state.gameOver = false;
    armed.clear();
    armTimers(state);
    EXPECT_EQ(armed, (std::vector<Armed>{{TimerId::Tick, 50, 50}}));
}

TEST(Timers, WaterSinksAtMostOnceMoreAfterGameOver) {
    const SavedGame keep;
    static_cast<GameState&>(game) = recordingState();
    game.gameOver = true;
    game.timerPending[static_cast<size_t>(TimerId::LowerWater)] = true;
    lowerWaterTimer(1);
    EXPECT_FLOAT_EQ(game.waterLevel, 19.5f);
    EXPECT_TRUE(armed.empty());
    game.gameOver = false;
    lowerWaterTimer(1);
    EXPECT_FLOAT_EQ(game.waterLevel, 19.0f);
    EXPECT_EQ(armed, (std::vector<Armed>{{TimerId::LowerWater, 20000, 1}}));
}

TEST(Timers, EveryCallbackGoesAgainAfterItsOwnDelay) {
    const SavedGame keep;
    const std::pair<void (*)(int), TimerId> callbacks[] = {
        {townTimer, TimerId::Town},   {beamTimer, TimerId::Beam},
        {gunTimer, TimerId::Gun},     {causticTimer, TimerId::Caustic},
        {enemyTimer, TimerId::Enemy}, {lowerWaterTimer, TimerId::LowerWater}};
    for (const auto& [callback, id] : callbacks) {
        static_cast<GameState&>(game) = recordingState();
        const auto index = static_cast<size_t>(id);
        game.timerPending[index] = true; // GLUT runs a timer whose run was pending
        callback(1);
        ASSERT_EQ(armed.size(), 1u) << index;
        EXPECT_EQ(armed[0].id, id);
        EXPECT_EQ(armed[0].delay, kTimerTimings[index].rearmDelayMs);
    }
}
