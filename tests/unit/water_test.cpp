#include "core/GameState.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The heights of one point, relative to a level of 20, each one stored as float after double arithmetic:
// 0.2 below, then three and one and a half times as deep, then back at the level.
const std::vector<float> kCycle{19.8f,       19.8f,       19.3999977f, 19.3999977f,
                                19.0999966f, 19.0999966f, 20.0f,       20.0f};

GameState waterAt(float level) {
    GameState state;
    state.waterLevel = level;
    return state;
}

// Runs one cell through eight successive phases starting at firstPhase and records a point after each.
std::vector<float> runCycle(GameState& state, int column, int row, int firstPhase,
                            const TerrainVertex& point) {
    std::vector<float> heights;
    for (int k = 0; k < 8; ++k) {
        state.wavePhase = (firstPhase + k) % 8;
        waveStep(state, column, row);
        heights.push_back(point.water);
    }
    return heights;
}

int randAfterSeed(unsigned int seed, int discarded) {
    std::srand(seed);
    for (int k = 0; k < discarded; ++k)
        std::rand();
    return std::rand();
}

} // namespace

TEST(WaterWindow, CoversEightyCellsAroundTheSubmarineClampedToTheDrawableGrid) {
    const WaterWindow middle = waterWindow(400.0, -400.0);
    EXPECT_EQ(middle.firstColumn, 60);
    EXPECT_EQ(middle.endColumn, 140);
    EXPECT_EQ(middle.firstRow, 60);
    EXPECT_EQ(middle.endRow, 140);

    // Truncation toward zero: 3.99 is still column 0, -7.99 still row 1.
    const WaterWindow corner = waterWindow(2.0, -2.0);
    EXPECT_EQ(corner.firstColumn, 0);
    EXPECT_EQ(corner.endColumn, 40);
    EXPECT_EQ(corner.firstRow, 0);
    EXPECT_EQ(corner.endRow, 40);
    EXPECT_EQ(waterWindow(3.99, -7.99).endColumn, 40);
    EXPECT_EQ(waterWindow(3.99, -7.99).endRow, 41);

    // A cell reaches one point further, so the last column and row of points start no cell.
    const WaterWindow farEdge = waterWindow(1010 * 4.0 + 1.0, -(505 * 4.0 + 1.0));
    EXPECT_EQ(farEdge.firstColumn, 970);
    EXPECT_EQ(farEdge.endColumn, 1022);
    EXPECT_EQ(farEdge.firstRow, 465);
    EXPECT_EQ(farEdge.endRow, 510);
    EXPECT_EQ(waterWindow(983 * 4.0, -471 * 4.0).endColumn, 1022);
    EXPECT_EQ(waterWindow(983 * 4.0, -471 * 4.0).endRow, 510);
    EXPECT_EQ(waterWindow(982 * 4.0, -470 * 4.0).endColumn, 1022);
    EXPECT_EQ(waterWindow(982 * 4.0, -470 * 4.0).endRow, 510);
    EXPECT_EQ(waterWindow(981 * 4.0, -469 * 4.0).endColumn, 1021);
    EXPECT_EQ(waterWindow(981 * 4.0, -469 * 4.0).endRow, 509);
}

TEST(WaterWindow, PositionsOffTheGridGiveAClampedOrEmptyWindow) {
    // Just outside the near edges: truncation toward zero still puts the submarine over column and row 0.
    const WaterWindow justOutside = waterWindow(-2.0, 2.0);
    EXPECT_EQ(justOutside.firstColumn, 0);
    EXPECT_EQ(justOutside.endColumn, 40);
    EXPECT_EQ(justOutside.firstRow, 0);
    EXPECT_EQ(justOutside.endRow, 40);

    const WaterWindow partly = waterWindow(-100.0, 100.0);
    EXPECT_EQ(partly.firstColumn, 0);
    EXPECT_EQ(partly.endColumn, 15);
    EXPECT_EQ(partly.firstRow, 0);
    EXPECT_EQ(partly.endRow, 15);

    // Far away on any side, or at a position that is no number, nothing is drawn and nothing overflows.
    for (const auto& [x, z] : std::vector<std::pair<double, double>>{{-400.0, -400.0},
                                                                     {400.0, 400.0},
                                                                     {9000.0, -400.0},
                                                                     {400.0, -9000.0},
                                                                     {1e300, -1e300},
                                                                     {-1e300, 1e300},
                                                                     {std::nan(""), std::nan("")}}) {
        const WaterWindow window = waterWindow(x, z);
        EXPECT_TRUE(window.firstColumn >= window.endColumn || window.firstRow >= window.endRow)
            << x << " " << z;
    }
}

