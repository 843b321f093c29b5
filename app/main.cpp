// Zarnowell: rescue the valley's towns before the water ceiling sinks onto you.
// This file wires the game to GLUT: it owns the running game and hands it to every callback.
#include "app/Controls.h"
#include "app/Frame.h"
#include "app/Gamepad.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "app/VirtualPad.h"
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
    Gamepad pad;
    // A test aid: a virtual pad that plays the line of the file ZARNOWELL_TEST_PAD names.
    VirtualPad testPad;
    std::string testPadFile;
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

// The pad is polled on a timer of its own, outside the game's timers: a lost game stops those, and Start
// must still be able to begin the next one.
void pollPad(int) {
    if (!running->testPadFile.empty())
        running->testPad.follow(running->testPadFile);
    pollGamepad(running->game, running->sound, running->pad);
    glutTimerFunc(kPadPollMs, pollPad, 0);
}

// Without SDL's game controllers the game runs as it does without a pad, and says nothing of it.
bool openPad() {
    if (!running->pad.open())
        return false;
    if (const char* file = std::getenv("ZARNOWELL_TEST_PAD"); file && running->testPad.attach(false))
        running->testPadFile = file;
    return true;
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
    const bool padOpen = openPad();
    prepareFirstFrame(game);
    if (const auto problem = initWorld(game))
        stopForUnbuiltWorld(*problem);
    renderScene(game);
    printControls(std::cout);
    registerCallbacks();
    armTimers(game);
    if (padOpen)
        glutTimerFunc(kPadPollMs, pollPad, 0);
    glutMainLoop();
    return 0;
}
