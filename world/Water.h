// The water ceiling's rules: the patch of grid cells drawn around the submarine each frame, the
// checkerboard ripple that moves the grid points' water heights (and reseeds the shared random generator),
// and the ceiling's slow sinking.
#pragma once

struct GameState;
struct TerrainGrid;

// The cells drawn this frame; end values are exclusive. A window with first >= end is empty.
struct WaterWindow {
    int firstColumn;
    int endColumn;
    int firstRow;
    int endRow;
};

// The 80 x 80 cells around the grid point under a world position, clamped to the drawable grid.
WaterWindow waterWindow(double x, double z);

// A point that dips reseeds the shared random generator and draws from it once. A sweep of the window
// dips thousands of points, and reseeding is slow; nothing draws in between, so only the sweep's last seed
// decides what the generator holds after it. It is kept here and planted once, after the sweep.
struct WaterReseed {
    bool due = false;
    unsigned int seed = 0;
};

// One ripple step of cell (column, row) at the state's wavePhase and waterLevel: moves its corner point
// (column + 1, row), and in the grid's first column or row the extra point there too.
void waveStep(const GameState& state, TerrainGrid& terrainGrid, int column, int row, WaterReseed& reseed);

// Leaves the generator as the last dip of the sweep would have; without a dip, as it was.
void plantReseed(const WaterReseed& reseed);

// wavePhase after a drawn frame: 0 to 7, then 0 again.
int nextWavePhase(int phase);

// The water ceiling sinks by half a unit each run of its timer; there is no lower bound.
void lowerWater(GameState& state);
