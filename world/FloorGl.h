// The valley floor on the GL side: building it at start-up (depth map, world textures, grid, lists) and
// drawing the tiles a frame can see.
#pragma once

#include <optional>
#include <string>

struct GameState;
struct TerrainGrid;

// Reads the depth map, loads the world textures, fills the grid and compiles the floor. A missing or
// short depth map leaves no valley to play in: the answer is then the one line that says why, for the
// shell to report before it ends the program.
[[nodiscard]] std::optional<std::string> buildTerrain(GameState& state, TerrainGrid& terrainGrid);

// Compiles the floor lists and their tiles' bounds from the grid; replaces (and deletes) an earlier set.
void compileTerrainLists(GameState& state, const TerrainGrid& terrainGrid);

// Draws the floor for the state's camera: every tile, or only those the frame can see.
void drawTerrain(const GameState& state, bool cullHidden);
