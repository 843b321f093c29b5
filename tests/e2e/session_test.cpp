// The real program as a player meets it: what it prints, shows and plays, how it answers keys, buttons
// and a pad, and how it ends. One session carries every check that needs the real program; the rules behind
// them are tested in-process.
#include "support/DiskAudio.h"
#include "support/GameProcess.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

using namespace std::chrono_literals;

namespace {

const std::string kStartOutput =
    "Initialisiere ...\n\tTerrain ... \tWasser ...fertig\nfertig\n\tLicht ... fertig\n\tTexturen ... \n"
    "\t\tLade Umgebungstexturen ...fertig\n\t\tLade HUD-Texturen ...fertig\n"
    "\t\tLade Caustic-Texturen ...fertig\nInitialisierung abgeschlossen\n\n"
    "Schiessen mit der linken Maustaste \n"
    "Bewegung in x und z Richtung mit WASD\n"
    "Bewegung in y Richtung mit Q und E\n"
    "Mit rechter Maustaste FREELOOK an-/ausschalten\n"
    "Mit B Taste Beamen starten, falls man sich in der Naehe einer Stadt befindet\n"
    "Mit T Taste Torpedo abschiessen\n";

} // namespace

TEST(Session, APlayerStartsPlaysAndQuitsWithEscape) {
    const TempFolder folder("session");
    const std::string played = folder.file("played.raw"), padControls = folder.file("pad");
    XvfbServer screen(1024, 768);
    std::vector<std::string> environment = diskAudioInto(played);
    environment.push_back("ZARNOWELL_TEST_PAD=" + padControls);
    GameProcess game(environment);
    const auto ready = game.waitForLine("Mit T Taste Torpedo abschiessen", 60s);
    ASSERT_TRUE(ready) << "waiting for the control lines\n" << game.output() << game.errors();
    std::cout << "[ figure ] control lines after " << ready->count() << " ms" << std::endl;
    EXPECT_EQ(game.output(), kStartOutput);
    // Full screen comes with the main loop's first passes, and the frame then fills the screen: the
    // corner beyond the first 800 x 600, clear of the HUD, is drawn whatever start and view were picked.
    std::this_thread::sleep_for(1500ms);
    const cv::Scalar corner = cv::mean(grabScreen()(cv::Rect(810, 610, 150, 100)));
    EXPECT_GT(corner[0] + corner[1] + corner[2], 60.0) << "the frame does not reach the screen's corner";

    // P prints the score; keys that mean nothing (upper case, the old torpedo key, a digit, special keys
    // that are not arrows) neither move nor turn the submarine.
    ASSERT_TRUE(xdotool("key p"));
    const cv::Rect still = radarPointer(grabScreen());
    ASSERT_GT(still.area(), 30) << "no radar pointer on screen";
    EXPECT_GT(still.height, still.width) << "heading 0: the pointer stands upright";
    ASSERT_TRUE(xdotool("key --repeat 10 --delay 30 W T t 7 shift+y F1 Page_Up Home"));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(radarPointer(grabScreen()), still) << "the submarine moved or turned";
    ASSERT_TRUE(xdotool("key p"));

    // The right button launches a torpedo (one line) and sets it off (nothing printed); the left one,
    // held, fires the gun: the heat bar fills and the shots are heard on the disk audio device.
    ASSERT_TRUE(xdotool("click 3"));
    ASSERT_TRUE(game.waitForLine("halo 0.35 xplode 0", 5s)) << "waiting for the launch line\n"
                                                            << game.output();
    ASSERT_TRUE(xdotool("click 3"));
    const cv::Rect heatBar(975, 440, 45, 180);
    const cv::Mat cold = grabScreen();
    ASSERT_TRUE(xdotool("mousedown 1"));
    std::this_thread::sleep_for(1s);
    const cv::Mat hot = grabScreen();
    ASSERT_TRUE(xdotool("mouseup 1"));
    EXPECT_GT(cv::countNonZero(changes(cold, hot, heatBar)), 200) << "the heat bar did not fill";

    // The first pointer event turns the view by its distance from (400, 400): 180 pixels right is a
    // quarter turn, and the radar pointer lies down.
    ASSERT_TRUE(xdotool("mousemove 580 400"));
    std::this_thread::sleep_for(500ms);
    const cv::Rect turned = radarPointer(grabScreen());
    EXPECT_GT(turned.width, turned.height) << "the view did not turn a quarter";

    // A pad (a virtual one that the test aid plugs in and plays from a file, written whole): its stick
    // carries the submarine along the view, its trigger heats the gun again once it has cooled some.
    const auto heatFill = [&](const cv::Mat& shot) {
        return boundingBox(changes(cold, shot, heatBar)).height;
    };
    cv::Mat cooler = grabScreen();
    for (const auto deadline = std::chrono::steady_clock::now() + 20s; heatFill(cooler) > 100;
         cooler = grabScreen())
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "waiting for the gun to cool";
    std::ofstream(padControls + ".next") << "lefty=-1 righttrigger=1";
    std::filesystem::rename(padControls + ".next", padControls);
    std::this_thread::sleep_for(2s);
    const cv::Mat padded = grabScreen();
    EXPECT_NE(radarPointer(padded), turned) << "the pad's stick did not move the submarine";
    EXPECT_GT(heatFill(padded), heatFill(cooler) + 20) << "the pad's trigger did not heat the gun";

    ASSERT_TRUE(xdotool("key Escape"));
    EXPECT_EQ(game.waitForExit(2s), 0) << "Esc ends the game at once with status 0\n" << game.errors();
    EXPECT_EQ(game.output(), kStartOutput + "PUNKTESTAND: 0\nPUNKTESTAND: 0\nhalo 0.35 xplode 0\n");
    EXPECT_EQ(game.errors().find("AddressSanitizer"), std::string::npos) << game.errors();
    EXPECT_EQ(game.errors().find("runtime error"), std::string::npos) << game.errors();
    EXPECT_EQ(game.errors().find("pad:"), std::string::npos) << game.errors();
    // Each shot cuts the one before after 80 ms: a stretch from the start of the shot's samples.
    EXPECT_TRUE(playedStretchOf(played, "Sounds/30cal_shoot.wav", 200, 2200)) << "no shot was heard";
}
