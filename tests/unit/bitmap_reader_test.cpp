#include "support/Bitmaps.h"
#include "support/TempFolder.h"
#include "world/BitmapReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// What the given distinctPalette entries decode to, worked out from the palette's rule rather than read back
// from its bytes, so a reader that swaps channels cannot agree with it by accident.
std::vector<uint8_t> colours(const std::vector<int>& indices) {
    std::vector<uint8_t> out;
    for (int i : indices)
        out.insert(out.end(),
                   {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(3 * i + 1)});
    return out;
}

BmpFile rgbBmp(int32_t width, int32_t height, std::vector<uint8_t> pixels) {
    return {.width = width, .height = height, .pixels = std::move(pixels)};
}

std::vector<uint8_t> pixelsOf(const BitmapImage& image) {
    if (!image.pixels || image.width <= 0 || image.height <= 0)
        return {};
    const size_t size = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3;
    return {image.pixels.get(), image.pixels.get() + size};
}

const std::vector<uint8_t> kPrevious = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};

// An image that already holds a picture, to see whether a failed load leaves it alone.
BitmapImage previousImage() {
    return decodedImage(2, 1, kPrevious);
}

void expectPreviousImage(const BitmapImage& image, const uint8_t* buffer, const std::string& what) {
    EXPECT_EQ(image.width, 2) << what;
    EXPECT_EQ(image.height, 1) << what;
    EXPECT_EQ(image.pixels.get(), buffer) << what;
    EXPECT_EQ(pixelsOf(image), kPrevious) << what;
}

class BitmapReader : public ::testing::Test {
protected:
    char load(const std::vector<uint8_t>& bytes, BitmapImage& image) {
        return loadBitmap(folder.write("image.bmp", bytes), image);
    }
    char load(const BmpFile& file, BitmapImage& image) { return load(file.bytes(), image); }

    TempFolder folder{"bitmap"};
};

} // namespace

TEST_F(BitmapReader, DecodesEveryDepthIntoRedGreenBlueWithTheBottomRowFirst) {
    struct Case {
        const char* what;
        BmpFile file;
        int32_t height;
        std::vector<uint8_t> expected;
    };
    BmpFile gap = rgbBmp(2, 1, {1, 2, 3, 4, 5, 6});
    gap.dataOffset = 70;
    const Case cases[] = {
        {"24 bits stored blue, green, red", rgbBmp(2, 1, {1, 2, 3, 4, 5, 6}), 1, {3, 2, 1, 6, 5, 4}},
        {"24 bits behind junk up to the data offset", gap, 1, {3, 2, 1, 6, 5, 4}},
        {"bottom-up", rgbBmp(1, 3, {1, 1, 1, 2, 2, 2, 3, 3, 3}), 3, {1, 1, 1, 2, 2, 2, 3, 3, 3}},
        {"top-down", rgbBmp(1, -3, {1, 1, 1, 2, 2, 2, 3, 3, 3}), 3, {3, 3, 3, 2, 2, 2, 1, 1, 1}},
        {"8 bits", palettedBmp(8, 3, 2, {5, 0, 255, 5, 17, 5}), 2, colours({5, 0, 255, 5, 17, 5})},
        {"4 bits, high nibble first", palettedBmp(4, 2, 1, {0x3A}), 1, colours({3, 10})},
        // A reader that stored the spare low nibble would write past the buffer.
        {"4 bits, odd width", palettedBmp(4, 5, 1, {0x3A, 0x5F, 0x7C}), 1, colours({3, 10, 5, 15, 7})},
        {"4 bits, rows start on a fresh byte", palettedBmp(4, 3, 2, {0x12, 0x3F, 0x45, 0x6F}), 2,
         colours({1, 2, 3, 4, 5, 6})},
        {"4 bits, top-down with an odd width", palettedBmp(4, 3, -2, {0x12, 0x3F, 0x45, 0x6F}), 2,
         colours({4, 5, 6, 1, 2, 3})},
        {"1 bit, high bit first", palettedBmp(1, 8, 1, {0x80}), 1, colours({1, 0, 0, 0, 0, 0, 0, 0})},
        // The ninth column needs a byte of its own; the spare bits after it are set.
        {"1 bit, nine columns", palettedBmp(1, 9, 2, {0x01, 0x7F, 0x80, 0xFF}), 2,
         colours({0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1})},
    };
    for (const Case& c : cases) {
        BitmapImage image;
        ASSERT_EQ(load(c.file, image), bitmap_result::ok) << c.what;
        EXPECT_EQ(image.width, c.file.width) << c.what;
        EXPECT_EQ(image.height, c.height) << c.what;
        EXPECT_EQ(pixelsOf(image), c.expected) << c.what;
    }
}

