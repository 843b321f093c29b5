// Preloaded into the game by the pace test: a wall clock stopped at one second, so the start point drawn
// from it is the same in every run.
#include <ctime>

extern "C" time_t time(time_t* out) {
    // The third start point comes from this second: its way north is open water for 300 units.
    constexpr time_t kStopped = 1800000001;
    if (out)
        *out = kStopped;
    return kStopped;
}
