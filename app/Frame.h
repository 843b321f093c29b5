// The frame. renderScene draws the world in its fixed order with the caustics on unit 1 and the camera at
// the submarine, then the recorded world effects, then hands over to display (HUD, screen effects, swap).
// Also the reshape callback.
#pragma once

struct Game;
struct Picture;

// Draws one complete frame: the world, the effects recorded since the last frame, the HUD, and the swap.
// It is also what every redraw the window asks for draws (never the HUD alone over an undefined back
// buffer).
void renderScene(Game& game);

// The frame's first two parts: the world, the effects placed in it included, drawn into the window (set by
// the viewport), or while frames are slow into the world picture, smaller; true if it went there. Then the
// scaling pass, which brings that picture onto the whole window.
bool drawWorld(Game& game, const int window[4]);
void showScaledWorld(const Picture& world, const int window[4]);

// GLUT reshape callback: viewport and a square-pixel orthographic box.
void reshape(int width, int height);
