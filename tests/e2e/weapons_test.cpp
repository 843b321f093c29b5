#include "app/Controls.h"
#include "support/DiskAudio.h"
#include "support/GameProcess.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

size_t count(const std::string& text, const std::string& line) {
    size_t n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++n;
    return n;
}

} // namespace

// The buttons as a player uses them, on a 1024 x 768 screen: a torpedo launched and set off, then the
// trigger held for a second, seen on the heat bar and heard on the disk audio device.
TEST(Weapons, TheRightButtonLaunchesAndDetonatesAndTheLeftOneFiresTheGun) {
    const TempFolder folder("weapons");
    const std::string played = folder.file("played.raw");
    XvfbServer screen(1024, 768);
    GameProcess game(diskAudioInto(played));
    ASSERT_TRUE(game.waitForLine(kControlLines.back(), 60s)) << game.errors();
    std::this_thread::sleep_for(1500ms);

    const std::string launch = "halo 0.35 xplode 0";
    ASSERT_TRUE(xdotool("click 3"));
    ASSERT_TRUE(game.waitForLine(launch, 5s)) << game.output();
    ASSERT_TRUE(xdotool("click 3")); // sets it off: nothing printed
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(count(game.output(), launch), 1u) << game.output();

    const cv::Rect heatBar(975, 440, 45, 180);
    const cv::Mat cold = grabScreen();
    ASSERT_TRUE(xdotool("mousedown 1"));
    std::this_thread::sleep_for(1s);
    const cv::Mat hot = grabScreen();
    ASSERT_TRUE(xdotool("mouseup 1"));
    EXPECT_GT(cv::countNonZero(changes(cold, hot, heatBar)), 200) << "the heat bar did not fill";

    xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(10s), 0) << game.errors();
    EXPECT_EQ(game.errors().find("AddressSanitizer"), std::string::npos) << game.errors();
    EXPECT_EQ(game.errors().find("runtime error"), std::string::npos) << game.errors();

    // Each shot cuts the one before after 80 ms: a stretch from the start of the shot's samples.
    EXPECT_TRUE(playedStretchOf(played, "Sounds/30cal_shoot.wav", 200, 2200)) << "no shot was heard";
}
