// The generated data files: every file the texture table and the sound list name, in the size and format the
// game reads, nothing else, the same bytes on every run, and a valley the game can be played in.
#include "core/Sounds.h"
#include "core/TextureTable.h"
#include "support/TempFolder.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"
#include "world/BitmapReader.h"
#include "world/DepthMap.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <set>
#include <tuple>

namespace fs = std::filesystem;

TEST(AssetFiles, EveryTableEntryIsThereInTheSizeAndFormatTheGameReadsAndNothingElse) {
    std::set<std::string> names{"valleyDepth.bmp",
                                "Mensch_gr\xC3\xBCn.bmp"}; // the UTF-8 copy for the package
    for (TextureGroup group : kTextureGroups)
        for (const TextureFile& entry : textureFiles(group)) {
            names.insert(entry.name);
            const cv::Mat picture = cv::imread("Texturen/" + std::string(entry.name), cv::IMREAD_UNCHANGED);
            EXPECT_EQ(picture.size(), cv::Size(entry.width, entry.height)) << entry.name;
            EXPECT_EQ(picture.type(), CV_8UC3) << entry.name << ": not 24 bits per pixel";
        }
    // Every one of them is there (read here, the depth map by the relief's check) and nothing else; the ü of
    // Mensch_grün is the one Latin-1 byte in the table, and the file's name must spell it the same.
    EXPECT_EQ(std::distance(fs::directory_iterator("Texturen"), {}), static_cast<long>(names.size()));
    EXPECT_EQ(std::distance(fs::directory_iterator("Sounds"), {}), static_cast<long>(kSoundFiles.size()));
    // In the device's own format, the samples filling the file after a 44-byte header: played, they keep
    // their bytes.
    for (const char* name : kSoundFiles) {
        const std::string path = std::string("Sounds/") + name;
        SDL_AudioSpec format{};
        Uint8* samples = nullptr;
        Uint32 length = 0;
        ASSERT_TRUE(SDL_LoadWAV(path.c_str(), &format, &samples, &length)) << path << ": " << SDL_GetError();
        EXPECT_EQ(std::tuple(format.freq, format.format, format.channels, length + 44),
                  std::tuple(22050, AUDIO_S16LSB, 1, fs::file_size(path)))
            << path;
        SDL_FreeWAV(samples);
    }
}

TEST(AssetFiles, TwoRunsWriteIdenticalBytes) {
    const TempFolder again("assets");
    ASSERT_EQ(std::system(("tools/assetgen '" + again.file("") + "'").c_str()), 0);
    for (const std::string folder : {"Texturen", "Sounds"})
        EXPECT_EQ(std::system(("diff -r " + folder + " '" + again.file(folder) + "'").c_str()), 0) << folder;
}

// The relief as the game builds its terrain from the depth map.
TEST(Relief, TownsOnFlatPadsUnderWaterStartPointsClearOfTheGroundAndOneValleyJoiningThemWithinARim) {
    BitmapImage image;
    const DepthMapResult read = readDepthMap(kDepthMapPath, image);
    ASSERT_TRUE(read.ok) << read.problem;
    TerrainGrid terrainGrid;
    ASSERT_TRUE(fillTerrainGrid(terrainGrid, image, 20.0f));
    const auto ground = [&](long column, long row) { return terrainGrid[column][row].y; };
    // Lowest and highest ground at the grid points within `steps` of a world position.
    const auto groundAround = [&](const Vec3d& at, double steps) {
        float low = 1000, high = -1000;
        for (int j = static_cast<int>(std::ceil(-at.z / 4 - steps)); j <= -at.z / 4 + steps; ++j)
            for (int i = static_cast<int>(std::ceil(at.x / 4 - steps)); i <= at.x / 4 + steps; ++i)
                std::tie(low, high) = std::pair(std::min(low, ground(i, j)), std::max(high, ground(i, j)));
        return std::pair(low, high);
    };
    for (const TownEntry& town : kTownTable) {
        const GridPlacement& g = town.placement;
        const Vec3d at = placementPosition(terrainGrid, g);
        // A town moved off its grid point (Nuernberg, off its ledge) must land on the floor it is moved to.
        const double level = g.dx != 0.0 || g.dz != 0.0 ? at.y : ground(g.column, g.row);
        const auto [low, high] = groundAround(at, 3.0);
        EXPECT_TRUE(high - level <= 1.5 && level - low <= 1.5) << town.name << ": " << low << " to " << high;
        EXPECT_LE(at.y, 0.0) << town.name << " is not 20 under the water";
    }
    for (const GridPlacement& start : kStartPoints) {
        const Vec3d at = placementPosition(terrainGrid, start);
        EXPECT_LE(at.y, 17.0) << "a start point above the ceiling";
        EXPECT_GE(at.y - groundAround(at, 2.0).second, 3.0) << "a start point on the ground";
    }
    const Vec3d restart{kRestartPosition[0], kRestartPosition[1], kRestartPosition[2]};
    EXPECT_LE(groundAround(restart, 2.0).second, -53) << "the restart is not in open water";

    // Flood fill over grid points whose ground lies at 0 or below, from the first town.
    std::vector<char> reached(kGridColumns * kGridRows, 0);
    const auto at = [&](long column, long row) -> char& {
        return reached.at(static_cast<size_t>(row * kGridColumns + column));
    };
    std::vector<std::pair<int, int>> open{{kTownTable[0].placement.column, kTownTable[0].placement.row}};
    while (!open.empty()) {
        const auto [i, j] = open.back();
        open.pop_back();
        if (i >= 0 && j >= 0 && i < kGridColumns && j < kGridRows && ground(i, j) <= 0 &&
            !std::exchange(at(i, j), 1))
            open.insert(open.end(), {{i + 1, j}, {i - 1, j}, {i, j + 1}, {i, j - 1}});
    }
    for (const TownEntry& town : kTownTable) {
        const Vec3d p = placementPosition(terrainGrid, town.placement);
        EXPECT_TRUE(at(std::lround(p.x / 4), std::lround(-p.z / 4))) << town.name << " is not in the valley";
    }
    EXPECT_TRUE(at(std::lround(restart.x / 4), std::lround(-restart.z / 4)))
        << "the restart is not in the valley";
    EXPECT_LT(std::count(reached.begin(), reached.end(), 1), kGridColumns * kGridRows / 2) << "the whole map";
    // The map's rim rises out of the water all round.
    for (int j = 0; j < kGridRows; ++j)
        for (int i = 0; i < kGridColumns; i += (j == 0 || j == kGridRows - 1) ? 1 : kGridColumns - 1)
            ASSERT_GT(ground(i, j), 20.0) << "column " << i << ", row " << j;
}