TEST(WaterWave, CornerPointRunsTheCycleAndOddCellsRunItThreePhasesLater) {
    GameState state = waterAt(20.0f);
    TerrainVertex& evenCorner = terrainGrid[11][20]; // cell (10, 20)
    TerrainVertex& oddCorner = terrainGrid[12][20];  // cell (11, 20)
    evenCorner.water = 20.0f;
    oddCorner.water = 20.0f;

    EXPECT_EQ(runCycle(state, 10, 20, 0, evenCorner), kCycle);
    EXPECT_EQ(runCycle(state, 11, 20, 3, oddCorner), kCycle);

    // An odd cell leaves its point alone in the phases where an even one starts its dip.
    oddCorner.water = 20.0f;
    state.wavePhase = 0;
    waveStep(state, 11, 20);
    EXPECT_EQ(oddCorner.water, 20.0f);

    // The cell moves only its corner; the other three points of its quad belong to other cells.
    for (TerrainVertex* point : {&terrainGrid[10][20], &terrainGrid[10][21], &terrainGrid[11][21]})
        point->water = 7.0f;
    for (int phase = 0; phase < 8; ++phase) {
        state.wavePhase = phase;
        waveStep(state, 10, 20);
    }
    EXPECT_EQ(terrainGrid[10][20].water, 7.0f);
    EXPECT_EQ(terrainGrid[10][21].water, 7.0f);
    EXPECT_EQ(terrainGrid[11][21].water, 7.0f);
}

TEST(WaterWave, FollowsTheCurrentWaterLevelAndStartsFromTheStoredHeight) {
    // After the ceiling has sunk, a point dips below the new level and returns to it.
    GameState state = waterAt(18.5f);
    TerrainVertex& corner = terrainGrid[31][40]; // cell (30, 40), even
    corner.water = 20.0f;
    state.wavePhase = 0;
    waveStep(state, 30, 40);
    EXPECT_FLOAT_EQ(corner.water, 18.3f);
    state.wavePhase = 6;
    waveStep(state, 30, 40);
    EXPECT_EQ(corner.water, 18.5f);

    // The deepening steps work on whatever height the point holds, here 1.0 above the level.
    corner.water = 19.5f;
    state.wavePhase = 2;
    waveStep(state, 30, 40);
    EXPECT_FLOAT_EQ(corner.water, 21.5f);
    state.wavePhase = 4;
    waveStep(state, 30, 40);
    EXPECT_FLOAT_EQ(corner.water, 23.0f);
}

TEST(WaterWave, FirstColumnAndFirstRowTakePartThroughTheirExtraPoints) {
    GameState state = waterAt(20.0f);

    // A cell of column 0 also moves the point above it in column 0, with its own parity.
    terrainGrid[0][5].water = 20.0f;
    terrainGrid[1][4].water = 20.0f;
    EXPECT_EQ(runCycle(state, 0, 4, 0, terrainGrid[0][5]), kCycle);
    terrainGrid[0][6].water = 20.0f;
    EXPECT_EQ(runCycle(state, 0, 5, 3, terrainGrid[0][6]), kCycle);

    // A cell of column 1 leaves column 0 alone.
    terrainGrid[0][9].water = 20.0f;
    for (int phase = 0; phase < 8; ++phase) {
        state.wavePhase = phase;
        waveStep(state, 1, 8);
    }
    EXPECT_EQ(terrainGrid[0][9].water, 20.0f);

    // In row 0 the extra point is the corner itself; it must ripple like every other point, not twice.
    terrainGrid[7][0].water = 20.0f;
    EXPECT_EQ(runCycle(state, 6, 0, 0, terrainGrid[7][0]), kCycle);

    // Point (0, 0) starts no cell and is no extra point of any: it never moves.
    terrainGrid[0][0].water = 5.0f;
    terrainGrid[0][1].water = 20.0f;
    terrainGrid[1][0].water = 20.0f;
    EXPECT_EQ(runCycle(state, 0, 0, 0, terrainGrid[0][1]), kCycle);
    EXPECT_EQ(terrainGrid[0][0].water, 5.0f);
}

TEST(WaterWave, EveryDipReseedsTheSharedRandomGenerator) {
    GameState state = waterAt(20.0f);
    const auto dipAndDraw = [&](int column, int row, int phase) {
        std::srand(999);
        state.wavePhase = phase;
        waveStep(state, column, row);
        return std::rand();
    };

    // Inside the grid: srand(i + j), one value discarded.
    EXPECT_EQ(dipAndDraw(10, 20, 0), randAfterSeed(30, 1));
    EXPECT_EQ(dipAndDraw(11, 20, 3), randAfterSeed(31, 1));
    // The extra point's seed comes last: j + 7 or j + 8 in column 0, i + 3 or i + 5 in row 0.
    EXPECT_EQ(dipAndDraw(0, 4, 0), randAfterSeed(11, 1));
    EXPECT_EQ(dipAndDraw(0, 5, 3), randAfterSeed(13, 1));
    EXPECT_EQ(dipAndDraw(6, 0, 0), randAfterSeed(9, 1));
    EXPECT_EQ(dipAndDraw(7, 0, 3), randAfterSeed(12, 1));
    EXPECT_EQ(dipAndDraw(0, 0, 0), randAfterSeed(3, 1));

    // Phases without a dip leave the generator's sequence alone.
    for (int phase : {1, 2, 4, 6})
        EXPECT_EQ(dipAndDraw(10, 20, phase), randAfterSeed(999, 0)) << phase;
    EXPECT_EQ(dipAndDraw(11, 20, 0), randAfterSeed(999, 0));
}

TEST(WaterWave, PhaseCountsZeroToSevenAndWrapsBack) {
    std::vector<int> phases{0};
    for (int k = 0; k < 9; ++k)
        phases.push_back(nextWavePhase(phases.back()));
    EXPECT_EQ(phases, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1}));
}
