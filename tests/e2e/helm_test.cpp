#include "app/Controls.h"
#include "support/GameProcess.h"
#include "support/Pictures.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace {

// The radar pointer on a 1024 x 768 screen: the only near-white pixels of the radar's corner.
struct Pointer {
    cv::Rect box;
    int pixels = 0;
    double centreY() const { return box.y + box.height / 2.0; }
};

Pointer radarPointer(const cv::Mat& shot) {
    cv::Mat white;
    cv::inRange(shot(cv::Rect(0, 0, 410, 154)), cv::Scalar::all(215), cv::Scalar::all(255), white);
    return {boundingBox(white), cv::countNonZero(white)};
}

class Helm : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.waitForLine(kControlLines.back(), 60s)) << game.errors();
        // Full screen comes with the main loop's first passes.
        std::this_thread::sleep_for(1500ms);
    }
    void TearDown() override {
        xdotool("key Escape");
        const auto status = game.waitForExit(5s);
        EXPECT_EQ(status, 0) << "Esc ends the game with status 0\n" << game.errors();
        EXPECT_EQ(game.errors().find("runtime error"), std::string::npos) << game.errors();
        EXPECT_EQ(game.errors().find("AddressSanitizer"), std::string::npos) << game.errors();
    }

    XvfbServer screen{1024, 768};
    GameProcess game{{"SDL_AUDIODRIVER=dummy"}};
};

} // namespace

TEST_F(Helm, PPrintsTheScoreAndKeysThatActOnNothingChangeNothing) {
    ASSERT_TRUE(xdotool("key p"));
    ASSERT_TRUE(game.waitForLine("PUNKTESTAND: 0", 5s)) << game.output();

    const cv::Mat before = grabScreen();
    // Upper case, t (the old torpedo key), a digit, and special keys that are not arrows.
    ASSERT_TRUE(xdotool("key --repeat 10 --delay 30 W T t 7 shift+y F1 Page_Up Home"));
    std::this_thread::sleep_for(500ms);
    const cv::Mat after = grabScreen();
    const Pointer was = radarPointer(before), is = radarPointer(after);
    ASSERT_GT(was.pixels, 30) << "no radar pointer on screen";
    EXPECT_EQ(is.box, was.box) << "the submarine moved or turned";
    ASSERT_TRUE(xdotool("key p"));
    std::this_thread::sleep_for(300ms);
    const std::string& out = game.output();
    EXPECT_EQ(out.substr(out.size() - 30), "PUNKTESTAND: 0\nPUNKTESTAND: 0\n");
}

TEST_F(Helm, HoldingWMovesTheSubmarineAndTheMouseTurnsIt) {
    const Pointer start = radarPointer(grabScreen());
    ASSERT_GT(start.pixels, 30);
    EXPECT_GT(start.box.height, start.box.width) << "heading 0: the pointer stands upright";

    // W pushes along the view, which at heading 0 is -z: up the radar map.
    // A slow machine draws fewer ticks, and the submarine goes 0.4 a tick: look again for a while.
    ASSERT_TRUE(xdotool("key --repeat 100 --delay 40 w"));
    Pointer moved = radarPointer(grabScreen());
    for (int look = 0; look < 20 && moved.centreY() > start.centreY() - 2.0; ++look) {
        ASSERT_TRUE(xdotool("key --repeat 10 --delay 40 w"));
        moved = radarPointer(grabScreen());
    }
    EXPECT_LT(moved.centreY(), start.centreY() - 2.0) << "the pointer did not move up the map";
    EXPECT_NEAR(moved.box.x, start.box.x, 1) << "straight ahead changes no x";

    // The first pointer event turns the view by its distance from (400, 400): 180 pixels right is a
    // quarter turn to the right, and the radar pointer lies down.
    ASSERT_TRUE(xdotool("mousemove 580 400"));
    std::this_thread::sleep_for(500ms);
    const Pointer turned = radarPointer(grabScreen());
    EXPECT_GT(turned.box.width, turned.box.height) << "the view did not turn a quarter";
}
