// Zarnowell: rescue the valley's towns before the water ceiling sinks onto you.
#include "app/Controls.h"
#include "app/GameState.h"
#include "app/Gl.h"
#include "app/Scene.h"
#include "app/Sound.h"
#include "app/Timers.h"
#include "app/Window.h"
#include "app/World.h"

#include <iostream>

int main(int argc, char** argv) {
    game.scheduleTimer = glutTimerFunc;
    game.swapBuffers = glutSwapBuffers;
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
