// GL tests draw into the game's own window on a private Xvfb, over the world the game builds, and read the
// back buffer before the swap.
#pragma once

#include "app/Game.h"
#include "support/SavedGame.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <functional>
#include <vector>

// Starts the private X server, opens the game window and builds the world as the game does.
void startGlTestDisplay(int& argc, char** argv);

// Runs `f` with the game's progress lines kept off the test's console.
void quietly(const std::function<void()>& f);

// Draws one frame (by default the game's own) and returns what it held just before its swap (BGR, top row
// first).
cv::Mat renderFrame(void (*draw)() = nullptr);

// The deep-water colour every frame clears to (blue, green, red, 0..255).
inline const cv::Scalar kClearColour(0.3 * 255, 0.1 * 255, 0.1 * 255);

// Mean colour (blue, green, red, 0..255) of a rectangle of a picture.
inline cv::Scalar meanColour(const cv::Mat& picture, const cv::Rect& area) {
    return cv::mean(picture(area));
}

// High above the valley looking level along -z in the 800 x 600 window, with no fleet, shots or bubbles:
// the world is far out of view, so a frame shows only what a test puts a few units ahead, over the clear
// colour. The game record and the towns come back afterwards, and the test fails on a GL error or a stack
// left deeper than it was.
class GlScene : public testing::Test {
protected:
    GlScene();
    ~GlScene() override;

private:
    const SavedGame savedGame;
    const std::vector<Stadt> savedTowns = game.towns;
};
