#include "app/Controls.h"
#include "support/GameProcess.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

using namespace std::chrono_literals;

TEST(Startup, PrintsTheControlsShowsTheFullScreenWindowAndQuitsOnEscape) {
    XvfbServer screen(1024, 768);
    GameProcess game({"SDL_AUDIODRIVER=dummy"});
    const auto ready = game.waitForLine(kControlLines.back(), 60s);
    ASSERT_TRUE(ready) << "stdout:\n" << game.output() << "\nstderr:\n" << game.errors();
    std::cout << "[ figure ] control lines after " << ready->count() << " ms" << std::endl;

    std::ostringstream controls;
    printControls(controls);
    const std::string& out = game.output();
    ASSERT_GE(out.size(), controls.str().size());
    EXPECT_EQ(out.substr(out.size() - controls.str().size()), controls.str());

    // Full screen takes effect on the main loop's first pass; give it a moment.
    std::optional<WindowGeometry> window;
    for (int attempt = 0; attempt < 50; ++attempt) {
        window = findWindow("Zarnowell");
        if (window && window->width == screen.width())
            break;
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(window) << "no window titled Zarnowell";
    EXPECT_EQ(window->width, screen.width());
    EXPECT_EQ(window->height, screen.height());

    // The window has its full size a moment before a frame of that size has been drawn into it.
    std::this_thread::sleep_for(500ms);
    const cv::Mat shot = grabScreen();
    ASSERT_FALSE(shot.empty());
    // The frame fills the whole screen: the corner beyond the first 800 x 600 (clear of the HUD) is drawn,
    // not left black, whichever start point and view the game picked.
    const cv::Scalar corner = cv::mean(shot(cv::Rect(810, 610, 150, 100)));
    EXPECT_GT(corner[0] + corner[1] + corner[2], 60.0) << "the frame does not reach the screen's corner";

    ASSERT_TRUE(xdotool("key Escape"));
    const auto status = game.waitForExit(2s);
    ASSERT_TRUE(status) << "the game did not end within two seconds of Esc\n" << game.errors();
    EXPECT_EQ(*status, 0) << game.errors();
}
