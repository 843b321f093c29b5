#include "core/GameState.h"
#include "support/Bitmaps.h"
#include "support/TempFolder.h"
#include "world/BitmapReader.h"
#include "world/Caustics.h"
#include "world/Culling.h"
#include "world/DepthMap.h"
#include "world/FloorTiles.h"
#include "world/TextureFiles.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <numeric>
#include <random>
#include <tuple>

namespace {

// What palettedBmp's entries decode to, worked out from the palette's rule rather than read back from its
// bytes, so a reader that swaps channels cannot agree with it by accident.
std::vector<uint8_t> colours(const std::vector<int>& indices) {
    std::vector<uint8_t> out;
    for (int i : indices)
        out.insert(out.end(),
                   {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(3 * i + 1)});
    return out;
}

std::vector<uint8_t> pixelsOf(const BitmapImage& image) {
    return {image.pixels.get(), image.pixels.get() + static_cast<size_t>(image.width) * image.height * 3};
}

// Differs from neighbour to neighbour along both axes, so a swapped axis or a wrong stride reads another
// value.
uint8_t red(int column, int row) {
    return static_cast<uint8_t>(column * 7 + row * 13);
}

BitmapImage depthMap(int width, int height) {
    BitmapImage image{width, height, std::make_unique<uint8_t[]>(static_cast<size_t>(width) * height * 3)};
    for (int k = 0; k < width * height; ++k)
        image.pixels[static_cast<size_t>(k) * 3] = red(k % width, k / width);
    return image;
}

} // namespace

