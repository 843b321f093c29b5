// The enemies' firing clock: wall time on the steady clock since the last start, with the clock itself
// replaceable so that tests move time instead of waiting for it.
#pragma once

#include <chrono>

class Stopwatch {
public:
    using Clock = std::chrono::steady_clock;
    using TimeSource = Clock::time_point (*)();

    // Starts only a stopwatch that is not running yet.
    void start();
    // Starts again from now, running or not.
    void restart();
    // Seconds since the last start (0 before any).
    double elapsed() const;

    bool running = false;
    Clock::time_point startTime{};
    TimeSource now = Clock::now;
};
