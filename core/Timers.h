// The seven one-shot timers that carry the game: their delays and values, arming at start-up (and again on
// a restart), and the rule that a timer re-arms itself only while the game is not over. Which function a
// timer runs is the shell's business; here a timer is only its id.
#pragma once

#include <array>
#include <chrono>
#include <optional>

struct GameState;

enum class TimerId : int { Tick, Town, Beam, Gun, Caustic, Enemy, LowerWater };
inline constexpr int kTimerCount = 7;

struct TimerTiming {
    unsigned int firstDelayMs;
    int firstValue;
    unsigned int rearmDelayMs;
};

// In TimerId order, which is also the order in which the timers are armed.
inline constexpr std::array<TimerTiming, kTimerCount> kTimerTimings{{
    {50, 50, 5},       // Tick
    {500, 1, 300},     // Town
    {1200, 1, 550},    // Beam
    {80, 0, 80},       // Gun
    {100, 0, 50},      // Caustic
    {200, 0, 125},     // Enemy
    {20000, 0, 20000}, // LowerWater
}};

// Schedules one run of a timer; GLUT in the game, a recorder in tests, nothing if null.
using TimerScheduler = void (*)(TimerId id, unsigned int delayMs, int value);

// Arms every timer that has no run pending, with its first delay and value.
void armTimers(GameState& state);

// Called first thing in a timer callback: its run is no longer pending.
void timerStarted(GameState& state, TimerId id);

// Called last thing in a timer callback. Re-arms with the re-arm delay and the given value unless the game
// is over or a run is already pending; returns whether it armed.
bool rearmTimer(GameState& state, TimerId id, int value);

// Game time runs in fixed steps of one tick's re-arm delay, whatever a frame costs: a slow frame is made up
// by several steps in the next run, so the submarine keeps the pace of the wall-clock timers.
inline constexpr std::chrono::microseconds kTickStep{5000};
// A longer stall (a dragged window, a debugger) is dropped rather than replayed in one burst.
inline constexpr int kMaxStepsPerRun = 20;

class TickClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // The steps a run at `now` owes: one per whole step since the last run plus what that run carried over.
    // The first run, and the first after reset, takes one step.
    int stepsAt(TimePoint now);
    // A tick armed anew (after the game ended) starts from a first run again.
    void reset() { lastRun_.reset(); }

private:
    std::optional<TimePoint> lastRun_;
    std::chrono::steady_clock::duration carried_{};
};
