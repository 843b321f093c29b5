#include "core/GameState.h"
#include "support/Bitmaps.h"
#include "support/TempFolder.h"
#include "world/BitmapReader.h"
#include "world/Caustics.h"
#include "world/Culling.h"
#include "world/FloorTiles.h"
#include "world/TextureFiles.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

namespace {

// Differs from neighbour to neighbour along both axes, so a swapped axis or a wrong stride reads another
// value.
uint8_t red(int column, int row) {
    return static_cast<uint8_t>(column * 7 + row * 13);
}

BitmapImage depthMap(int width, int height) {
    BitmapImage image{width, height, std::make_unique<uint8_t[]>(static_cast<size_t>(width) * height * 3)};
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            image.pixels[(static_cast<size_t>(row) * width + column) * 3] = red(column, row);
    return image;
}

} // namespace

TEST(TerrainGrid, EveryPointTakesItsHeightFromTheRedSampleAndMapsThatCannotFillTheGridChangeNothing) {
    ASSERT_TRUE(fillTerrainGrid(depthMap(1024, 520), 20.0f)); // rows past the grid are never read
    for (const auto& [width, height] : {std::pair{1024, 511}, {512, 1024}, {1023, 512}, {1025, 512}, {0, 0}})
        EXPECT_FALSE(fillTerrainGrid(depthMap(width, height), 7.0f)) << width << " x " << height;
    EXPECT_FALSE(fillTerrainGrid(BitmapImage{1024, 512, nullptr}, 7.0f));
    long wrong = 0;
    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kGridRows; ++row) {
            const TerrainVertex& p = terrainGrid[column][row];
            wrong +=
                p.x != 4.0f * column || p.z != -4.0f * row || p.y != red(column, row) - 128 || p.water != 20;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(TerrainGrid, ThePointUnderAPositionIsTruncatedTowardZeroAndExistsOnlyOverTheGrid) {
    const std::tuple<double, double, int, int> cases[] = {
        // column -1: no point
        {41.0, -13.9, 10, 3},   {-3.0, 3.0, 0, 0},    {4095.9, -2047.9, 1023, 511},
        {4096.0, -10.0, -1, 0}, {-4.0, -10.0, -1, 0}, {10.0, -2048.0, -1, 0},
        {10.0, 4.0, -1, 0}};
    for (const auto& [x, z, column, row] : cases) {
        const auto cell = gridCellAt(x, z);
        EXPECT_EQ(cell ? std::pair(cell->column, cell->row) : std::pair(-1, 0), std::pair(column, row))
            << x << ", " << z;
    }
}

TEST(TerrainTiles, TilesDrawEachCellOnceAndTheirBoundsHoldEveryPointTheyDrawTightly) {
    ASSERT_TRUE(fillTerrainGrid(depthMap(1024, 512), 20.0f));
    // The floor is 511 strips (rows 0..510) over vertex columns 0..1022.
    std::vector<int> drawn(1022 * 511, 0);
    long vertices = 0;
    for (int tile = 0; tile < kTileCount; ++tile) {
        const TileSpan s = tileSpan(tile);
        float low = 1e9f, high = -1e9f;
        for (int row = s.firstRow; row < s.endRow; ++row) {
            vertices += 2L * (s.lastColumn - s.firstColumn + 1);
            for (int column = s.firstColumn; column <= s.lastColumn; ++column) {
                drawn.at(static_cast<size_t>(row * 1022 + std::min(column, 1021))) += column < s.lastColumn;
                for (const TerrainVertex& p : {terrainGrid[column][row], terrainGrid[column][row + 1]})
                    std::tie(low, high) = std::pair(std::min(low, p.y), std::max(high, p.y));
            }
        }
        const Box b = tileBounds(tile);
        const std::array got{b.min.x, b.max.x, b.min.z, b.max.z, b.min.y, b.max.y};
        const std::array want{
            4.0f * s.firstColumn, 4.0f * s.lastColumn, -4.0f * s.endRow, -4.0f * s.firstRow, low, high};
        ASSERT_EQ(got, want) << "tile " << tile;
    }
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 1), 1022 * 511);
    // Splitting repeats each tile's edge column once per extra piece of a strip.
    EXPECT_EQ(vertices, 511L * 2046 + 511L * 2 * (kTileColumns - 1));
}

TEST(Water, WindowHoldsTheDrawableCellsWithinFortyOfThePointUnderTheSubmarine) {
    // Drawable cells have a point to their right and above: columns 0..1021, rows 0..509. The sweeps pass
    // (-2, 2), which truncation keeps on point 0.
    for (double x = -2.0 - 5 * 61.7; x < 4500; x += 61.7)
        for (double z = 2.0 + 5 * 45.3; z > -2300; z -= 45.3) {
            const WaterWindow w = waterWindow(x, z);
            const int column = static_cast<int>(std::trunc(x / 4)),
                      row = static_cast<int>(std::trunc(-z / 4));
            const std::array want{std::max(column - 40, 0), std::min(column + 40, 1022),
                                  std::max(row - 40, 0), std::min(row + 40, 510)};
            const std::array got{w.firstColumn, w.endColumn, w.firstRow, w.endRow};
            if (want[0] < want[1] && want[2] < want[3])
                ASSERT_EQ(got, want) << x << ", " << z;
            else
                ASSERT_TRUE(got[0] >= got[1] || got[2] >= got[3]) << "not empty at " << x << ", " << z;
        }
    // Nor does a position far out or no number draw anything, or overflow.
    for (const auto& [x, z] : {std::pair{1e300, -1e300}, {-1e300, 1e300}, {std::nan(""), std::nan("")}}) {
        const WaterWindow w = waterWindow(x, z);
        EXPECT_TRUE(w.firstColumn >= w.endColumn || w.firstRow >= w.endRow) << x << ", " << z;
    }
}

