// The generated data files: every file the texture table and the sound list name, in the size and format the
// game reads, nothing else, the same bytes on every run, and a valley the game can be played in.
#include "core/Sounds.h"
#include "core/TextureTable.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"
#include "world/BitmapReader.h"
#include "world/DepthMap.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Little-endian field of `size` bytes.
uint32_t field(const std::vector<uint8_t>& b, size_t at, int size) {
    uint32_t v = 0;
    for (int k = size - 1; k >= 0; --k)
        v = v << 8 | b.at(at + static_cast<size_t>(k));
    return v;
}

std::string text(const std::vector<uint8_t>& b, size_t at, size_t length) {
    return {b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + length)};
}

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(AssetFiles, EveryTableEntryIsAPlainBmpOfItsSizeAndNothingElseIsWritten) {
    std::set<std::string> names{"valleyDepth.bmp"};
    size_t entries = 0;
    for (TextureGroup group : kTextureGroups)
        for (const TextureFile& entry : textureFiles(group)) {
            SCOPED_TRACE(entry.name);
            ++entries;
            names.insert(entry.name);
            const fs::path path = fs::path("Texturen") / entry.name;
            const std::vector<uint8_t> b = readFile(path);
            ASSERT_GE(b.size(), 54u) << "missing or truncated";
            const size_t rowBytes = (static_cast<size_t>(entry.width) * 3 + 3) / 4 * 4;
            // Bottom-up rows (a positive height), 24 bits per pixel, uncompressed, nothing after the pixels.
            EXPECT_EQ(std::tuple(text(b, 0, 2), field(b, 18, 4), field(b, 22, 4), field(b, 28, 2),
                                 field(b, 30, 4),
                                 field(b, 10, 4) + rowBytes * static_cast<size_t>(entry.height)),
                      std::tuple("BM", static_cast<uint32_t>(entry.width),
                                 static_cast<uint32_t>(entry.height), 24u, 0u, b.size()));
            EXPECT_EQ(cv::imread(path.string(), cv::IMREAD_COLOR).size(), cv::Size(entry.width, entry.height))
                << "the game's image library reads it otherwise";
        }
    // The left sky face is loaded twice; the ü of Mensch_grün is the one Latin-1 byte the table spells.
    EXPECT_EQ(entries, 80u);
    EXPECT_EQ(filesIn("Texturen"), names) << "79 distinct pictures and the depth map";
    EXPECT_EQ(filesIn("Sounds"), std::set<std::string>(kSoundFiles.begin(), kSoundFiles.end()));
    for (const char* name : kSoundFiles) {
        const std::vector<uint8_t> b = readFile(fs::path("Sounds") / name);
        ASSERT_GE(b.size(), 44u) << name;
        EXPECT_EQ(text(b, 0, 4) + text(b, 8, 8) + text(b, 36, 4), "RIFFWAVEfmt data") << name;
        // Sizes, format chunk size, PCM, mono, 22050 Hz, byte rate, block align, 16 bits: the device's own
        // format.
        EXPECT_EQ(
            std::vector({field(b, 4, 4), field(b, 40, 4), field(b, 16, 4), field(b, 20, 2), field(b, 22, 2),
                         field(b, 24, 4), field(b, 28, 4), field(b, 32, 2), field(b, 34, 2)}),
            std::vector<uint32_t>({static_cast<uint32_t>(b.size() - 8), static_cast<uint32_t>(b.size() - 44),
                                   16, 1, 1, 22050, 44100, 2, 16}))
            << name;
    }
}

TEST(AssetFiles, TwoRunsWriteIdenticalBytes) {
    const fs::path again = fs::temp_directory_path() / ("zarnowell-assets-" + std::to_string(getpid()));
    fs::remove_all(again);
    ASSERT_EQ(std::system(("tools/assetgen '" + again.string() + "'").c_str()), 0);
    for (const char* folder : {"Texturen", "Sounds"}) {
        EXPECT_EQ(filesIn(again / folder), filesIn(folder));
        for (const std::string& name : filesIn(folder))
            EXPECT_TRUE(readFile(fs::path(folder) / name) == readFile(again / folder / name)) << name;
    }
    fs::remove_all(again);
}

// The relief as the game builds its terrain from the depth map.
class Relief : public ::testing::Test {
protected:
    void SetUp() override {
        BitmapImage image;
        const DepthMapResult read = readDepthMap(kDepthMapPath, image);
        ASSERT_TRUE(read.ok) << read.problem;
        ASSERT_TRUE(fillTerrainGrid(image, 20.0f));
    }
    static double ground(int column, int row) { return terrainGrid[column][row].y; }
    // Lowest and highest ground at the grid points within `steps` of a world position.
    static std::pair<double, double> groundAround(const Vec3d& at, double steps) {
        double low = 1000, high = -1000;
        for (int j = static_cast<int>(std::ceil(-at.z / 4 - steps)); j <= -at.z / 4 + steps; ++j)
            for (int i = static_cast<int>(std::ceil(at.x / 4 - steps)); i <= at.x / 4 + steps; ++i)
                std::tie(low, high) = std::pair(std::min(low, ground(i, j)), std::max(high, ground(i, j)));
        return {low, high};
    }
    static constexpr Vec3d kRestart{kRestartPosition[0], kRestartPosition[1], kRestartPosition[2]};
};

