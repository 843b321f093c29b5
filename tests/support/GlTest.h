// GL tests draw into the game's own window on a private Xvfb, over the world the game builds, and read the
// back buffer before the swap.
#pragma once

#include "game/Game.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <functional>
#include <vector>

// Starts the private X server, opens the game window and builds the tests' world as the game does.
void startGlTestDisplay(int& argc, char** argv);

// The game whose world startGlTestDisplay built; what a test leaves in it stays for the tests after.
Game& builtGame();

// Runs `f` with the game's progress lines kept off the test's console.
void quietly(const std::function<void()>& f);

// Draws one frame of the game (by default the game's own) and returns what it held just before its swap
// (BGR, top row first).
cv::Mat renderFrame(Game& game, void (*draw)(Game&) = nullptr);

// The deep-water colour every frame clears to (blue, green, red, 0..255).
inline const cv::Scalar kClearColour(0.3 * 255, 0.1 * 255, 0.1 * 255);

// Mean colour (blue, green, red, 0..255) of a rectangle of a picture.
inline cv::Scalar meanColour(const cv::Mat& picture, const cv::Rect& area) {
    return cv::mean(picture(area));
}

// A game of the test's own on the built world, high above the valley looking level along -z in the
// 800 x 600 window, with no fleet, shots or bubbles: the world is far out of view, so a frame shows only
// what a test puts a few units ahead, over the clear colour. The test fails on a GL error or a stack left
// deeper than it was.
class GlScene : public testing::Test {
protected:
    GlScene();
    ~GlScene() override;

    Game game = builtGame();
};