TEST(BitmapReader, DecodesEveryDepthBottomRowFirstAndRefusesShortMalformedAndUnsupportedFilesSayingWhy) {
    using namespace bitmap_result;
    const TempFolder folder("bitmap");
    const BmpFile rgb{.width = 2, .height = 2, .pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    // clang-format off
    const std::tuple<const char*, BmpFile, std::vector<uint8_t>> decodable[] = {
        {"24 bits stored blue, green, red", rgb, {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
        {"8 bits", palettedBmp(8, 3, 2, {5, 0, 255, 5, 17, 5}), colours({5, 0, 255, 5, 17, 5})},
        {"top-down", BmpFile{.width = 2, .height = -2, .pixels = rgb.pixels},
         {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}},
        // High nibble first; a reader that stored the spare low nibble would write past the buffer.
        {"4 bits, odd width", palettedBmp(4, 5, 1, {0x3A, 0x5F, 0x7C}), colours({3, 10, 5, 15, 7})},
        {"4 bits, two rows", palettedBmp(4, 3, 2, {0x12, 0x3F, 0x45, 0x6F}), colours({1, 2, 3, 4, 5, 6})},
        // High bit first; the ninth column needs a byte of its own; the spare bits after it are set.
        {"1 bit", palettedBmp(1, 9, 2, {1, 0x7F, 0x80, 0xFF}),
         colours({0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1})},
    };
    // clang-format on
    BitmapImage reused; // loaded into again and again: each load takes the new size and content
    for (const auto& [what, file, expected] : decodable) {
        ASSERT_EQ(loadBitmap(folder.write("in.bmp", file.bytes()), reused), ok) << what;
        EXPECT_EQ(std::tuple(reused.width, reused.height, pixelsOf(reused)),
                  std::tuple(file.width, std::abs(file.height), expected))
            << what;
    }

    // Each refusal: the reader's result, what it leaves in an image that held a picture before, and the
    // reason the game gives when its depth map is refused.
    const std::vector<uint8_t> whole =
        BmpFile{.width = 4, .height = 4, .pixels = std::vector<uint8_t>(48)}.bytes();
    std::vector<uint8_t> farOffset = whole, hugeOffset = whole;
    farOffset[11] = 0x10;  // 4150
    hugeOffset[13] = 0x80; // 2^31 and more must not turn into a negative seek that lands inside the file
    // clang-format off
    // The result, and the size left in the image: 0 x 0 when it keeps its earlier picture.
    std::vector<std::tuple<std::string, std::vector<uint8_t>, char, int32_t, int32_t>> refused = {
        {"missing file", {}, cannotOpen, 0, 0},
        {"empty file", {}, notBitmap, 0, 0},
        {"one byte", {'B'}, notBitmap, 0, 0},
        {"magic XM", {'X', 'M'}, notBitmap, 0, 0},
        {"magic BA", {'B', 'A'}, notBitmap, 0, 0},
        {"magic bm", {'b', 'm'}, notBitmap, 0, 0},
        {"bare magic", {'B', 'M'}, readError, 0, 0},
        {"header cut at 30 bytes", {whole.begin(), whole.begin() + 30}, readError, 0, 0},
        {"pixels cut short", {whole.begin(), whole.end() - 8}, readError, 4, 4},
        {"data offset past the end", farOffset, readError, 4, 4},
        {"data offset past 2^31", hugeOffset, readError, 4, 4},
        // Passes the size check and only then runs out of file.
        {"largest size allowed", BmpFile{.width = 22369621, .height = -1}.bytes(), readError, 22369621, 1},
    };
    // Sizes that are empty, have no positive row count, wrap around when multiplied out or pass 64 MiB by one
    // pixel or one row, and compressed files: refused before the image is touched.
    for (const auto& [width, height, compression] : std::vector<std::tuple<int32_t, int32_t, uint32_t>>{
             {0, 4, 0}, {4, 0, 0}, {-4, 4, 0}, {-4, -4, 0}, {INT32_MIN, 1, 0}, {4, INT32_MIN, 0},
             {0x55555556, 1, 0}, {65536, 21846, 0}, {INT32_MAX, INT32_MAX, 0}, {INT32_MAX, -INT32_MAX, 0},
             {22369622, 1, 0}, {4096, 5462, 0}, {2, 1, 1}, {2, 1, 3}, {2, 1, 0x01000000}})
        refused.push_back({"header " + testing::PrintToString(std::tuple(width, height, compression)),
                           BmpFile{.width = width, .height = height, .compression = compression}.bytes(),
                           compression ? unsupported : badSize, 0, 0});
    // A depth it cannot decode still leaves a zeroed picture of the header's size.
    for (const uint16_t bits : {16, 32, 0, 2})
        refused.push_back({std::to_string(bits) + " bits",
                           BmpFile{.width = 3, .height = -2, .bits = bits}.bytes(), unsupported, 3, 2});
    // The pixels point back into the palette, so only the palette read itself can notice the cut.
    for (const uint16_t bits : {8, 4, 1})
        refused.push_back({std::to_string(bits) + "-bit palette cut short",
                           BmpFile{.bits = bits, .palette = std::vector<uint8_t>((4 << bits) - 1),
                                   .dataOffset = 54}.bytes(), readError, 1, 1});
    const std::map<char, std::string> reasons{
        {cannotOpen, "cannot be opened"}, {notBitmap, "is not a BMP file"},
        {readError, "is shorter than its header says"}, {unsupported, "has an unsupported format"},
        {badSize, "is "}};
    // clang-format on
    BitmapImage scratch;
    for (const auto& [what, bytes, result, width, height] : refused) {
        const std::string path = result == cannotOpen ? folder.file("no.bmp") : folder.write("in.bmp", bytes);
        BitmapImage image{2, 1, std::make_unique<uint8_t[]>(6)};
        std::memset(image.pixels.get(), 0xA5, 6);
        const uint8_t* earlier = image.pixels.get();
        EXPECT_EQ(loadBitmap(path, image), result) << what;
        // A picture kept is the same buffer untouched; one replaced has the header's size.
        const bool kept = width == 0;
        EXPECT_EQ(std::tuple(image.width, image.height, image.pixels.get() == earlier),
                  std::tuple(kept ? 2 : width, kept ? 1 : height, kept))
            << what;
        // Under the address sanitizer fresh heap memory is filled with a marker, so this sees missing
        // zeroing.
        if (kept || result == unsupported) {
            EXPECT_EQ(pixelsOf(image), std::vector<uint8_t>(kept ? 6 : 18, kept ? 0xA5 : 0)) << what;
        }
        const std::string reason = readDepthMap(path, scratch).problem;
        EXPECT_EQ(reason.rfind(reasons.at(result), 0), 0u) << what << ": " << reason;
    }
    // A picture that reads well but cannot fill the valley is refused with its size.
    const std::string small = folder.write(
        "small.bmp", BmpFile{.width = 4, .height = 2, .pixels = std::vector<uint8_t>(24)}.bytes());
    EXPECT_EQ(readDepthMap(small, scratch).problem, "is 4 x 2 pixels; the valley needs 1024 x 512");
    // So is one the reader refuses for its size, with the size its header gives; a top-down one is read.
    for (const auto& [width, height, size] : {std::tuple{0, 512, "0 x 512"},
                                              {1024, 0, "1024 x 0"},
                                              {1000000, -512, "1000000 x 512"},
                                              {-1024, 512, "-1024 x 512"}}) {
        const std::string path = folder.write("size.bmp", BmpFile{.width = width, .height = height}.bytes());
        EXPECT_EQ(readDepthMap(path, scratch).problem,
                  "is " + std::string(size) + " pixels; the valley needs 1024 x 512");
    }
    const std::string topDown = folder.write(
        "top.bmp",
        BmpFile{.width = 1024, .height = -512, .pixels = std::vector<uint8_t>(1024 * 512 * 3)}.bytes());
    EXPECT_TRUE(readDepthMap(topDown, scratch).ok);
}

TEST(Terrain, PointsTakeTheRedSampleTilesDrawEachCellOnceAndTheirBoundsHoldTheirPointsTightly) {
    TerrainGrid terrainGrid;
    ASSERT_TRUE(
        fillTerrainGrid(terrainGrid, depthMap(1024, 520), 20.0f)); // rows past the grid are never read
    // Maps that cannot fill the grid change nothing.
    for (const auto& [width, height] : {std::pair{1024, 511}, {512, 1024}, {1023, 512}, {1025, 512}, {0, 0}})
        EXPECT_FALSE(fillTerrainGrid(terrainGrid, depthMap(width, height), 7.0f)) << width << " x " << height;
    EXPECT_FALSE(fillTerrainGrid(terrainGrid, BitmapImage{1024, 512, nullptr}, 7.0f));
    for (int k = 0; k < kGridColumns * kGridRows; ++k) {
        const int i = k / kGridRows, j = k % kGridRows;
        const TerrainVertex& p = terrainGrid[i][j];
        ASSERT_TRUE(p.x == 4 * i && p.z == -4 * j && p.y == red(i, j) - 128 && p.water == 20)
            << i << "," << j;
    }
    // The floor is 511 strips (rows 0..510) over vertex columns 0..1022.
    std::vector<int> drawn(1022 * 511, 0);
    for (int tile = 0; tile < kTileCount; ++tile) {
        const TileSpan s = tileSpan(tile);
        float low = 1e9f, high = -1e9f;
        for (int row = s.firstRow; row < s.endRow; ++row)
            for (int column = s.firstColumn; column <= s.lastColumn; ++column) {
                drawn.at(static_cast<size_t>(row * 1022 + std::min(column, 1021))) += column < s.lastColumn;
                for (const TerrainVertex& p : {terrainGrid[column][row], terrainGrid[column][row + 1]})
                    std::tie(low, high) = std::pair(std::min(low, p.y), std::max(high, p.y));
            }
        const Box b = tileBounds(terrainGrid, tile);
        ASSERT_TRUE(b.min.x == 4 * s.firstColumn && b.max.x == 4 * s.lastColumn && b.min.z == -4 * s.endRow &&
                    b.max.z == -4 * s.firstRow && b.min.y == low && b.max.y == high)
            << "tile " << tile;
    }
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 1), 1022 * 511);
}

TEST(Water, TheWindowHoldsTheDrawableCellsWithinFortyOfThePointUnderTheSubmarine) {
    // The point under a position is truncated toward zero; the sweeps pass (-2, 2), which stays on point 0.
    // Drawable cells have a point to their right and above: columns 0..1021, rows 0..509.
    const auto empty = [](auto w) { return w.firstColumn >= w.endColumn || w.firstRow >= w.endRow; };
    for (double x = -2.0 - 5 * 61.7; x < 4500; x += 61.7)
        for (double z = 2.0 + 5 * 45.3; z > -2300; z -= 45.3) {
            const int c = static_cast<int>(std::trunc(x / 4)), r = static_cast<int>(std::trunc(-z / 4));
            const auto cell = gridCellAt(x, z);
            const bool onGrid = c >= 0 && c < 1024 && r >= 0 && r < 512;
            ASSERT_EQ(cell ? std::pair(cell->column, cell->row) : std::pair(-1, -1),
                      onGrid ? std::pair(c, r) : std::pair(-1, -1))
                << x << ", " << z;
            const WaterWindow w = waterWindow(x, z);
            const std::array want{std::max(c - 40, 0), std::min(c + 40, 1022), std::max(r - 40, 0),
                                  std::min(r + 40, 510)};
            const std::array got{w.firstColumn, w.endColumn, w.firstRow, w.endRow};
            ASSERT_TRUE(want[0] < want[1] && want[2] < want[3] ? got == want : empty(w))
                << x << ", " << z << ": " << got[0] << ".." << got[1] << " x " << got[2] << ".." << got[3];
        }
    // Nor does a position far out or no number draw anything, or overflow.
    for (const auto& [x, z] : {std::pair{1e300, -1e300}, {-1e300, 1e300}, {std::nan(""), std::nan("")}})
        EXPECT_TRUE(empty(waterWindow(x, z))) << x << ", " << z;
}

TEST(Water, EachPointRipplesWithItsOwnCellOddOnesThreePhasesLaterAndOnlyADipReseedsTheGenerator) {
    // Cells 0..5 x 0..5 in the grid's corner, two rounds of the eight phases, the level sinking twice.
    // Point (i, j) moves with cell (i - 1, j), the first column's points with the cell below them, (0, 0)
    // and everything outside the patch not at all.
    GameState state;
    TerrainGrid terrainGrid;
    double model[8][8];
    for (int i = 0; i < 64; ++i)
        model[i / 8][i % 8] = terrainGrid[i / 8][i % 8].water = 20.0f;
    int afterDip[8] = {};
    const int plain[2] = {(std::srand(1), std::rand()), (std::srand(2), std::rand())};
    for (int frame = 0; frame < 16; ++frame) {
        ASSERT_EQ(state.wavePhase, frame % 8);
        std::srand(1 + frame / 8);
        WaterReseed reseed;
        for (int cell = 0; cell < 36; ++cell)
            waveStep(state, terrainGrid, cell / 6, cell % 6, reseed);
        plantReseed(reseed);
        // Even cells dip in phase 0, odd ones in phase 3: the generator then goes on from the last dip's
        // seed, whatever it held before. Other phases leave it alone.
        const int drawn = std::rand();
        afterDip[frame % 8] = frame < 8 ? drawn : afterDip[frame % 8];
        ASSERT_EQ(drawn, frame % 8 == 0 || frame % 8 == 3 ? afterDip[frame % 8] : plain[frame / 8])
            << "frame " << frame;
        const double level = state.waterLevel;
        for (int i = 0; i < 64; ++i) {
            const int cellColumn = i >= 8 ? i / 8 - 1 : 0, cellRow = i >= 8 ? i % 8 : i % 8 - 1;
            const int step = (frame + 8 - 3 * ((cellColumn + cellRow) % 2)) % 8;
            double& h = model[i / 8][i % 8];
            if (cellColumn <= 5 && cellRow >= 0 && cellRow <= 5 && step % 2 == 0)
                h = step == 0 ? level - 0.2 : step == 6 ? level : level + (step == 2 ? 3 : 1.5) * (h - level);
            ASSERT_NEAR(terrainGrid[i / 8][i % 8].water, h, 1e-4) << "frame " << frame << ", point " << i;
        }
        state.wavePhase = nextWavePhase(state.wavePhase);
        if (frame % 6 == 5)
            lowerWater(state);
        ASSERT_EQ(state.waterLevel, 20.0f - 0.5f * static_cast<float>((frame + 1) / 6));
    }
}

TEST(Caustics, FramesRunThroughEveryTextureAndBackToTheFirstAndPlanesScaleWithTheCausticScale) {
    for (int k = 0; k < 2 * kCausticFrames; ++k)
        ASSERT_EQ(nextCausticFrame(k % kCausticFrames), (k + 1) % kCausticFrames) << k;
    EXPECT_EQ(causticPlanes(2.0f).s, (std::array<float, 4>{0.1f, 0.06f, 0.0f, 0.0f}));
    EXPECT_EQ(causticPlanes(2.0f).t, (std::array<float, 4>{0.0f, 0.06f, 0.1f, 0.0f}));
    // Before world initialisation the scale is 0 and the pattern one texel.
    EXPECT_EQ(causticPlanes(0.0f).s, (std::array<float, 4>{}));
}

TEST(TextureFiles, UnusableFilesBecomeAGreyStandInOfTheFixedSizeWithOneLineAndNoDescriptorIsLeft) {
    const auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto descriptorsBefore = openDescriptors();
    const TempFolder folder("tex");
    std::vector<uint8_t> stored(16 * 8 * 3); // bottom row first
    std::iota(stored.begin(), stored.end(), 0);
    folder.write("good.bmp", BmpFile{.width = 16, .height = 8, .pixels = stored}.bytes());
    folder.write("junk.bmp", {'B', 'M', ' ', 'b', 'u', 't'});
    const TexturePixels read = readTexturePixels(folder.file("good.bmp"), 16, 8);
    ASSERT_TRUE(!read.placeholder && read.bytes.size() == stored.size());
    EXPECT_TRUE(std::equal(stored.end() - 48, stored.end(), read.bytes.begin()))
        << "not top row first as stored";
    // Missing, undecodable, or not of the size asked for, across or down.
    for (const auto& [name, width, height] :
         {std::tuple{"missing.bmp", 16, 8}, {"junk.bmp", 16, 8}, {"good.bmp", 8, 8}, {"good.bmp", 16, 4}}) {
        testing::internal::CaptureStderr();
        const TexturePixels standIn = readTexturePixels(folder.file(name), width, height);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(standIn.placeholder) << name;
        EXPECT_EQ(standIn.bytes, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, 128)) << name;
        EXPECT_TRUE(said.find(name) != std::string::npos && std::count(said.begin(), said.end(), '\n') == 1)
            << said;
    }
    EXPECT_EQ(openDescriptors(), descriptorsBefore) << "reading pictures leaves descriptors open";
}

