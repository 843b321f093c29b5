#include "world/Terrain.h"

#include "world/BitmapReader.h"

#include <cmath>

bool fillTerrainGrid(TerrainGrid& terrainGrid, const BitmapImage& depthMap, float waterLevel) {
    if (!depthMap.pixels || depthMap.width != kGridColumns || depthMap.height < kGridRows)
        return false;
    const double spacing = kGridSpacing;
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const uint8_t red = depthMap.pixels[(static_cast<size_t>(row) * kGridColumns + column) * 3];
            TerrainVertex& point = terrainGrid[column][row];
            point.x = static_cast<float>(column * spacing);
            point.y = static_cast<float>(red - 128.0);
            point.z = static_cast<float>(-(row * spacing));
            point.water = waterLevel;
        }
    }
    return true;
}

std::optional<GridCell> gridCellAt(double x, double z) {
    const double column = std::trunc(x / kGridSpacing);
    const double row = std::trunc(-z / kGridSpacing);
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows)
        return std::nullopt;
    return GridCell{static_cast<int>(column), static_cast<int>(row)};
}
