// The town list's rules: placing the valley's towns and the submarine's start points on the floor, and
// finding the town nearest to a point.
#pragma once

#include "core/Vec3.h"
#include "towns/Stadt.h"
#include "towns/TownTable.h"
#include "world/Terrain.h"

#include <vector>

// A grid point with its offsets, computed in double from the point's float values.
Vec3d placementPosition(const TerrainGrid& terrainGrid, const GridPlacement& placement);

// The 21 towns of the valley at their places on the terrain grid, without their models.
std::vector<Stadt> makeTowns(const TerrainGrid& terrainGrid);

// The submarine's start point for a random draw (taken modulo the five start points) on the grid.
Vec3d startPoint(const TerrainGrid& terrainGrid, int draw);

// Index of the town nearest to `from` (strictly nearer wins, so the earlier of equals stays), or -1 when
// no town lies within 10000 units.
int findNearestTown(const std::vector<Stadt>& towns, const Vec3& from);
