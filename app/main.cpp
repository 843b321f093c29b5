// Zarnowell: rescue the valley's towns before the water ceiling sinks onto you.
#include "app/Controls.h"
#include "app/Frame.h"
#include "app/Game.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"

#include <iostream>

int main(int argc, char** argv) {
    game.scheduleTimer = scheduleGlutTimer;
    game.swapBuffers = glutSwapBuffers;
    game.warpPointer = glutWarpPointer;
    openGameWindow(argc, argv);
    enterFullScreen();
    initSound();
    prepareFirstFrame();
    initWorld();
    renderScene();
    printControls(std::cout);
    registerCallbacks();
    armTimers(game);
    glutMainLoop();
    return 0;
}
