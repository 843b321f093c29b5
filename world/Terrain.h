// The valley floor: the program-wide terrain grid filled from the depth map, the ground lookup, and the
// floor's display lists, one per tile, so that a frame draws only the tiles it can see.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr int kGridColumns = 1024;
inline constexpr int kGridRows = 512;
inline constexpr float kGridSpacing = 4.0f;

struct TerrainVertex {
    float x;
    float y;
    float z;
    float water; // height of the water surface above this point
};

// Indexed [column][row]: the 512 points of one column lie next to each other.
extern TerrainVertex terrainGrid[kGridColumns][kGridRows];

struct BitmapImage;
struct GameState;

// Fills the whole grid from a depth map of at least 1024 x 512 pixels; false (grid untouched) otherwise.
bool fillTerrainGrid(const BitmapImage& depthMap, float waterLevel);

// The grid point under a world position (truncated toward zero), or nothing outside the grid.
struct GridCell {
    int column;
    int row;
};
std::optional<GridCell> gridCellAt(double x, double z);

// Reads the depth map, loads the world textures, fills the grid and compiles the floor. A missing or
// short depth map ends the program with a message on stderr: there is no valley to play in.
void buildTerrain();

// The floor is cut into tiles of this many cells a side, each its own display list after the first list
// (terrainList), which sets the floor's texture state.
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

struct Box;
// Bounds of a tile's vertices in world space, from the current grid.
Box tileBounds(int tile);

class ViewFrustum;
// Tiles that can show in a frame seen through `frustum`, nearest first, given each tile's bounds.
std::vector<int> visibleTiles(const ViewFrustum& frustum, const std::vector<Box>& bounds);

// Compiles the floor lists and their tiles' bounds from the grid; replaces (and deletes) an earlier set.
void compileTerrainLists();

// Draws the floor for the current camera: every tile, or only those the frame can see.
void drawTerrain(bool cullHidden);

// The depth map as the terrain needs it, or a message saying what is wrong with the file.
struct DepthMapResult {
    bool ok = false;
    std::string problem;
};
DepthMapResult readDepthMap(const std::string& path, BitmapImage& image);
