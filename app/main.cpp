// Zarnowell: rescue the valley's towns before the water ceiling sinks onto you.
// This file wires the game to GLUT: it owns the running game and hands it to every callback.
#include "app/Controls.h"
#include "app/Frame.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "game/Game.h"

#include <array>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// What the program runs, created once and never destroyed: the process ends through exit().
struct Program {
    Game game;
    SoundPlayer sound;
};

// GLUT's callbacks carry no pointer of their own: this is their one way back to the running game.
Program* running = nullptr;

template <void (*callback)(Game&, SoundPlayer&, int)> void onTimer(int value) {
    callback(running->game, running->sound, value);
}

// In TimerId order.
constexpr std::array<void (*)(int), kTimerCount> kTimerCallbacks{
    onTimer<tick>,         onTimer<townTimer>,  onTimer<beamTimer>,      onTimer<gunTimer>,
    onTimer<causticTimer>, onTimer<enemyTimer>, onTimer<lowerWaterTimer>};

void scheduleGlutTimer(TimerId id, unsigned int delayMs, int value) {
    glutTimerFunc(delayMs, kTimerCallbacks[static_cast<size_t>(id)], value);
}

void registerCallbacks() {
    glutDisplayFunc([] { renderScene(running->game); });
    glutReshapeFunc(reshape);
    glutKeyboardFunc([](unsigned char key, int, int) { keyboard(running->game, key); });
    glutSpecialFunc([](int key, int, int) { special(running->game, key); });
    glutMouseFunc(
        [](int button, int state, int, int) { mouse(running->game, running->sound, button, state); });
    glutMotionFunc([](int x, int y) { motion(running->game, x, y); });
    glutPassiveMotionFunc([](int x, int y) { passiveMotion(running->game, x, y); });
}

// A fixed scale for the world, for tests and screenshots; frames choose their own otherwise.
void fixRenderScale(RenderScale& scale) {
    const char* fixed = std::getenv("ZARNOWELL_RENDER_SCALE");
    if (!fixed)
        return;
    std::string problem;
    if (const auto value = parseRenderScale(fixed, problem))
        scale.fix(*value);
    else
        std::cerr << "ZARNOWELL_RENDER_SCALE=" << fixed << ": " << problem << "; frames choose their own"
                  << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    running = new Program();
    Game& game = running->game;
    game.scheduleTimer = scheduleGlutTimer;
    game.swapBuffers = glutSwapBuffers;
    game.warpPointer = glutWarpPointer;
    fixRenderScale(game.renderScale);
    openGameWindow(argc, argv);
    enterFullScreen();
    running->sound.open();
    prepareFirstFrame(game);
    if (const auto problem = initWorld(game))
        stopForUnbuiltWorld(*problem);
    renderScene(game);
    printControls(std::cout);
    registerCallbacks();
    armTimers(game);
    glutMainLoop();
    return 0;
}
