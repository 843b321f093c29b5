#include "core/Timers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace std::chrono_literals;

TEST(TickClock, OwesOneStepPerWholeFiveMillisecondsCarriesTheRestAndDropsAStall) {
    const TickClock::TimePoint start{1h};
    struct Case {
        std::vector<std::chrono::microseconds> runs; // after a first run at `start`
        std::vector<int> steps;
    };
    const Case cases[] = {
        {{4ms, 5ms}, {0, 1}},                                // nothing before 5 ms, and the 4 ms are not lost
        {{12500us, 15ms}, {2, 1}},                           // 2.5 ms carried make the next step whole
        {{2s, 2s + 4ms, 2s + 5ms}, {kMaxStepsPerRun, 0, 1}}, // the stall's rest dropped, not replayed
        {{102500us, 105ms}, {kMaxStepsPerRun, 1}},           // exactly the most a run takes: nothing dropped
    };
    for (const Case& c : cases) {
        TickClock clock;
        ASSERT_EQ(clock.stepsAt(start), 1) << "the first run takes one step";
        for (size_t run = 0; run < c.runs.size(); ++run)
            EXPECT_EQ(clock.stepsAt(start + c.runs[run]), c.steps[run]) << c.runs[run].count() << " us";
    }
    // Frames of any length under the stall limit: game time never gains or loses a step.
    TickClock clock;
    int steps = clock.stepsAt(start) - 1;
    auto now = start;
    for (int run = 0; run < 500; ++run) {
        now += std::chrono::microseconds(300 + run * 7919 % 60000);
        steps += clock.stepsAt(now);
    }
    EXPECT_EQ(steps, (now - start) / kTickStep);
    clock.reset();
    EXPECT_EQ(clock.stepsAt(now + 1h), 1) << "a tick armed anew starts with one step";
}
