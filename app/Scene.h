// The frame: texture units for the caustics, the camera at the submarine, the world in its fixed order,
// then the HUD and the swap. Also the window's reshape callback.
#pragma once

// Draws one complete frame and swaps the buffers.
void renderScene();

// GLUT reshape callback: viewport and a square-pixel orthographic box.
void reshape(int width, int height);

// GLUT display callback: whenever the window must be redrawn, a whole frame (never the HUD alone over an
// undefined back buffer).
void redisplay();
