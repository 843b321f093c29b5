// The submarine keeps the game's pace however long a frame takes: W held for the same time carries it as
// far on a small screen as on a large one, where each frame costs several times as much.
#include "support/GameProcess.h"
#include "support/Pictures.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Valley units W held for 2.4 s carries the submarine north, read off the radar pointer. The radar spans
// the screen's height at 2048 / 0.2 units: 10240 units a screen height.
double pushedDistance(int width, int height) {
    XvfbServer screen(width, height);
    GameProcess game({"SDL_AUDIODRIVER=dummy", std::string("LD_PRELOAD=") + ZARNOWELL_FIXED_TIME,
                      "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0"});
    if (!game.waitForLine("Mit T Taste Torpedo abschiessen", 60s)) {
        ADD_FAILURE() << "waiting for the control lines\n" << game.errors();
        return NAN;
    }
    std::this_thread::sleep_for(1500ms); // full screen comes with the main loop's first passes
    const auto pointerY = [] {
        const cv::Rect box = radarPointer(grabScreen());
        return box.y + box.height / 2.0;
    };
    const double before = pointerY();
    xdotool("key --repeat 60 --delay 40 w");
    std::this_thread::sleep_for(1500ms); // it coasts to a stop
    const double after = pointerY();
    xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(5s), 0) << game.errors();
    return (before - after) * 10240.0 / height;
}

} // namespace

TEST(Pace, WHeldAsLongCarriesTheSubmarineAsFarOnASmallScreenAsOnALargeOne) {
    const double small = pushedDistance(640, 480), large = pushedDistance(1600, 1200);
    std::cout << "[ figure ] W for 2.4 s: " << small << " units at 640 x 480, " << large << " at 1600 x 1200"
              << std::endl;
    ASSERT_GT(small, 100.0) << "W hardly moved the submarine";
    EXPECT_NEAR(large / small, 1.0, 0.25);
}
