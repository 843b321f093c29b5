#include "support/Bitmaps.h"
#include "support/TempFolder.h"
#include "world/BitmapReader.h"
#include "world/Culling.h"
#include "world/DepthMap.h"
#include "world/FloorTiles.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <set>

namespace {

BitmapImage depthMap(int width, int height, uint8_t red) {
    return decodedImage(width, height, {red, 7, 9}); // green and blue carry nothing
}

void setRed(BitmapImage& image, int column, int row, uint8_t red) {
    image.pixels[(static_cast<size_t>(row) * image.width + column) * 3] = red;
}

} // namespace

TEST(TerrainGrid, FillTakesHeightsFromTheRedSampleAndPlacesPointsFourUnitsApart) {
    BitmapImage image = depthMap(1024, 520, 128);
    setRed(image, 0, 0, 0);
    setRed(image, 1023, 511, 255);
    setRed(image, 10, 3, 200);
    ASSERT_TRUE(fillTerrainGrid(image, 20.0f));

    EXPECT_FLOAT_EQ(terrainGrid[0][0].y, -128.0f);
    EXPECT_FLOAT_EQ(terrainGrid[1023][511].y, 127.0f);
    EXPECT_FLOAT_EQ(terrainGrid[500][200].y, 0.0f);
    EXPECT_FLOAT_EQ(terrainGrid[10][3].x, 40.0f);
    EXPECT_FLOAT_EQ(terrainGrid[10][3].z, -12.0f);
    EXPECT_FLOAT_EQ(terrainGrid[10][3].y, 72.0f);
    EXPECT_FLOAT_EQ(terrainGrid[1023][511].x, 4092.0f);
    EXPECT_FLOAT_EQ(terrainGrid[1023][511].z, -2044.0f);
    for (int column : {0, 517, 1023})
        for (int row : {0, 255, 511})
            EXPECT_FLOAT_EQ(terrainGrid[column][row].water, 20.0f);
}

TEST(TerrainGrid, RefusesMapsThatCannotFillTheWholeGrid) {
    ASSERT_TRUE(fillTerrainGrid(depthMap(1024, 512, 100), 20.0f));
    const float before = terrainGrid[3][3].y;
    EXPECT_FALSE(fillTerrainGrid(depthMap(1024, 511, 200), 20.0f));
    EXPECT_FALSE(fillTerrainGrid(depthMap(512, 1024, 200), 20.0f));
    EXPECT_FALSE(fillTerrainGrid(BitmapImage{}, 20.0f));
    EXPECT_FLOAT_EQ(terrainGrid[3][3].y, before);
}

TEST(TerrainGrid, LookupTruncatesTowardZeroAndKnowsTheGridsEdges) {
    const auto cell = gridCellAt(41.0, -13.9);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->column, 10);
    EXPECT_EQ(cell->row, 3);

    const auto nearOrigin = gridCellAt(-3.0, 3.0); // truncation maps small negatives to 0
    ASSERT_TRUE(nearOrigin);
    EXPECT_EQ(nearOrigin->column, 0);
    EXPECT_EQ(nearOrigin->row, 0);

    EXPECT_FALSE(gridCellAt(4096.0, -10.0));
    EXPECT_FALSE(gridCellAt(-4.0, -10.0));
    EXPECT_FALSE(gridCellAt(10.0, -2048.0));
    EXPECT_FALSE(gridCellAt(10.0, 4.0));
    const auto corner = gridCellAt(4095.9, -2047.9);
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->column, 1023);
    EXPECT_EQ(corner->row, 511);
}

TEST(TerrainTiles, TilesCoverTheFloorsStripsExactlyOnce) {
    // The floor is 511 strips (rows 0..510) over vertex columns 0..1022: 2046 vertices per strip.
    std::set<std::pair<int, int>> cells;
    long vertices = 0;
    for (int tile = 0; tile < kTileCount; ++tile) {
        const TileSpan span = tileSpan(tile);
        ASSERT_LT(span.firstColumn, span.lastColumn);
        ASSERT_LT(span.firstRow, span.endRow);
        for (int row = span.firstRow; row < span.endRow; ++row) {
            vertices += 2L * (span.lastColumn - span.firstColumn + 1);
            for (int column = span.firstColumn; column < span.lastColumn; ++column)
                EXPECT_TRUE(cells.insert({column, row}).second)
                    << "cell drawn twice: " << column << "," << row;
        }
    }
    EXPECT_EQ(cells.size(), 1022u * 511u);
    EXPECT_EQ(cells.begin()->first, 0);
    EXPECT_EQ(cells.rbegin()->first, 1021);
    EXPECT_EQ(cells.rbegin()->second, 510);
    // Splitting repeats each tile's edge column once per extra piece of a strip.
    EXPECT_EQ(vertices, 511L * 2046 + 511L * 2 * (kTileColumns - 1));
}

TEST(TerrainTiles, BoundsEncloseEveryPointOfTheTile) {
    const int tile = kTileColumns + 1; // second row of tiles, second column
    const TileSpan span = tileSpan(tile);
    BitmapImage image = depthMap(1024, 512, 128);
    // The highest point inside, the lowest on the far corner (the last strip's upper vertex row).
    setRed(image, span.firstColumn + 1, span.firstRow + 1, 250);
    setRed(image, span.lastColumn, span.endRow, 3);
    setRed(image, span.lastColumn + 1, span.endRow + 1, 255); // outside: must not count
    ASSERT_TRUE(fillTerrainGrid(image, 20.0f));
    const Box box = tileBounds(tile);
    EXPECT_FLOAT_EQ(box.min.x, 4.0f * span.firstColumn);
    EXPECT_FLOAT_EQ(box.max.x, 4.0f * span.lastColumn);
    EXPECT_FLOAT_EQ(box.max.z, -4.0f * span.firstRow);
    EXPECT_FLOAT_EQ(box.min.z, -4.0f * span.endRow);
    EXPECT_FLOAT_EQ(box.max.y, 122.0f);
    EXPECT_FLOAT_EQ(box.min.y, -125.0f);
}

TEST(DepthMap, ProblemsAreNamedSoThePlayerKnowsWhatToFix) {
    const TempFolder dir("depth");
    const BmpFile small{.width = 4, .height = 2, .pixels = std::vector<uint8_t>(4 * 2 * 3, 0x40)};
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("none.bmp"), "cannot be opened"},
        {dir.write("text.bmp", {'h', 'e', 'l', 'l', 'o'}), "not a BMP"},
        {dir.write("small.bmp", small.bytes()), "is 4 x 2 pixels; the valley needs 1024 x 512"},
    };
    for (const auto& [path, problem] : cases) {
        BitmapImage image;
        const DepthMapResult result = readDepthMap(path, image);
        EXPECT_FALSE(result.ok) << path;
        EXPECT_NE(result.problem.find(problem), std::string::npos) << result.problem;
    }
}