// A grey mask folds with the colours over it into one premultiplied picture; the parts of a picture that
// change the scene are found in boxes that hold every texel linear filtering can reach from a lit one.
TEST(HudFolding, GreyMasksFoldIntoPremultipliedPicturesAndLitBoxesHoldEveryReachableLitTexel) {
    const TexturePixels mask{{0, 0, 0, 255, 255, 255, 40, 40, 40}}, tinted{{0, 0, 0, 9, 0, 0, 40, 40, 40}};
    const TexturePixels bar{{200, 10, 1, 100, 100, 100, 0, 0, 0}}, frame{{100, 20, 90, 0, 0, 0, 5, 6, 7}};
    EXPECT_EQ(maskAlpha({mask, true}), (std::vector<uint8_t>{255, 0, 215}));
    EXPECT_TRUE(maskAlpha({tinted, true}).empty()) << "a mask that tints has no single alpha";
    const UploadedPixels colours[] = {{bar, false}, {frame, true}}; // the bar's file has blue first
    EXPECT_EQ(foldMask({mask, true}, colours),
              (std::vector<uint8_t>{101, 30, 255, 255, 100, 100, 100, 0, 5, 6, 7, 215}));
    EXPECT_TRUE(foldMask({tinted, true}, colours).empty());
    const TexturePixels shorter{{1, 2, 3}};
    EXPECT_TRUE(foldMask({mask, true}, std::vector<UploadedPixels>{{shorter, true}}).empty());

    std::mt19937 generator(7);
    for (int round = 0; round < 50; ++round) {
        constexpr int kWidth = 24, kHeight = 16, kCell = 4;
        std::vector<uint8_t> texels(2 * kWidth * kHeight, 0);
        for (int lit = static_cast<int>(generator() % 4); lit > 0; --lit)
            texels[generator() % texels.size()] = static_cast<uint8_t>(1 + generator() % 255);
        const auto boxes = litBoxes(texels, 2, kWidth, kHeight, kCell);
        const auto inBox = [&](int x, int y) {
            return std::ranges::any_of(
                boxes, [&](const auto& b) { return x >= b[0] && y >= b[1] && x < b[2] && y < b[3]; });
        };
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                bool reached = false; // a lit texel next to it, across the edges too
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const size_t at =
                            2 * (((y + dy + kHeight) % kHeight) * kWidth + (x + dx + kWidth) % kWidth);
                        reached = reached || texels[at] != 0 || texels[at + 1] != 0;
                    }
                ASSERT_TRUE(!reached || inBox(x, y)) << x << "," << y << " round " << round;
            }
        // Only cells within a texel of light are filled.
        int cellsNearLight = 0;
        for (int cy = 0; cy < kHeight; cy += kCell)
            for (int cx = 0; cx < kWidth; cx += kCell) {
                bool near = false;
                for (int y = cy - 1; y <= cy + kCell; ++y)
                    for (int x = cx - 1; x <= cx + kCell; ++x) {
                        const size_t at = 2 * (((y + kHeight) % kHeight) * kWidth + (x + kWidth) % kWidth);
                        near = near || texels[at] != 0 || texels[at + 1] != 0;
                    }
                cellsNearLight += near;
                EXPECT_EQ(inBox(cx, cy), near) << cx << "," << cy;
            }
        const int filled = std::accumulate(boxes.begin(), boxes.end(), 0, [](int sum, const auto& b) {
            return sum + (b[2] - b[0]) * (b[3] - b[1]);
        });
        EXPECT_EQ(filled, cellsNearLight * kCell * kCell) << "boxes overlap or hold unlit cells";
    }
}
