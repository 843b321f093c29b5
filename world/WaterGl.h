// Drawing the water ceiling: the surface around the submarine, rippled cell by cell as it is drawn.
#pragma once

struct GameState;
struct TerrainGrid;

// Draws the water surface around the submarine with the water texture, animating the cells it draws, and
// advances wavePhase: the ripple is part of the drawing, so each drawn frame moves the water one step.
void drawWater(GameState& state, TerrainGrid& terrainGrid);
