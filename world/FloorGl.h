// The valley floor on the GL side: building it at start-up (depth map, world textures, grid, lists) and
// drawing the tiles a frame can see.
#pragma once

struct GameState;

// Reads the depth map, loads the world textures, fills the grid and compiles the floor. A missing or
// short depth map ends the program with a message on stderr: there is no valley to play in.
void buildTerrain(GameState& state);

// Compiles the floor lists and their tiles' bounds from the grid; replaces (and deletes) an earlier set.
void compileTerrainLists(GameState& state);

// Draws the floor for the state's camera: every tile, or only those the frame can see.
void drawTerrain(const GameState& state, bool cullHidden);
