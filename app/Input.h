// The GLUT input callbacks: keyboard, arrow keys, mouse buttons and mouse movement. Each hands the event
// to its rule and then does what only the shell can: quit, draw, print, restart.
#pragma once

void keyboard(unsigned char key, int x, int y);
void special(int key, int x, int y);
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void passiveMotion(int x, int y);
