// The valley floor as a grid: the terrain grid filled from the depth map, and the lookup of the grid
// point under a world position.
#pragma once

#include <optional>
#include <vector>

inline constexpr int kGridColumns = 1024;
inline constexpr int kGridRows = 512;
// World units between neighbouring grid points along x and along -z.
inline constexpr float kGridSpacing = 4.0f;

struct TerrainVertex {
    float x;
    float y;
    float z;
    float water; // height of the water surface above this point
};

// Indexed [column][row]: the 512 points of one column lie next to each other. Its 8 MB live on the heap,
// so that a record holding a grid can sit anywhere, a test's stack included.
struct TerrainGrid {
    TerrainVertex* operator[](int column) { return &points[static_cast<size_t>(column) * kGridRows]; }
    const TerrainVertex* operator[](int column) const {
        return &points[static_cast<size_t>(column) * kGridRows];
    }

    std::vector<TerrainVertex> points =
        std::vector<TerrainVertex>(static_cast<size_t>(kGridColumns) * kGridRows);
};

struct BitmapImage;

// Fills the whole grid from a depth map of at least 1024 x 512 pixels; false (grid untouched) otherwise.
bool fillTerrainGrid(TerrainGrid& terrainGrid, const BitmapImage& depthMap, float waterLevel);

// The grid point under a world position (truncated toward zero), or nothing outside the grid.
struct GridCell {
    int column;
    int row;
};
std::optional<GridCell> gridCellAt(double x, double z);
