// The submarine under way: its motion under the water ceiling, and the end of the game when it is lost.
#pragma once

struct GameState;

// Moves the submarine by its velocity under the water ceiling, then damps the velocity.
void advanceSubmarine(GameState& state);

// Ends the game once the life points are used up, taking any message off the screen; returns true when it
// ended it in this call.
bool endGameIfDestroyed(GameState& state);
