#include "app/Controls.h"
#include "support/DiskAudio.h"
#include "support/GameProcess.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace std::chrono_literals;

namespace {

// On a 1024 x 768 screen: the lit segments of the life bar, and the end screen's first line.
int lifeSegmentsLit(const cv::Mat& shot) {
    cv::Mat lit;
    cv::inRange(shot(cv::Rect(270, 718, 140, 44)), cv::Scalar(0, 150, 0), cv::Scalar(130, 255, 110), lit);
    return cv::countNonZero(lit);
}

bool endScreenShown(const cv::Mat& shot) {
    cv::Mat black;
    cv::inRange(shot(cv::Rect(350, 190, 330, 35)), cv::Scalar::all(0), cv::Scalar::all(12), black);
    return cv::countNonZero(black) > 150;
}

} // namespace

// Only enemies spawned within 100 units close in; the others wait, frozen, in the fleet's six places until
// the submarine comes nearer. The submarine stays put until nobody has come for a while; then it cruises
// forward a little, as a player would, and waits again.
TEST(Attack, TheSubmarineIsShotDownAndTheBurstsAreHeard) {
    const TempFolder folder("attack");
    const std::string played = folder.file("played.raw");
    XvfbServer screen(1024, 768);
    GameProcess game(diskAudioInto(played));
    ASSERT_TRUE(game.waitForLine(kControlLines.back(), 60s)) << game.errors();
    std::this_thread::sleep_for(1500ms);

    std::vector<int> lit{lifeSegmentsLit(grabScreen())};
    bool ended = false;
    auto lastHit = std::chrono::steady_clock::now();
    const auto start = lastHit;
    while (!ended && std::chrono::steady_clock::now() - start < 360s) {
        std::this_thread::sleep_for(1s);
        const cv::Mat shot = grabScreen();
        ASSERT_FALSE(shot.empty());
        if (lifeSegmentsLit(shot) != lit.back()) {
            lit.push_back(lifeSegmentsLit(shot));
            lastHit = std::chrono::steady_clock::now();
        }
        ended = endScreenShown(shot);
        if (!ended && std::chrono::steady_clock::now() - lastHit > 20s) {
            xdotool("key --repeat 100 --delay 40 w");
            lastHit = std::chrono::steady_clock::now();
        }
    }
    ASSERT_TRUE(ended) << "not shot down within six minutes";
    // The bar empties tenth by tenth: several pictures, each with fewer lit segments.
    EXPECT_GE(lit.size(), 4u);
    EXPECT_TRUE(std::is_sorted(lit.rbegin(), lit.rend())) << "the life bar filled up again";
    EXPECT_LT(lit.back(), lit.front() / 10) << "the last picture still shows life";

    xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(10s), 0) << game.errors();
    EXPECT_EQ(game.errors().find("AddressSanitizer"), std::string::npos) << game.errors();
    EXPECT_EQ(game.errors().find("runtime error"), std::string::npos) << game.errors();

    // What the device played holds the bursts: a stretch of the machine gun's own samples.
    EXPECT_TRUE(playedStretchOf(played, "Sounds/mg42_shoot.wav", 8000, 12000)) << "no burst was played";
}