TEST(Water, EachPointRipplesWithItsOwnCellOddCellsThreePhasesLaterAsTheLevelSinks) {
    // Cells 0..5 x 0..5 in the grid's corner, two rounds of the eight phases, the level sinking twice.
    // Point (i, j) moves with cell (i - 1, j), the first column's points with the cell below them, (0, 0)
    // and everything outside the patch not at all.
    GameState state;
    double model[8][8];
    for (int i = 0; i < 64; ++i)
        model[i / 8][i % 8] = terrainGrid[i / 8][i % 8].water = 20.0f;
    for (int frame = 0; frame < 16; ++frame) {
        ASSERT_EQ(state.wavePhase, frame % 8);
        for (int cell = 0; cell < 36; ++cell)
            waveStep(state, cell / 6, cell % 6);
        const double level = state.waterLevel;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 8; ++j) {
                const int cellColumn = i > 0 ? i - 1 : 0, cellRow = i > 0 ? j : j - 1;
                const int step = (frame + 8 - 3 * ((cellColumn + cellRow) % 2)) % 8;
                double& h = model[i][j];
                if (cellColumn <= 5 && cellRow >= 0 && cellRow <= 5 && step % 2 == 0)
                    h = step == 0   ? level - 0.2
                        : step == 6 ? level
                                    : level + (step == 2 ? 3 : 1.5) * (h - level);
                ASSERT_NEAR(terrainGrid[i][j].water, h, 1e-4)
                    << "frame " << frame << ", point " << i << "," << j;
            }
        state.wavePhase = nextWavePhase(state.wavePhase);
        if (frame % 6 == 5)
            lowerWater(state);
        ASSERT_EQ(state.waterLevel, 20.0f - 0.5f * static_cast<float>((frame + 1) / 6));
    }
}

TEST(Water, ADipReseedsTheSharedGeneratorAndOtherStepsLeaveItAlone) {
    GameState state;
    const auto drawAfter = [&](unsigned seed, int column, int row, int phase) {
        std::srand(seed);
        state.wavePhase = phase;
        waveStep(state, column, row);
        return std::rand();
    };
    std::srand(9);
    const int untouched = std::rand();
    for (const auto& [column, row] : {std::pair{10, 20}, {11, 20}, {0, 4}, {0, 5}, {6, 0}, {7, 0}, {0, 0}}) {
        const int dip = (column + row) % 2 * 3;
        EXPECT_EQ(drawAfter(1, column, row, dip), drawAfter(2, column, row, dip)) << column << "," << row;
        for (const int later : {1, 2, 4, 6})
            EXPECT_EQ(drawAfter(9, column, row, (dip + later) % 8), untouched) << column << "," << row;
    }
}

TEST(Caustics, FramesVisitEveryTextureOnceARoundAndPlanesScaleWithTheCausticScale) {
    std::vector<int> seen(kCausticFrames, 0);
    int frame = 0;
    for (int k = 0; k < kCausticFrames; ++k) {
        frame = nextCausticFrame(frame);
        ASSERT_TRUE(frame >= 0 && frame < kCausticFrames) << frame;
        ++seen[static_cast<size_t>(frame)];
    }
    EXPECT_EQ(seen, std::vector<int>(kCausticFrames, 1));
    const CausticPlanes doubled = causticPlanes(2.0f);
    EXPECT_EQ(doubled.s, (std::array<float, 4>{0.1f, 0.06f, 0.0f, 0.0f}));
    EXPECT_EQ(doubled.t, (std::array<float, 4>{0.0f, 0.06f, 0.1f, 0.0f}));
    // Before world initialisation the scale is 0 and the pattern one texel.
    EXPECT_EQ(causticPlanes(0.0f).s, (std::array<float, 4>{}));
}

TEST(TextureFiles, UnusableFilesBecomeAGreyStandInOfTheFixedSizeWithOneLine) {
    const TempFolder folder("tex");
    std::vector<uint8_t> stored(16 * 8 * 3); // bottom row first
    for (size_t k = 0; k < stored.size(); ++k)
        stored[k] = static_cast<uint8_t>(k % 251);
    folder.write("good.bmp", BmpFile{.width = 16, .height = 8, .pixels = stored}.bytes());
    folder.write("wrong.bmp",
                 BmpFile{.width = 8, .height = 8, .pixels = std::vector<uint8_t>(192, 9)}.bytes());
    folder.write("junk.bmp", {'B', 'M', ' ', 'b', 'u', 't'});
    // Top row first, in the file's blue-green-red order.
    std::vector<uint8_t> topFirst;
    for (int row = 7; row >= 0; --row)
        topFirst.insert(topFirst.end(), stored.begin() + row * 48, stored.begin() + row * 48 + 48);
    const TexturePixels read = readTexturePixels(folder.file("good.bmp"), 16, 8);
    EXPECT_FALSE(read.placeholder);
    EXPECT_EQ(read.bytes, topFirst);
    for (const auto& [name, width] :
         {std::pair{"missing.bmp", 16}, {"wrong.bmp", 16}, {"junk.bmp", 16}, {"good.bmp", 8}}) {
        testing::internal::CaptureStderr();
        const TexturePixels standIn = readTexturePixels(folder.file(name), width, 8);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(standIn.placeholder) << name;
        EXPECT_EQ(standIn.bytes, std::vector<uint8_t>(static_cast<size_t>(width) * 8 * 3, 128)) << name;
        EXPECT_NE(said.find(name), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}
