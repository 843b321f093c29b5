// The seven one-shot timers that carry the game: their table, arming at start-up (and again on a restart),
// and the rule that a timer re-arms itself only while the game is not over.
#pragma once

#include <array>

struct GameState;

enum class TimerId : int { Tick, Town, Beam, Gun, Caustic, Enemy, LowerWater };

struct TimerEntry {
    TimerId id;
    void (*callback)(int);
    unsigned int firstDelayMs;
    int firstValue;
    unsigned int rearmDelayMs;
};

const std::array<TimerEntry, 7>& timerTable();

// Arms every timer that has no run pending, with its first delay and value.
void armTimers(GameState& state);

// Called first thing in a timer callback: its run is no longer pending.
void timerStarted(GameState& state, TimerId id);

// Called last thing in a timer callback. Re-arms with the re-arm delay and the given value unless the game
// is over or a run is already pending; returns whether it armed.
bool rearmTimer(GameState& state, TimerId id, int value);

// Timer callback: the water ceiling sinks by 0.5 every 20 seconds.
void lowerWaterTimer(int value);
void lowerWater(GameState& state);
