// The GLUT input callbacks: keyboard, arrow keys, mouse buttons and mouse movement. Esc quits; the
// controls themselves come with the helm.
#pragma once

void keyboard(unsigned char key, int x, int y);
void special(int key, int x, int y);
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void passiveMotion(int x, int y);
