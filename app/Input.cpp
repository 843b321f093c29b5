#include "app/Input.h"

#include "app/Frame.h"
#include "app/Game.h"
#include "app/Sound.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "player/Firing.h"
#include "player/Keyboard.h"
#include "player/MouseLook.h"

#include <cstdlib>
#include <iostream>

void keyboard(unsigned char key, int, int) {
    switch (pressKey(game, game.towns, key)) {
    case KeyCommand::Quit:
        glutDestroyWindow(glutGetWindow());
        std::exit(0);
    case KeyCommand::Redraw:
        renderScene();
        break;
    case KeyCommand::PrintScore:
        // Flushed at once, so that a pipe sees the line while the game runs.
        std::cout << "PUNKTESTAND: " << game.score << std::endl;
        break;
    case KeyCommand::Restart:
        restartGame();
        break;
    case KeyCommand::None:
        break;
    }
}

void special(int key, int, int) {
    pressArrow(game, key);
}

static_assert(kLeftButton == GLUT_LEFT_BUTTON && kRightButton == GLUT_RIGHT_BUTTON);
static_assert(kButtonDown == GLUT_DOWN && kButtonUp == GLUT_UP);

void mouse(int button, int state, int, int) {
    pressMouseButton(game, game.weaponSystem, game.enemyFleet.enemies, button, state);
    playRecordedSounds(game);
}

void motion(int x, int y) {
    lookByStep(game, x, y);
}

void passiveMotion(int x, int y) {
    lookByPointer(game, x, y);
}
