#include "support/GlTest.h"

#include "app/Frame.h"
#include "app/Game.h"
#include "app/Window.h"
#include "core/Gl.h"
#include "support/Xvfb.h"

#include <memory>

namespace {
cv::Mat captured;
void captureInsteadOfSwap() {
    captured = readBackBuffer();
}
} // namespace

void startGlTestDisplay(int& argc, char** argv) {
    static std::unique_ptr<XvfbServer> server;
    server = std::make_unique<XvfbServer>();
    openGameWindow(argc, argv);
}

cv::Mat renderFrame() {
    captured.release();
    game.swapBuffers = captureInsteadOfSwap;
    renderScene();
    game.swapBuffers = nullptr;
    return captured;
}

cv::Mat readBackBuffer() {
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    cv::Mat picture(height, width, CV_8UC3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, picture.data);
    cv::Mat upright;
    cv::flip(picture, upright, 0);
    return upright;
}

cv::Scalar meanColour(const cv::Mat& picture, const cv::Rect& area) {
    return cv::mean(picture(area));
}

PlainLight::PlainLight() {
    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
}

PlainLight::~PlainLight() {
    glPopAttrib();
}
