// Periodic gradient and cellular noise. Every function wraps its lattice, so a texture painted with
// a whole number of cells per side tiles without a seam.
#pragma once

#include <cstdint>

namespace assetgen {

// Gradient noise in about [-1, 1]; x, y in lattice cells; the lattice repeats every periodX, periodY cells.
float gradientNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Sum of `octaves` layers, each twice the frequency (and period) of the last; normalised to about [-1, 1].
float fbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed, float gain = 0.5f);

// Ridged variant (sharp crests), in [0, 1].
float ridged(float x, float y, int periodX, int periodY, int octaves, uint32_t seed);

struct CellSample {
    float f1;    // distance to the nearest feature point, in cells
    float f2;    // distance to the second nearest
    uint32_t id; // stable id of the nearest cell
};

CellSample cellular(float x, float y, int periodX, int periodY, uint32_t seed, float jitter = 0.85f);

} // namespace assetgen
