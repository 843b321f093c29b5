// The game window and its GL set-up: GLUT, the extension loader and swap pacing.
#pragma once

struct GameState;

// Creates the 800 x 600 window titled "Zarnowell"; its GL context is current afterwards, the 1.3 entry
// points are loaded and swaps are not tied to the monitor's refresh.
void openGameWindow(int& argc, char** argv);

// Hides the cursor and switches the window to full screen.
void enterFullScreen();

// Clear colour, first clear, and the initial camera at eyePos that the light position is given under.
void prepareFirstFrame(const GameState& state);
