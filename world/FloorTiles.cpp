#include "world/FloorTiles.h"

#include "core/Vec3.h"
#include "world/Culling.h"

#include <algorithm>

TileSpan tileSpan(int tile) {
    const int tileColumn = tile % kTileColumns;
    const int tileRow = tile / kTileColumns;
    const int firstColumn = tileColumn * kTileCells;
    const int firstRow = tileRow * kTileCells;
    // Neighbouring tiles share their edge column, so the strips join exactly as one long strip would.
    return {firstColumn, std::min(firstColumn + kTileCells, kGridColumns - 2), firstRow,
            std::min(firstRow + kTileCells, kGridRows - 1)};
}

Box tileBounds(const TerrainGrid& terrainGrid, int tile) {
    const TileSpan span = tileSpan(tile);
    float low = terrainGrid[span.firstColumn][span.firstRow].y;
    float high = low;
    for (int column = span.firstColumn; column <= span.lastColumn; ++column)
        for (int row = span.firstRow; row <= span.endRow; ++row) {
            low = std::min(low, terrainGrid[column][row].y);
            high = std::max(high, terrainGrid[column][row].y);
        }
    return {{terrainGrid[span.firstColumn][0].x, low, terrainGrid[0][span.endRow].z},
            {terrainGrid[span.lastColumn][0].x, high, terrainGrid[0][span.firstRow].z}};
}

std::vector<int> visibleTiles(const ViewFrustum& frustum, const std::vector<Box>& bounds) {
    std::vector<std::pair<double, int>> byDepth;
    for (int tile = 0; tile < static_cast<int>(bounds.size()); ++tile) {
        const Box& box = bounds[static_cast<size_t>(tile)];
        if (frustum.mayShow(box)) {
            const auto centre = frustum.toEye(0.5 * (box.min.x + box.max.x), 0.5 * (box.min.y + box.max.y),
                                              0.5 * (box.min.z + box.max.z));
            byDepth.push_back({centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2], tile});
        }
    }
    // Nearest first: the depth test then turns away hidden slopes before the renderer shades them.
    std::sort(byDepth.begin(), byDepth.end());
    std::vector<int> tiles;
    tiles.reserve(byDepth.size());
    for (const auto& entry : byDepth)
        tiles.push_back(entry.second);
    return tiles;
}
