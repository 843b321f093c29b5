// The simulation tick: the submarine's motion under the water ceiling, the frame, and the end of the game.
#pragma once

struct GameState;

// Moves the submarine by its velocity under the water ceiling, then damps the velocity.
void advanceSubmarine(GameState& state);

// Ends the game once the life points are used up; returns true when it ended it in this call.
bool endGameIfDestroyed(GameState& state);

// Timer callback: one run every 5 ms while the game is on.
void tick(int value);
