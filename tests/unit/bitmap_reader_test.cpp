#include "support/Bitmaps.h"
#include "support/TempFolder.h"
#include "world/BitmapReader.h"
#include "world/DepthMap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

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

BmpFile rgbBmp(int32_t width, int32_t height, std::vector<uint8_t> pixels = {1, 2, 3, 4, 5, 6}) {
    return {.width = width, .height = height, .pixels = std::move(pixels)};
}

std::vector<uint8_t> pixelsOf(const BitmapImage& image) {
    return {image.pixels.get(), image.pixels.get() + static_cast<size_t>(image.width) * image.height * 3};
}

} // namespace

TEST(BitmapReader, DecodesEveryDepthIntoRedGreenBlueWithTheBottomRowFirst) {
    const TempFolder folder("bitmap");
    BmpFile gap = rgbBmp(2, 1);
    gap.dataOffset = 70;
    const struct {
        const char* what;
        BmpFile file;
        std::vector<uint8_t> expected;
    } cases[] = {
        {"24 bits stored blue, green, red", rgbBmp(2, 1), {3, 2, 1, 6, 5, 4}},
        {"8 bits", palettedBmp(8, 3, 2, {5, 0, 255, 5, 17, 5}), colours({5, 0, 255, 5, 17, 5})},
        {"24 bits behind junk up to the data offset", gap, {3, 2, 1, 6, 5, 4}},
        {"bottom-up", rgbBmp(1, 3, {1, 1, 1, 2, 2, 2, 3, 3, 3}), {1, 1, 1, 2, 2, 2, 3, 3, 3}},
        {"top-down", rgbBmp(1, -3, {1, 1, 1, 2, 2, 2, 3, 3, 3}), {3, 3, 3, 2, 2, 2, 1, 1, 1}},
        {"4 bits, high nibble first", palettedBmp(4, 2, 1, {0x3A}), colours({3, 10})},
        // A reader that stored the spare low nibble would write past the buffer.
        {"4 bits, odd width", palettedBmp(4, 5, 1, {0x3A, 0x5F, 0x7C}), colours({3, 10, 5, 15, 7})},
        {"4 bits, rows start on a fresh byte", palettedBmp(4, 3, 2, {0x12, 0x3F, 0x45, 0x6F}),
         colours({1, 2, 3, 4, 5, 6})},
        {"4 bits, top-down", palettedBmp(4, 3, -2, {0x12, 0x3F, 0x45, 0x6F}), colours({4, 5, 6, 1, 2, 3})},
        {"1 bit, high bit first", palettedBmp(1, 8, 1, {0x80}), colours({1, 0, 0, 0, 0, 0, 0, 0})},
        // The ninth column needs a byte of its own; the spare bits after it are set.
        {"1 bit, nine columns", palettedBmp(1, 9, 2, {0x01, 0x7F, 0x80, 0xFF}),
         colours({0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1})},
    };
    BitmapImage image; // loaded into again and again: each load takes the new size and content
    for (const auto& c : cases) {
        ASSERT_EQ(loadBitmap(folder.write("in.bmp", c.file.bytes()), image), bitmap_result::ok) << c.what;
        EXPECT_EQ(std::pair(image.width, image.height), std::pair(c.file.width, std::abs(c.file.height)))
            << c.what;
        EXPECT_EQ(pixelsOf(image), c.expected) << c.what;
    }
}

