// The valley relief: a highland cut by one branching, flooded valley that links every town, with a flat
// pad under each town and start point. Heights are whole units (depth-map red sample minus 128).
#pragma once

#include "core/GameState.h"
#include "world/Terrain.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

// One relief sample per terrain grid point; the water stands where a new game starts it.
inline constexpr int kReliefColumns = kGridColumns;
inline constexpr int kReliefRows = kGridRows;
inline constexpr float kWaterLevel = kStartWaterLevel;

struct Relief {
    // Indexed [row * kReliefColumns + column]; row 0 is z = 0, the first row stored in the depth map.
    std::vector<int> height;
    int at(int column, int row) const { return height[static_cast<size_t>(row) * kReliefColumns + column]; }
};

Relief makeRelief();

// Depth-map bytes, bottom-up rows: red sample = height + 128.
std::vector<uint8_t> reliefSamples(const Relief& relief);

} // namespace assetgen
