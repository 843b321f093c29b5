// The input callbacks: keyboard, arrow keys, mouse buttons and mouse movement. Each hands the event to its
// rule and then does what only the shell can: quit, draw, print, restart, play.
#pragma once

class SoundPlayer;
struct Game;

void keyboard(Game& game, unsigned char key);
void special(Game& game, int key);
void mouse(Game& game, SoundPlayer& sound, int button, int state);
void motion(Game& game, int x, int y);
void passiveMotion(Game& game, int x, int y);
