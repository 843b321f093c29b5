// The overlay over the 3D frame: the turning gun, the bars, the crosshair, the person icon, the radar,
// the score lines, the texts rules keep on screen and, once the game is lost, the end screen; then the
// perspective for the next frame and the buffer swap.
#pragma once

struct Game;

// Draws the overlay over the frame renderScene has just drawn and swaps the buffers; leaves the 45 degree
// perspective in force for the next frame. Keeps the pictures of the parts that seldom change in the game.
void display(Game& game);

// Loads the 45 degree perspective every world frame is drawn under into the projection matrix.
void usePerspective();
