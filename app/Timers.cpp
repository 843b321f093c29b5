#include "app/Timers.h"

#include "app/GameState.h"
#include "app/Tick.h"
#include "enemies/EnemyFleet.h"
#include "player/WeaponSystem.h"
#include "towns/Beaming.h"
#include "world/Caustics.h"

namespace {

void schedule(GameState& state, const TimerEntry& entry, unsigned int delayMs, int value) {
    state.timerPending[static_cast<size_t>(entry.id)] = true;
    if (state.scheduleTimer)
        state.scheduleTimer(delayMs, entry.callback, value);
}

} // namespace

const std::array<TimerEntry, 7>& timerTable() {
    static const std::array<TimerEntry, 7> table{{
        {TimerId::Tick, tick, 50, 50, 5},
        {TimerId::Town, townTimer, 500, 1, 300},
        {TimerId::Beam, beamTimer, 1200, 1, 550},
        {TimerId::Gun, gunTimer, 80, 0, 80},
        {TimerId::Caustic, causticTimer, 100, 0, 50},
        {TimerId::Enemy, enemyTimer, 200, 0, 125},
        {TimerId::LowerWater, lowerWaterTimer, 20000, 0, 20000},
    }};
    return table;
}

void armTimers(GameState& state) {
    for (const TimerEntry& entry : timerTable())
        if (!state.timerPending[static_cast<size_t>(entry.id)])
            schedule(state, entry, entry.firstDelayMs, entry.firstValue);
}

void timerStarted(GameState& state, TimerId id) {
    state.timerPending[static_cast<size_t>(id)] = false;
}

bool rearmTimer(GameState& state, TimerId id, int value) {
    const TimerEntry& entry = timerTable()[static_cast<size_t>(id)];
    if (state.gameOver || state.timerPending[static_cast<size_t>(id)])
        return false;
    schedule(state, entry, entry.rearmDelayMs, value);
    return true;
}

void lowerWater(GameState& state) {
    state.waterLevel -= 0.5f;
}

void lowerWaterTimer(int) {
    timerStarted(game, TimerId::LowerWater);
    lowerWater(game);
    rearmTimer(game, TimerId::LowerWater, 1);
}
