// The floor cut into square tiles, each its own display list, so that a frame draws only the tiles it can
// see, nearest first.
#pragma once

#include "world/Terrain.h"

#include <vector>

struct Box;
class ViewFrustum;

// Tiles of this many cells a side.
inline constexpr int kTileCells = 8;
inline constexpr int kTileColumns = (kGridColumns - 2 + kTileCells - 1) / kTileCells; // cells 0..1021
inline constexpr int kTileRows = (kGridRows - 1 + kTileCells - 1) / kTileCells;       // strips 0..510
inline constexpr int kTileCount = kTileColumns * kTileRows;

// The cells a tile covers: vertex columns firstColumn..lastColumn and strips firstRow..endRow-1.
struct TileSpan {
    int firstColumn;
    int lastColumn;
    int firstRow;
    int endRow;
};
TileSpan tileSpan(int tile);

// Bounds of a tile's vertices in world space, from the grid.
Box tileBounds(const TerrainGrid& terrainGrid, int tile);

// Tiles that can show in a frame seen through `frustum`, nearest first, given each tile's bounds.
std::vector<int> visibleTiles(const ViewFrustum& frustum, const std::vector<Box>& bounds);
