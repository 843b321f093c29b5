// The valley relief, read with the game's own depth-map reader from a grey depth map: towns on flat pads
// under water, start points clear of the ground, one connected valley below sea level, closed in by the
// map's rim.
#include "towns/TownTable.h"
#include "world/BitmapReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kColumns = 1024, kRows = 512;
constexpr double kWaterLevel = 20.0;

class Relief : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BitmapImage image;
        ASSERT_EQ(loadBitmap("Texturen/valleyDepth.bmp", image), bitmap_result::ok);
        ASSERT_EQ(image.width, kColumns);
        ASSERT_EQ(image.height, kRows);
        heights_.assign(static_cast<size_t>(kColumns) * kRows, 0);
        long notGrey = 0;
        for (size_t i = 0; i < heights_.size(); ++i) {
            const uint8_t* p = image.pixels.get() + i * 3;
            notGrey += p[0] != p[1] || p[1] != p[2];
            heights_[i] = p[0] - 128; // red - 128
        }
        EXPECT_EQ(notGrey, 0);
    }

    // The terrain's rule: column i, row j is pixel j * 1024 + i of the bottom-up buffer.
    static int ground(int column, int row) { return heights_[static_cast<size_t>(row) * kColumns + column]; }

    // Highest and lowest ground among grid points within `steps` of a (possibly fractional) position.
    static std::pair<int, int> groundRange(double column, double row, double steps) {
        int lo = 1000, hi = -1000;
        for (int j = static_cast<int>(std::ceil(row - steps)); j <= row + steps; ++j)
            for (int i = static_cast<int>(std::ceil(column - steps)); i <= column + steps; ++i) {
                lo = std::min(lo, ground(i, j));
                hi = std::max(hi, ground(i, j));
            }
        return {lo, hi};
    }

    static std::vector<int> heights_;
};
std::vector<int> Relief::heights_;

TEST_F(Relief, EveryTownStandsOnAFlatPadUnderWater) {
    auto expectFlat = [](double column, double row, double level) {
        const auto [lo, hi] = groundRange(column, row, 3.0);
        EXPECT_LE(hi - level, 1.5);
        EXPECT_LE(level - lo, 1.5);
    };
    for (const TownEntry& town : kTownTable) {
        SCOPED_TRACE(town.name);
        const GridPlacement& g = town.placement;
        const int h = ground(g.column, g.row);
        const double y = h + g.dy;
        expectFlat(g.column, g.row, h);
        // Nuernberg is moved off its ledge: it must land on the floor below, neither buried nor floating.
        if (g.dx != 0.0 || g.dz != 0.0)
            expectFlat(g.column + g.dx / 4.0, g.row - g.dz / 4.0, y);
        EXPECT_LE(y, 0.0);
        EXPECT_GE(kWaterLevel - y, 20.0);
    }
}

TEST_F(Relief, StartPointsFloatClearOfTheGroundAndTheRestartInOpenWater) {
    for (size_t k = 0; k < kStartPoints.size(); ++k) {
        SCOPED_TRACE("start point " + std::to_string(k));
        const GridPlacement& s = kStartPoints[k];
        const double y = ground(s.column, s.row) + s.dy;
        const double column = s.column + s.dx / 4.0, row = s.row - s.dz / 4.0; // z = -4 row
        EXPECT_LE(y, 17.0);
        EXPECT_GE(y - groundRange(column, row, 2.0).second, 3.0);
    }
    EXPECT_LE(groundRange(kRestartPosition[0] / 4.0, -kRestartPosition[2] / 4.0, 2.0).second, -53)
        << "restart";
}

TEST_F(Relief, OneValleyBelowSeaLevelJoinsEveryTownAndTheRestart) {
    // Flood fill over grid points whose ground lies at 0 or below, from the first town.
    std::vector<char> reached(heights_.size(), 0);
    const GridPlacement& first = kTownTable[0].placement;
    ASSERT_LE(ground(first.column, first.row), 0);
    std::vector<std::pair<int, int>> open{{first.column, first.row}};
    while (!open.empty()) {
        const auto [i, j] = open.back();
        open.pop_back();
        if (i < 0 || j < 0 || i >= kColumns || j >= kRows || ground(i, j) > 0 ||
            std::exchange(reached[static_cast<size_t>(j) * kColumns + i], 1))
            continue;
        open.insert(open.end(), {{i + 1, j}, {i - 1, j}, {i, j + 1}, {i, j - 1}});
    }
    auto isReached = [&](double column, double row) {
        return reached[static_cast<size_t>(std::lround(row)) * kColumns + std::lround(column)] != 0;
    };
    for (const TownEntry& town : kTownTable) {
        const GridPlacement& g = town.placement;
        EXPECT_TRUE(isReached(g.column + g.dx / 4.0, g.row - g.dz / 4.0)) << town.name;
    }
    EXPECT_TRUE(isReached(kRestartPosition[0] / 4.0, std::floor(-kRestartPosition[2] / 4.0))) << "restart";
    // The valley is not simply the whole map.
    const auto flooded = std::count(reached.begin(), reached.end(), 1);
    EXPECT_LT(flooded, static_cast<long>(heights_.size() / 2));
}

TEST_F(Relief, MapRimRisesOutOfTheWater) {
    for (int j = 0; j < kRows; ++j)
        for (int i = 0; i < kColumns; i += (j == 0 || j == kRows - 1) ? 1 : kColumns - 1)
            ASSERT_GT(ground(i, j), kWaterLevel) << "column " << i << ", row " << j;
}

TEST_F(Relief, SlopesAreSmoothAndTheLandIsNotTerraced) {
    long steep = 0, flat = 0, total = 0;
    int steepest = 0;
    for (int j = 1; j < kRows - 1; ++j)
        for (int i = 1; i < kColumns - 1; ++i) {
            const int h = ground(i, j);
            const int step = std::max({std::abs(ground(i + 1, j) - h), std::abs(ground(i, j + 1) - h)});
            steepest = std::max(steepest, step);
            steep += step > 6;
            // A terrace is a wide level shelf: the whole 5 x 5 neighbourhood at one height.
            bool level = true;
            for (int dj = -1; dj <= 1 && level; ++dj)
                for (int di = -1; di <= 1 && level; ++di)
                    level = ground(std::clamp(i + 2 * di, 0, kColumns - 1),
                                   std::clamp(j + 2 * dj, 0, kRows - 1)) == h;
            flat += level;
            ++total;
        }
    EXPECT_LE(steepest, 12) << "a cliff";
    EXPECT_LT(static_cast<double>(steep) / total, 0.002) << "too many slopes steeper than 56 degrees";
    EXPECT_LT(static_cast<double>(flat) / total, 0.05);
    // And it is a landscape, not a tray: heights span from deep floor to high ground.
    const auto [lo, hi] = std::minmax_element(heights_.begin(), heights_.end());
    EXPECT_LT(*lo, -40);
    EXPECT_GT(*hi, 50);
}

} // namespace