TEST_F(Relief, TownsStandOnFlatPadsUnderWaterAndStartPointsFloatClearOfTheGround) {
    for (const TownEntry& town : kTownTable) {
        const GridPlacement& g = town.placement;
        const Vec3d at = placementPosition(g);
        // A town moved off its grid point (Nuernberg, off its ledge) must land on the floor it is moved to.
        const double level = g.dx != 0.0 || g.dz != 0.0 ? at.y : ground(g.column, g.row);
        const auto [low, high] = groundAround(at, 3.0);
        EXPECT_TRUE(high - level <= 1.5 && level - low <= 1.5) << town.name << ": " << low << " to " << high;
        EXPECT_LE(at.y, 0.0) << town.name << " is not 20 under the water";
    }
    for (const GridPlacement& start : kStartPoints) {
        const Vec3d at = placementPosition(start);
        EXPECT_LE(at.y, 17.0) << "a start point above the ceiling";
        EXPECT_GE(at.y - groundAround(at, 2.0).second, 3.0) << "a start point on the ground";
    }
    EXPECT_LE(groundAround(kRestart, 2.0).second, -53) << "the restart is not in open water";
}

TEST_F(Relief, OneValleyBelowSeaLevelJoinsEveryTownAndTheRestartWithinARim) {
    // Flood fill over grid points whose ground lies at 0 or below, from the first town.
    std::vector<char> reached(kGridColumns * kGridRows, 0);
    std::vector<std::pair<int, int>> open{{kTownTable[0].placement.column, kTownTable[0].placement.row}};
    while (!open.empty()) {
        const auto [i, j] = open.back();
        open.pop_back();
        if (i >= 0 && j >= 0 && i < kGridColumns && j < kGridRows && ground(i, j) <= 0 &&
            !std::exchange(reached[static_cast<size_t>(j) * kGridColumns + i], 1))
            open.insert(open.end(), {{i + 1, j}, {i - 1, j}, {i, j + 1}, {i, j - 1}});
    }
    const auto isReached = [&](const Vec3d& at) {
        return reached[static_cast<size_t>(std::lround(-at.z / 4)) * kGridColumns + std::lround(at.x / 4)] !=
               0;
    };
    for (const TownEntry& town : kTownTable)
        EXPECT_TRUE(isReached(placementPosition(town.placement))) << town.name;
    EXPECT_TRUE(isReached(kRestart)) << "restart";
    EXPECT_LT(std::count(reached.begin(), reached.end(), 1), kGridColumns * kGridRows / 2) << "the whole map";
    // The map's rim rises out of the water all round.
    for (int j = 0; j < kGridRows; ++j)
        for (int i = 0; i < kGridColumns; i += (j == 0 || j == kGridRows - 1) ? 1 : kGridColumns - 1)
            ASSERT_GT(ground(i, j), 20.0) << "column " << i << ", row " << j;
}

TEST_F(Relief, SlopesAreSmoothTheLandIsNotTerracedAndSpansDeepFloorToHighGround) {
    long steep = 0, flat = 0, total = 0;
    double steepest = 0, low = 0, high = 0;
    for (int j = 1; j < kGridRows - 1; ++j)
        for (int i = 1; i < kGridColumns - 1; ++i) {
            const double h = ground(i, j);
            const double step = std::max(std::abs(ground(i + 1, j) - h), std::abs(ground(i, j + 1) - h));
            std::tie(steepest, low, high) =
                std::tuple(std::max(steepest, step), std::min(low, h), std::max(high, h));
            steep += step > 6;
            // A terrace is a wide level shelf: the whole 5 x 5 neighbourhood at one height.
            bool level = true;
            for (int k = 0; k < 9 && level; ++k)
                level = ground(std::clamp(i + 2 * (k % 3 - 1), 0, kGridColumns - 1),
                               std::clamp(j + 2 * (k / 3 - 1), 0, kGridRows - 1)) == h;
            flat += level;
            ++total;
        }
    EXPECT_LE(steepest, 12) << "a cliff";
    EXPECT_LT(static_cast<double>(steep) / total, 0.002) << "too many slopes steeper than 56 degrees";
    EXPECT_LT(static_cast<double>(flat) / total, 0.05);
    EXPECT_LT(low, -40);
    EXPECT_GT(high, 50);
}
