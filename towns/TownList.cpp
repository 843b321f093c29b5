#include "towns/TownList.h"

Vec3d placementPosition(const TerrainGrid& terrainGrid, const GridPlacement& placement) {
    const TerrainVertex& point = terrainGrid[placement.column][placement.row];
    return {static_cast<double>(point.x) + placement.dx, static_cast<double>(point.y) + placement.dy,
            static_cast<double>(point.z) + placement.dz};
}

std::vector<Stadt> makeTowns(const TerrainGrid& terrainGrid) {
    std::vector<Stadt> towns;
    towns.reserve(kTownTable.size());
    for (const TownEntry& entry : kTownTable) {
        const Vec3 position = placementPosition(terrainGrid, entry.placement).toFloat();
        towns.emplace_back(position.x, position.y, position.z, entry.inhabitants, entry.name);
    }
    return towns;
}

Vec3d startPoint(const TerrainGrid& terrainGrid, int draw) {
    return placementPosition(terrainGrid, kStartPoints[static_cast<size_t>(draw) % kStartPoints.size()]);
}

int findNearestTown(const std::vector<Stadt>& towns, const Vec3& from) {
    int nearest = -1;
    float best = 10000.0f;
    for (size_t i = 0; i < towns.size(); ++i) {
        const float d = distance(from, towns[i].position);
        if (d < best) {
            best = d;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}
