// The generated data files: every file the texture table and the sound list name, in the size and format
// the game reads, nothing else, and the same bytes on every run of the generator.

#include "core/Sounds.h"
#include "core/TextureTable.h"

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

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Little-endian field of `size` bytes.
uint32_t field(const std::vector<uint8_t>& b, size_t at, int size) {
    uint32_t v = 0;
    for (int k = size - 1; k >= 0; --k)
        v = v << 8 | b[at + static_cast<size_t>(k)];
    return v;
}

std::string text(const std::vector<uint8_t>& b, size_t at, size_t length) {
    return {b.begin() + static_cast<ptrdiff_t>(at), b.begin() + static_cast<ptrdiff_t>(at + length)};
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
            EXPECT_EQ(text(b, 0, 2), "BM");
            EXPECT_EQ(field(b, 18, 4), static_cast<uint32_t>(entry.width));
            EXPECT_EQ(field(b, 22, 4), static_cast<uint32_t>(entry.height))
                << "rows must be stored bottom-up";
            EXPECT_EQ(field(b, 28, 2), 24u) << "24 bits per pixel";
            EXPECT_EQ(field(b, 30, 4), 0u) << "uncompressed";
            const size_t rowBytes = (static_cast<size_t>(entry.width) * 3 + 3) / 4 * 4;
            EXPECT_EQ(b.size(), field(b, 10, 4) + rowBytes * static_cast<size_t>(entry.height));
            EXPECT_EQ(cv::imread(path.string(), cv::IMREAD_COLOR).size(), cv::Size(entry.width, entry.height))
                << "the game's image library reads it otherwise";
        }
    // The left sky face is loaded twice; the ü of Mensch_grün is the one Latin-1 byte the table spells.
    EXPECT_EQ(entries, 80u);
    EXPECT_EQ(names.size(), 80u) << "79 distinct pictures and the depth map";
    names.insert("Mensch_gr\xC3\xBCn.bmp"); // the UTF-8 spelling the package carries
    EXPECT_EQ(filesIn("Texturen"), names);
    EXPECT_EQ(filesIn("Sounds"), std::set<std::string>(kSoundFiles.begin(), kSoundFiles.end()));
}

TEST(AssetFiles, SoundsArePlainMonoPcmWave) {
    for (const char* name : kSoundFiles) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> b = readFile(fs::path("Sounds") / name);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(text(b, 0, 4) + text(b, 8, 8) + text(b, 36, 4), "RIFFWAVEfmt data");
        EXPECT_EQ(field(b, 4, 4), b.size() - 8);
        EXPECT_EQ(field(b, 16, 4), 16u) << "format chunk size";
        EXPECT_EQ(field(b, 20, 2), 1u) << "PCM";
        EXPECT_EQ(field(b, 22, 2), 1u) << "mono";
        EXPECT_EQ(field(b, 24, 4), 22050u);
        EXPECT_EQ(field(b, 28, 4), 44100u) << "byte rate";
        EXPECT_EQ(field(b, 32, 2), 2u) << "block align";
        EXPECT_EQ(field(b, 34, 2), 16u);
        EXPECT_EQ(field(b, 40, 4), b.size() - 44);
    }
}

TEST(AssetFiles, TwoRunsWriteIdenticalBytes) {
    const fs::path again = fs::temp_directory_path() / ("zarnowell_assets_" + std::to_string(::getpid()));
    fs::remove_all(again);
    ASSERT_EQ(std::system(("tools/assetgen '" + again.string() + "'").c_str()), 0);
    for (const char* folder : {"Texturen", "Sounds"}) {
        const std::set<std::string> names = filesIn(folder);
        EXPECT_EQ(filesIn(again / folder), names);
        for (const std::string& name : names)
            EXPECT_TRUE(readFile(fs::path(folder) / name) == readFile(again / folder / name)) << name;
    }
    fs::remove_all(again);
}
