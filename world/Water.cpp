#include "world/Water.h"

#include "core/GameState.h"
#include "world/Terrain.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kWindowReach = 40;
// Cells reach one point further right and up, so the last column and row of points have no cell.
constexpr int kLastCellColumnEnd = kGridColumns - 2;
constexpr int kLastCellRowEnd = kGridRows - 2;

// Far outside the grid the exact index no longer matters, only that it stays a valid int.
int gridIndexToward(double scaled) {
    constexpr double kFar = 1.0e6;
    if (!(std::abs(scaled) < kFar))
        return scaled > 0.0 ? static_cast<int>(kFar) : -static_cast<int>(kFar);
    return static_cast<int>(scaled);
}

constexpr int kDipStep = 0;

// A dip reseeds the shared generator, the rest of the game continuing from there: its seed is kept for
// plantReseed.
void reseedOnDip(int step, unsigned int seed, WaterReseed& reseed) {
    if (step == kDipStep)
        reseed = {true, seed};
}

// The rule for one point; the seed counts only when the point dips, since only the dip reseeds.
void movePoint(float& water, double level, int step, unsigned int seed, WaterReseed& reseed) {
    const double h = water;
    reseedOnDip(step, seed, reseed);
    switch (step) {
    case kDipStep:
        water = static_cast<float>(level - 0.2);
        break;
    case 2:
        water = static_cast<float>(h + 2.0 * (h - level));
        break;
    case 4:
        water = static_cast<float>(h + 0.5 * (h - level));
        break;
    case 6:
        water = static_cast<float>(level);
        break;
    default:
        break;
    }
}

} // namespace

WaterWindow waterWindow(double x, double z) {
    const int column = gridIndexToward(x / kGridSpacing);
    const int row = gridIndexToward(-z / kGridSpacing);
    WaterWindow window{column - kWindowReach, column + kWindowReach, row - kWindowReach, row + kWindowReach};
    if (window.firstColumn < 0)
        window.firstColumn = 0;
    if (window.endColumn >= kGridColumns - 1)
        window.endColumn = kLastCellColumnEnd;
    if (window.firstRow < 0)
        window.firstRow = 0;
    if (window.endRow >= kGridRows - 1)
        window.endRow = kLastCellRowEnd;
    return window;
}

void waveStep(const GameState& state, TerrainGrid& terrainGrid, int column, int row, WaterReseed& reseed) {
    const bool even = (column + row) % 2 == 0;
    // Odd cells run the same cycle three phases later, so neighbours ripple against each other.
    const int step = (state.wavePhase + (even ? 0 : 5)) % 8;
    const double level = state.waterLevel;
    const auto i = static_cast<unsigned int>(column);
    const auto j = static_cast<unsigned int>(row);

    movePoint(terrainGrid[column + 1][row].water, level, step, i + j, reseed);
    if (column == 0)
        movePoint(terrainGrid[0][row + 1].water, level, step, even ? j + 7 : j + 8, reseed);
    // In row 0 the extra point (column + 1, 0) is the corner itself: it reseeds as an extra point does,
    // but ripples once, or its deepening steps would compound to four units below the surface.
    if (row == 0)
        reseedOnDip(step, even ? i + 3 : i + 5, reseed);
}

void plantReseed(const WaterReseed& reseed) {
    if (!reseed.due)
        return;
    std::srand(reseed.seed);
    std::rand();
}

int nextWavePhase(int phase) {
    return phase >= 7 || phase < 0 ? 0 : phase + 1;
}

void lowerWater(GameState& state) {
    state.waterLevel -= 0.5f;
}
