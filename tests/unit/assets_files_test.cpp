// The generated data files: every name the game loads, in the size and format it expects, and the same
// bytes on every run of the generator.
#include "world/BitmapReader.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Expected {
    std::string name;
    int width, height;
};

// The loading tables, written out again here on purpose: the generator's own list must agree with them.
std::vector<Expected> expectedTextures() {
    std::vector<Expected> files = {
        {"valleyTex.bmp", 1024, 512},   {"wasser.bmp", 128, 128},
        {"sky_oben.bmp", 512, 512},     {"sky_links.bmp", 512, 512},
        {"sky_rechts.bmp", 512, 512},   {"sky_vorne.bmp", 512, 512},
        {"sky_hinten.bmp", 512, 512},   {"sky_unten.bmp", 512, 512},
        {"luftblase1.bmp", 64, 64},     {"chtiles.bmp", 64, 64},
        {"SOS0.bmp", 128, 64},          {"SOS1.bmp", 128, 64},
        {"SOS2.bmp", 128, 64},          {"SOS3.bmp", 128, 64},
        {"hausfassade1.bmp", 256, 256}, {"hausfassade2.bmp", 256, 256},
        {"hausfassade3.bmp", 256, 256}, {"hausfassade4.bmp", 256, 96},
        {"hausfassade5.bmp", 128, 256}, {"hausfassade6.bmp", 256, 256},
        {"muzzle1.bmp", 256, 256},      {"floor_bw.bmp", 256, 256},
        {"leiste2.bmp", 64, 512},       {"leiste2_mask.bmp", 64, 512},
        {"minigun_temp.bmp", 64, 512},  {"leiste.bmp", 512, 64},
        {"leiste_mask.bmp", 512, 64},   {"health_mask.bmp", 512, 64},
        {"crosshair1.bmp", 512, 512},   {"crosshair1_mask.bmp", 512, 512},
        {"Mensch_rot.bmp", 128, 256},   {"Mensch_gr\xFCn.bmp", 128, 256},
        {"Mensch_beam.bmp", 128, 256},  {"valleyDepth_radar2.bmp", 1024, 512},
        {"Zeiger.bmp", 64, 32},         {"valleyDepth_radar2_mask.bmp", 1024, 512},
    };
    for (int i = 1; i <= 11; ++i)
        files.push_back({"health" + std::to_string(i) + ".bmp", 512, 64});
    for (int i = 0; i < 32; ++i)
        files.push_back({"caust" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".bmp", 256, 256});
    return files;
}

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

} // namespace

TEST(AssetFiles, EveryTextureHasItsNameSizeAndFormat) {
    const std::vector<Expected> expected = expectedTextures();
    ASSERT_EQ(expected.size(), 79u);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const fs::path path = fs::path("Texturen") / e.name;
        const std::vector<uint8_t> bytes = readFile(path);
        ASSERT_GE(bytes.size(), 54u) << "missing or truncated";
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(static_cast<int32_t>(le32(bytes, 18)), e.width);
        EXPECT_EQ(static_cast<int32_t>(le32(bytes, 22)), e.height) << "rows must be stored bottom-up";
        EXPECT_EQ(bytes[28], 24) << "24 bits per pixel";
        EXPECT_EQ(le32(bytes, 30), 0u) << "uncompressed";
        EXPECT_EQ(bytes.size(), le32(bytes, 10) + static_cast<size_t>(e.width) * e.height * 3);

        const cv::Mat image = cv::imread(path.string(), cv::IMREAD_COLOR);
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(image.cols, e.width);
        EXPECT_EQ(image.rows, e.height);
        EXPECT_EQ(image.type(), CV_8UC3);
    }
}

TEST(AssetFiles, TextureFolderHoldsExactlyTheGamesFiles) {
    std::set<std::string> wanted{"valleyDepth.bmp"};
    for (const Expected& e : expectedTextures())
        wanted.insert(e.name);
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator("Texturen"))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, wanted);
    // The person icon's ü is one Latin-1 byte; the UTF-8 spelling would name a file the game never opens.
    EXPECT_FALSE(fs::exists("Texturen/Mensch_gr\xC3\xBCn.bmp"));
}

TEST(AssetFiles, DepthMapIsGreyAndReadableByTheGame) {
    BitmapImage depth;
    ASSERT_EQ(loadBitmap("Texturen/valleyDepth.bmp", depth), bitmap_result::ok);
    EXPECT_EQ(depth.width, 1024);
    EXPECT_EQ(depth.height, 512);
    for (int i = 0; i < depth.width * depth.height; ++i) {
        const uint8_t* p = depth.pixels.get() + i * 3;
        ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "pixel " << i << " is not grey";
    }
    const cv::Mat viaImageLibrary = cv::imread("Texturen/valleyDepth.bmp", cv::IMREAD_COLOR);
    ASSERT_EQ(viaImageLibrary.rows, 512);
    // Both readers agree on orientation: the first stored row is the bottom one.
    EXPECT_EQ(viaImageLibrary.at<cv::Vec3b>(511, 300)[2], depth.pixels[300 * 3]);
    EXPECT_EQ(viaImageLibrary.at<cv::Vec3b>(0, 700)[2], depth.pixels[(511 * 1024 + 700) * 3]);
}

TEST(AssetFiles, TwoRunsWriteIdenticalBytes) {
    const fs::path again = fs::temp_directory_path() / ("zarnowell_assets_" + std::to_string(::getpid()));
    fs::remove_all(again);
    ASSERT_EQ(std::system(("tools/assetgen '" + again.string() + "'").c_str()), 0);
    size_t compared = 0;
    for (const char* folder : {"Texturen", "Sounds"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(folder))) {
            const fs::path twin = again / folder / entry.path().filename();
            SCOPED_TRACE(twin.string());
            ASSERT_TRUE(fs::exists(twin));
            EXPECT_TRUE(readFile(entry.path()) == readFile(twin)) << "bytes differ";
            ++compared;
        }
    }
    EXPECT_EQ(compared, 85u);
    fs::remove_all(again);
}
