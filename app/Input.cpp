#include "app/Input.h"

#include "app/Frame.h"
#include "app/Sound.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "game/Game.h"
#include "player/Firing.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"

#include <cstdlib>
#include <iostream>

void keyboard(Game& game, unsigned char key) {
    carryOut(game, pressKey(game, game.towns, game.terrainGrid, key));
}

void carryOut(Game& game, KeyCommand command) {
    switch (command) {
    case KeyCommand::Quit:
        glutDestroyWindow(glutGetWindow());
        std::exit(0);
    case KeyCommand::Redraw:
        renderScene(game);
        break;
    case KeyCommand::PrintScore:
        // Flushed at once, so that a pipe sees the line while the game runs.
        std::cout << "PUNKTESTAND: " << game.score << std::endl;
        break;
    case KeyCommand::Restart:
        if (const auto problem = restartGame(game))
            stopForUnbuiltWorld(*problem);
        break;
    case KeyCommand::None:
        break;
    }
}

void special(Game& game, int key) {
    pressArrow(game, key);
}

static_assert(kLeftButton == GLUT_LEFT_BUTTON && kRightButton == GLUT_RIGHT_BUTTON);
static_assert(kButtonDown == GLUT_DOWN && kButtonUp == GLUT_UP);

void mouse(Game& game, SoundPlayer& sound, int button, int state) {
    pressMouseButton(game, game.weaponSystem, game.enemyFleet.enemies, button, state);
    playRecordedSounds(game, sound);
}

void motion(Game& game, int x, int y) {
    lookByStep(game, x, y);
}

void passiveMotion(Game& game, int x, int y) {
    lookByPointer(game, x, y);
}
