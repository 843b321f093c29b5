// The head-up display over the 3D frame, the end screen once the game is over, and the buffer swap.
#pragma once

// GLUT-style display step: projections, HUD, end screen, swap.
void display();
