#include "support/GlTest.h"

#include "app/Frame.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "support/Xvfb.h"

#include <cstdlib>
#include <iostream>
#include <tuple>

namespace {
cv::Mat captured;
void captureInsteadOfSwap() {
    cv::Mat picture(600, 800, CV_8UC3); // rows of 2400 bytes: the default pack alignment fits
    glReadPixels(0, 0, 800, 600, GL_BGR, GL_UNSIGNED_BYTE, picture.data);
    cv::flip(picture, captured, 0);
}
} // namespace

void quietly(const std::function<void()>& f) {
    std::streambuf* const console = std::cout.rdbuf(nullptr); // writes fail and go nowhere
    f();
    std::cout.rdbuf(console); // which also clears the failure
}

Game& builtGame() {
    static Game& game = *new Game(); // as the program's own, never destroyed
    return game;
}

void startGlTestDisplay(int& argc, char** argv) {
    static const XvfbServer server;
    openGameWindow(argc, argv);
    reshape(800, 600);
    prepareFirstFrame(builtGame());
    quietly([] {
        if (const auto problem = initWorld(builtGame()))
            stopForUnbuiltWorld(*problem);
    });
}

cv::Mat renderFrame(Game& game, void (*draw)(Game&)) {
    captured.release();
    game.swapBuffers = captureInsteadOfSwap;
    (draw ? draw : renderScene)(game);
    game.swapBuffers = nullptr;
    return captured;
}

GlScene::GlScene() {
    reshape(800, 600);
    std::srand(1);
    game.playerPos = {0.0, 5000.0, 0.0};
    game.pitch = game.aimPitch = game.heading = game.aimHeading = 0.0f;
    while (glGetError() != GL_NO_ERROR) {
    }
}

GlScene::~GlScene() {
    GLint attributes = -1, matrices = -1;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attributes);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrices);
    EXPECT_EQ(std::tuple(glGetError(), attributes, matrices), std::tuple(GLenum{GL_NO_ERROR}, 0, 1))
        << "the frames must put back every attribute and matrix they pushed";
}
