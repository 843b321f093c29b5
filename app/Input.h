// The input callbacks: keyboard, arrow keys, mouse buttons and mouse movement. Each hands the event to its
// rule and then does what only the shell can: quit, draw, print, restart, play.
#pragma once

#include "player/Keyboard.h"

class SoundPlayer;
struct Game;

void keyboard(Game& game, unsigned char key);
// What a key (or the pad's button standing for one) asks of the shell: quit, draw, print, restart.
void carryOut(Game& game, KeyCommand command);
void special(Game& game, int key);
void mouse(Game& game, SoundPlayer& sound, int button, int state);
void motion(Game& game, int x, int y);
void passiveMotion(Game& game, int x, int y);
