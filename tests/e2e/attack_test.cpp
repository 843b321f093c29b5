#include "app/Controls.h"
#include "support/GameProcess.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
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

std::vector<char> fileBytes(const std::string& path, size_t from = 0) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<long>(std::min(from, bytes.size())));
    return bytes;
}

} // namespace

// Only enemies spawned within 100 units close in; the others wait, frozen, in the fleet's six places until
// the submarine comes nearer. The submarine stays put until nobody has come for a while; then it cruises
// forward a little, as a player would, and waits again.
TEST(Attack, TheSubmarineIsShotDownAndTheBurstsAreHeard) {
    const TempFolder folder("attack");
    const std::string played = folder.file("played.raw");
    XvfbServer screen(1024, 768);
    GameProcess game({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + played});
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
    const std::vector<char> gun = fileBytes("Sounds/mg42_shoot.wav", 44);
    ASSERT_GT(gun.size(), 12000u);
    const std::vector<char> stretch(gun.begin() + 8000, gun.begin() + 12000);
    const std::vector<char> output = fileBytes(played);
    EXPECT_NE(std::search(output.begin(), output.end(), stretch.begin(), stretch.end()), output.end())
        << "no burst was played";
}
