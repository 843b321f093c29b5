// GL tests draw into the game's own window on a private Xvfb and read the back buffer before the swap.
#pragma once

#include <opencv2/core.hpp>

// Starts the private X server and opens the game window.
void startGlTestDisplay(int& argc, char** argv);

// Draws one frame with renderScene and returns what it held just before its swap (BGR, top row first).
cv::Mat renderFrame();

// The back buffer of the current window as a BGR picture, top row first.
cv::Mat readBackBuffer();

// Mean colour (blue, green, red, 0..255) of a rectangle of a picture.
cv::Scalar meanColour(const cv::Mat& picture, const cv::Rect& area);

// The game's light is set up only by world initialisation: this gives a test a white light from the eye
// with colour material, so colours show as they are, and puts the lighting state back when it goes.
class PlainLight {
public:
    PlainLight();
    ~PlainLight();
    PlainLight(const PlainLight&) = delete;
    PlainLight& operator=(const PlainLight&) = delete;
};