// Each refusal: the reader's result, what it leaves in an image that held a picture before, and the reason
// the game gives when its depth map is refused.
TEST(BitmapReader, RefusesMissingShortMalformedAndUnsupportedFilesAndTheDepthMapSaysWhy) {
    using namespace bitmap_result;
    const TempFolder folder("bitmap-refusals");
    const std::vector<uint8_t> valid = rgbBmp(2, 1).bytes();
    const auto magic = [&](const char* two) {
        std::vector<uint8_t> bytes = valid;
        std::memcpy(bytes.data(), two, 2);
        return bytes;
    };
    const auto header = [](int32_t width, int32_t height, uint32_t compression, uint16_t bits = 24) {
        BmpFile file = rgbBmp(width, height, std::vector<uint8_t>(24, 0x77));
        std::tie(file.compression, file.bits) = std::pair(compression, bits);
        return file.bytes();
    };
    // The pixels point back into the palette, so only the palette read itself can notice the cut.
    const auto cutPalette = [](uint16_t bits) {
        BmpFile file = palettedBmp(bits, 1, 1, {});
        file.palette.pop_back();
        file.dataOffset = 54;
        return file.bytes();
    };
    const std::vector<uint8_t> whole = rgbBmp(4, 4, std::vector<uint8_t>(48, 0x42)).bytes();
    std::vector<uint8_t> farOffset = whole, hugeOffset = whole;
    farOffset[11] = 0x10;  // 4096
    hugeOffset[13] = 0x80; // 2^31 and beyond must not turn into a negative seek that lands inside the file
    constexpr int32_t kKept = 0; // the image still holds its earlier picture
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        char result;
        int32_t width, height;
    } cases[] = {
        {"missing file", {}, cannotOpen, kKept, kKept},
        {"empty file", {}, notBitmap, kKept, kKept},
        {"one byte", {'B'}, notBitmap, kKept, kKept},
        {"magic XM", magic("XM"), notBitmap, kKept, kKept},
        {"magic BA", magic("BA"), notBitmap, kKept, kKept},
        {"magic MB", magic("MB"), notBitmap, kKept, kKept},
        {"magic bm", magic("bm"), notBitmap, kKept, kKept},
        {"bare magic", {'B', 'M'}, readError, kKept, kKept},
        {"header cut at 30 bytes", {valid.begin(), valid.begin() + 30}, readError, kKept, kKept},
        {"zero width", header(0, 4, 0), unsupported, kKept, kKept},
        {"zero height", header(4, 0, 0), unsupported, kKept, kKept},
        {"negative width", header(-4, 4, 0), unsupported, kKept, kKept},
        {"negative width and height", header(-4, -4, 0), unsupported, kKept, kKept},
        {"lowest width", header(INT32_MIN, 1, 0), unsupported, kKept, kKept},
        {"lowest height, which has no positive row count", header(4, INT32_MIN, 0), unsupported, kKept,
         kKept},
        {"times three wraps 32 bits to 2", header(0x55555556, 1, 0), unsupported, kKept, kKept},
        {"wraps 32 bits to 128 KiB", header(65536, 21846, 0), unsupported, kKept, kKept},
        {"overflows a signed 64-bit product", header(INT32_MAX, INT32_MAX, 0), unsupported, kKept, kKept},
        {"overflows 64 bits, top-down", header(INT32_MAX, -INT32_MAX, 0), unsupported, kKept, kKept},
        {"one pixel over 64 MiB", header(22369622, 1, 0), unsupported, kKept, kKept},
        {"one row over 64 MiB", header(4096, 5462, 0), unsupported, kKept, kKept},
        {"run-length 8", header(2, 1, 1), unsupported, kKept, kKept},
        {"bit fields", header(2, 1, 3), unsupported, kKept, kKept},
        {"compression in the top byte only", header(2, 1, 0x01000000), unsupported, kKept, kKept},
        // A depth the reader cannot decode still leaves a zeroed picture of the header's size.
        {"16 bits", header(3, -2, 0, 16), unsupported, 3, 2},
        {"32 bits", header(3, -2, 0, 32), unsupported, 3, 2},
        {"0 bits", header(3, -2, 0, 0), unsupported, 3, 2},
        {"2 bits", header(3, -2, 0, 2), unsupported, 3, 2},
        {"pixels cut short", {whole.begin(), whole.end() - 8}, readError, 4, 4},
        {"data offset past the end", farOffset, readError, 4, 4},
        {"data offset past 2^31", hugeOffset, readError, 4, 4},
        // Passes the size check and only then runs out of file.
        {"largest picture under the limit", rgbBmp(22369621, -1, {}).bytes(), readError, 22369621, 1},
        {"8-bit palette cut short", cutPalette(8), readError, 1, 1},
        {"4-bit palette cut short", cutPalette(4), readError, 1, 1},
        {"1-bit palette cut short", cutPalette(1), readError, 1, 1},
    };
    const std::map<char, std::string> reasons = {{cannotOpen, "cannot be opened"},
                                                 {notBitmap, "is not a BMP file"},
                                                 {unsupported, "has an unsupported format"},
                                                 {readError, "is shorter than its header says"}};
    const std::vector<uint8_t> earlier = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
    BitmapImage scratch;
    for (const auto& c : cases) {
        const std::string path =
            c.result == cannotOpen ? folder.file("absent.bmp") : folder.write("in.bmp", c.bytes);
        BitmapImage image{2, 1, std::make_unique<uint8_t[]>(6)};
        std::memcpy(image.pixels.get(), earlier.data(), 6);
        const uint8_t* buffer = image.pixels.get();
        EXPECT_EQ(loadBitmap(path, image), c.result) << c.what;
        const bool kept = c.width == kKept;
        ASSERT_EQ(std::pair(image.width, image.height), kept ? std::pair(2, 1) : std::pair(c.width, c.height))
            << c.what;
        if (kept)
            EXPECT_TRUE(image.pixels.get() == buffer && pixelsOf(image) == earlier) << c.what;
        // Under the address sanitizer fresh heap memory is filled with a marker, so this sees missing
        // zeroing.
        if (c.result == unsupported && c.width != kKept)
            EXPECT_EQ(pixelsOf(image), std::vector<uint8_t>(18, 0)) << c.what;
        const DepthMapResult said = readDepthMap(path, scratch);
        EXPECT_FALSE(said.ok) << c.what;
        EXPECT_NE(said.problem.find(reasons.at(c.result)), std::string::npos)
            << c.what << ": " << said.problem;
    }
    // A picture that reads well but cannot fill the valley is refused with its size.
    const DepthMapResult small = readDepthMap(folder.write("small.bmp", header(4, 2, 0)), scratch);
    EXPECT_EQ(small.problem, "is 4 x 2 pixels; the valley needs 1024 x 512");
}
