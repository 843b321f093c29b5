#include "enemies/Stopwatch.h"

void Stopwatch::start() {
    if (!running)
        restart();
}

void Stopwatch::restart() {
    running = true;
    startTime = now();
}

double Stopwatch::elapsed() const {
    if (!running)
        return 0.0;
    return std::chrono::duration<double>(now() - startTime).count();
}
