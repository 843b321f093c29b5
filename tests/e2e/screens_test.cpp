// Text as a player reads it on a large screen: the score line grows with the height above full HD and is
// as it always was up to it.
#include "support/GameProcess.h"
#include "support/Pictures.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

// Pixels from the top of the score line's dark letters to their bottom, on the real program's screen.
int scoreLineHeight(int width, int height) {
    XvfbServer screen(width, height);
    GameProcess game({"SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"});
    if (!game.waitForLine("Mit T Taste Torpedo abschiessen", 90s)) {
        ADD_FAILURE() << "waiting for the control lines\n" << game.errors();
        return 0;
    }
    std::this_thread::sleep_for(3s); // full screen comes with the main loop's first passes
    const cv::Mat shot = grabScreen();
    xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(10s), 0) << game.errors();
    if (shot.cols != width || shot.rows != height) {
        ADD_FAILURE() << "the grab is " << shot.cols << " x " << shot.rows;
        return 0;
    }
    // "PUNKTESTAND: 0" starts at (-0.89, -0.92) of the overlay, over the bottom bar's light panel; the
    // box stops short of the life line below it.
    const auto x = [&](float overlay) { return static_cast<int>((overlay + 1.0f) * 0.5f * width); };
    const auto y = [&](float overlay) { return static_cast<int>((1.0f - overlay) * 0.5f * height); };
    const cv::Rect line(cv::Point(x(-0.885f), y(-0.86f)), cv::Point(x(-0.55f), y(-0.945f)));
    cv::Mat dark;
    cv::inRange(shot(line), cv::Scalar::all(0), cv::Scalar::all(70), dark);
    return boundingBox(dark).height;
}

} // namespace

TEST(Screens, TheScoreLineIsTwiceAsHighOnA4KScreenAsOnFullHdWhereItIsAsItWas) {
    const int fullHd = scoreLineHeight(1920, 1080), uhd = scoreLineHeight(3840, 2160);
    std::cout << "[ figure ] score line " << fullHd << " px high at 1920 x 1080, " << uhd
              << " px at 3840 x 2160" << std::endl;
    EXPECT_NEAR(fullHd, 14, 1) << "the bitmap font's capitals";
    EXPECT_GE(uhd, 1.8 * fullHd);
}