TEST_F(BitmapReader, SecondLoadIntoTheSameImageTakesTheNewSizeAndContent) {
    const BmpFile small = rgbBmp(2, 1, {1, 2, 3, 4, 5, 6});
    const BmpFile large = palettedBmp(8, 4, 3, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12});
    BitmapImage image;
    ASSERT_EQ(load(small, image), bitmap_result::ok);
    ASSERT_EQ(load(large, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(pixelsOf(image), colours({9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12}));
    ASSERT_EQ(load(small, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST_F(BitmapReader, FailuresBeforeTheHeaderIsAcceptedLeaveTheImageAsItWas) {
    BitmapImage image = previousImage();
    const uint8_t* buffer = image.pixels.get();
    EXPECT_EQ(loadBitmap(folder.file("absent.bmp"), image), bitmap_result::cannotOpen);
    expectPreviousImage(image, buffer, "missing file");

    struct Case {
        std::string what;
        std::vector<uint8_t> bytes;
        char result;
    };
    const std::vector<uint8_t> valid = rgbBmp(2, 1, {1, 2, 3, 4, 5, 6}).bytes();
    std::vector<Case> cases = {
        {"empty file", {}, bitmap_result::notBitmap},
        {"one byte", {'B'}, bitmap_result::notBitmap},
        {"bare magic", {'B', 'M'}, bitmap_result::readError},
        {"header cut at 30 bytes", {valid.begin(), valid.begin() + 30}, bitmap_result::readError},
    };
    for (const std::string magic : {"XM", "BA", "MB", "bm"}) {
        std::vector<uint8_t> bytes = valid;
        bytes[0] = static_cast<uint8_t>(magic[0]);
        bytes[1] = static_cast<uint8_t>(magic[1]);
        cases.push_back({"magic " + magic, bytes, bitmap_result::notBitmap});
    }
    const struct {
        int32_t width;
        int32_t height;
        uint32_t compression;
        const char* what;
    } headers[] = {
        {0, 4, 0, "zero width"},
        {4, 0, 0, "zero height"},
        {-4, 4, 0, "negative width"},
        {-4, -4, 0, "negative width and height"},
        {INT32_MIN, 1, 0, "lowest width"},
        {4, INT32_MIN, 0, "lowest height, which has no positive row count"},
        {0x55555556, 1, 0, "times three wraps 32 bits to 2"},
        {65536, 21846, 0, "wraps 32 bits to 128 KiB"},
        {INT32_MAX, INT32_MAX, 0, "overflows a signed 64-bit product"},
        {INT32_MAX, -INT32_MAX, 0, "overflows a signed 64-bit product, top-down"},
        {22369622, 1, 0, "one pixel over 64 MiB"},
        {4096, 5462, 0, "one row over 64 MiB"},
        {2, 1, 1, "run-length 8"},
        {2, 1, 3, "bit fields"},
        {2, 1, 0x01000000, "compression in the top byte only"},
    };
    for (const auto& h : headers) {
        BmpFile file = rgbBmp(h.width, h.height, {1, 2, 3, 4, 5, 6});
        file.compression = h.compression;
        cases.push_back({h.what, file.bytes(), bitmap_result::unsupported});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(load(c.bytes, image), c.result) << c.what;
        expectPreviousImage(image, buffer, c.what);
    }
}

TEST_F(BitmapReader, FilesEndingBeforeTheirDataReportReadErrorWithTheHeaderSize) {
    const std::vector<uint8_t> whole = rgbBmp(4, 4, std::vector<uint8_t>(48, 0x42)).bytes();
    std::vector<uint8_t> farOffset = whole;
    farOffset[10] = 0x00;
    farOffset[11] = 0x10; // 4096
    std::vector<uint8_t> hugeOffset = farOffset;
    hugeOffset[13] = 0x80; // 2^31 and beyond must not turn into a negative seek that lands inside the file

    struct Case {
        std::string what;
        std::vector<uint8_t> bytes;
        int32_t width;
        int32_t height;
    };
    std::vector<Case> cases = {
        {"pixels cut short", {whole.begin(), whole.end() - 8}, 4, 4},
        {"data offset past the end", farOffset, 4, 4},
        {"data offset past 2^31", hugeOffset, 4, 4},
        // Passes the size check and only then runs out of file.
        {"largest picture under the limit", rgbBmp(22369621, -1, {}).bytes(), 22369621, 1},
    };
    for (const uint16_t bits : {8, 4, 1}) {
        // The pixels point back into the palette, so only the palette read itself can notice the cut.
        BmpFile cut = palettedBmp(bits, 1, 1, {});
        cut.palette.pop_back();
        cut.dataOffset = 54;
        cases.push_back({std::to_string(bits) + "-bit palette cut short", cut.bytes(), 1, 1});
    }
    for (const Case& c : cases) {
        BitmapImage image;
        EXPECT_EQ(load(c.bytes, image), bitmap_result::readError) << c.what;
        EXPECT_EQ(image.width, c.width) << c.what;
        EXPECT_EQ(image.height, c.height) << c.what;
    }
}

TEST_F(BitmapReader, UnsupportedDepthReplacesTheImageWithAZeroedBufferOfTheHeaderSize) {
    for (const uint16_t bits : {16, 32, 0, 2}) {
        BmpFile file = rgbBmp(3, -2, std::vector<uint8_t>(24, 0x77));
        file.bits = bits;
        BitmapImage image = previousImage();
        EXPECT_EQ(load(file, image), bitmap_result::unsupported) << bits;
        EXPECT_EQ(image.width, 3) << bits;
        EXPECT_EQ(image.height, 2) << bits;
        // Under the address sanitizer fresh heap memory is filled with a marker, so this sees missing
        // zeroing.
        EXPECT_EQ(pixelsOf(image), std::vector<uint8_t>(18, 0)) << bits;
    }
}
