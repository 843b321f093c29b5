#include "core/Timers.h"

#include "core/GameState.h"

#include <utility>

namespace {

void schedule(GameState& state, TimerId id, unsigned int delayMs, int value) {
    state.timerPending[static_cast<size_t>(id)] = true;
    if (state.scheduleTimer)
        state.scheduleTimer(id, delayMs, value);
}

} // namespace

void armTimers(GameState& state) {
    for (int index = 0; index < kTimerCount; ++index) {
        const TimerTiming& timing = kTimerTimings[static_cast<size_t>(index)];
        if (!state.timerPending[static_cast<size_t>(index)])
            schedule(state, static_cast<TimerId>(index), timing.firstDelayMs, timing.firstValue);
    }
}

void timerStarted(GameState& state, TimerId id) {
    state.timerPending[static_cast<size_t>(id)] = false;
}

bool rearmTimer(GameState& state, TimerId id, int value) {
    if (state.gameOver || state.timerPending[static_cast<size_t>(id)])
        return false;
    schedule(state, id, kTimerTimings[static_cast<size_t>(id)].rearmDelayMs, value);
    return true;
}

int TickClock::stepsAt(TimePoint now) {
    const std::optional<TimePoint> last = std::exchange(lastRun_, now);
    if (!last) {
        carried_ = {};
        return 1;
    }
    const auto owed = carried_ + (now - *last);
    const auto steps = owed / kTickStep;
    if (steps > kMaxStepsPerRun) {
        carried_ = {};
        return kMaxStepsPerRun;
    }
    carried_ = owed - steps * kTickStep;
    return static_cast<int>(steps);
}
