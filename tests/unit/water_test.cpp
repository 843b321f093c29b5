#include "core/GameState.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The heights of one point, relative to a level of 20, each stored as float after double arithmetic:
// 0.2 below, then three and one and a half times as deep, then back at the level.
const std::vector<float> kCycle{19.8f,       19.8f,       19.3999977f, 19.3999977f,
                                19.0999966f, 19.0999966f, 20.0f,       20.0f};

// Runs one cell through eight successive phases from firstPhase, recording `point` after each; the point
// starts at the level.
std::vector<float> runCycle(GameState& state, int column, int row, int firstPhase, TerrainVertex& point) {
    point.water = 20.0f;
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

TEST(Water, WindowCoversEightyCellsAroundTheSubmarineClampedToTheDrawableGrid) {
    struct Case {
        double x, z;
        WaterWindow want;
    };
    const Case cases[] = {
        {400.0, -400.0, {60, 140, 60, 140}},
        {2.0, -2.0, {0, 40, 0, 40}},
        {3.99, -7.99, {0, 40, 0, 41}}, // truncation: 3.99 is still column 0, -7.99 row 1
        {-2.0, 2.0, {0, 40, 0, 40}},   // just outside the near edges truncates to 0 too
        {-100.0, 100.0, {0, 15, 0, 15}},
        // A cell reaches one point further, so the last column and row of points start no cell.
        {1010 * 4.0 + 1.0, -(505 * 4.0 + 1.0), {970, 1022, 465, 510}},
        {982 * 4.0, -470 * 4.0, {942, 1022, 430, 510}},
        {981 * 4.0, -469 * 4.0, {941, 1021, 429, 509}},
    };
    for (const Case& c : cases) {
        const WaterWindow w = waterWindow(c.x, c.z);
        EXPECT_EQ(std::vector<int>({w.firstColumn, w.endColumn, w.firstRow, w.endRow}),
                  std::vector<int>({c.want.firstColumn, c.want.endColumn, c.want.firstRow, c.want.endRow}))
            << c.x << " " << c.z;
    }
    // Far away on any side, or at a position that is no number, nothing is drawn and nothing overflows.
    for (const auto& [x, z] : std::vector<std::pair<double, double>>{{-400.0, -400.0},
                                                                     {400.0, 400.0},
                                                                     {9000.0, -400.0},
                                                                     {400.0, -9000.0},
                                                                     {1e300, -1e300},
                                                                     {-1e300, 1e300},
                                                                     {std::nan(""), std::nan("")}}) {
        const WaterWindow w = waterWindow(x, z);
        EXPECT_TRUE(w.firstColumn >= w.endColumn || w.firstRow >= w.endRow) << x << " " << z;
    }
}

TEST(Water, EachCellRipplesOnlyItsCornerAndOddCellsRunThreePhasesLater) {
    GameState state;
    EXPECT_EQ(runCycle(state, 10, 20, 0, terrainGrid[11][20]), kCycle);
    EXPECT_EQ(runCycle(state, 11, 20, 3, terrainGrid[12][20]), kCycle);

    // The other three points of a quad belong to other cells.
    for (TerrainVertex* point : {&terrainGrid[10][20], &terrainGrid[10][21], &terrainGrid[11][21]})
        point->water = 7.0f;
    runCycle(state, 10, 20, 0, terrainGrid[11][20]);
    for (TerrainVertex* point : {&terrainGrid[10][20], &terrainGrid[10][21], &terrainGrid[11][21]})
        EXPECT_EQ(point->water, 7.0f);

    // The first column and row take part through extra points, each once per frame; (0, 0) never moves.
    EXPECT_EQ(runCycle(state, 0, 4, 0, terrainGrid[0][5]), kCycle);
    EXPECT_EQ(runCycle(state, 0, 5, 3, terrainGrid[0][6]), kCycle);
    EXPECT_EQ(runCycle(state, 6, 0, 0, terrainGrid[7][0]), kCycle);
    terrainGrid[0][0].water = 5.0f;
    terrainGrid[0][9].water = 5.0f;
    runCycle(state, 0, 0, 0, terrainGrid[0][1]);
    runCycle(state, 1, 8, 0, terrainGrid[2][8]); // column 1 leaves column 0 alone
    EXPECT_EQ(terrainGrid[0][0].water, 5.0f);
    EXPECT_EQ(terrainGrid[0][9].water, 5.0f);
}

TEST(Water, RippleFollowsTheCurrentLevelFromTheStoredHeight) {
    GameState state;
    state.waterLevel = 18.5f;
    TerrainVertex& corner = terrainGrid[31][40]; // cell (30, 40), even
    const auto step = [&](int phase, float from) {
        corner.water = from;
        state.wavePhase = phase;
        waveStep(state, 30, 40);
        return corner.water;
    };
    EXPECT_FLOAT_EQ(step(0, 20.0f), 18.3f); // dips below the sunken level
    EXPECT_EQ(step(6, 17.0f), 18.5f);
    // The deepening steps work on whatever height the point holds, here 1.0 above the level.
    EXPECT_FLOAT_EQ(step(2, 19.5f), 21.5f);
    EXPECT_FLOAT_EQ(step(4, 19.5f), 20.0f);
}

TEST(Water, EveryDipReseedsTheSharedRandomGenerator) {
    GameState state;
    const auto dipAndDraw = [&](int column, int row, int phase) {
        std::srand(999);
        state.wavePhase = phase;
        waveStep(state, column, row);
        return std::rand();
    };
    // Inside the grid srand(i + j), one value discarded; the extra point's seed comes last: j + 7 or j + 8
    // in column 0, i + 3 or i + 5 in row 0.
    const int dips[][4] = {{10, 20, 0, 30}, {11, 20, 3, 31}, {0, 4, 0, 11}, {0, 5, 3, 13},
                           {6, 0, 0, 9},    {7, 0, 3, 12},   {0, 0, 0, 3}};
    for (const auto& [column, row, phase, seed] : dips)
        EXPECT_EQ(dipAndDraw(column, row, phase), randAfterSeed(seed, 1)) << column << "," << row;
    // Phases without a dip leave the generator's sequence alone.
    for (int phase : {1, 2, 4, 6})
        EXPECT_EQ(dipAndDraw(10, 20, phase), randAfterSeed(999, 0)) << phase;
    EXPECT_EQ(dipAndDraw(11, 20, 0), randAfterSeed(999, 0));
}

TEST(Water, PhaseCountsZeroToSevenAndCeilingSinksHalfAUnit) {
    std::vector<int> phases{0};
    for (int k = 0; k < 9; ++k)
        phases.push_back(nextWavePhase(phases.back()));
    EXPECT_EQ(phases, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1}));

    GameState state;
    lowerWater(state);
    lowerWater(state);
    EXPECT_FLOAT_EQ(state.waterLevel, 19.0f);
}
