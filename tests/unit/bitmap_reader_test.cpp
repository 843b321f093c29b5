#include "support/Bitmaps.h"
#include "world/BitmapReader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void setEntry(std::vector<uint8_t>& palette, int index, uint8_t blue, uint8_t green, uint8_t red) {
    palette[index * 4 + 0] = blue;
    palette[index * 4 + 1] = green;
    palette[index * 4 + 2] = red;
}

// The red, green, blue triples the given palette entries must decode to, one after the other.
std::vector<uint8_t> expand(const std::vector<uint8_t>& palette, const std::vector<int>& indices) {
    std::vector<uint8_t> out;
    for (int index : indices) {
        out.push_back(palette[index * 4 + 2]);
        out.push_back(palette[index * 4 + 1]);
        out.push_back(palette[index * 4 + 0]);
    }
    return out;
}

std::vector<uint8_t> concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<uint8_t> pixelsOf(const BitmapImage& image) {
    if (!image.pixels || image.width <= 0 || image.height <= 0)
        return {};
    const size_t size = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3;
    return {image.pixels.get(), image.pixels.get() + size};
}

// An image that already holds a picture, to see whether a failed load leaves it alone.
BitmapImage previousImage() {
    BitmapImage image;
    image.width = 2;
    image.height = 1;
    image.pixels = std::make_unique<uint8_t[]>(6);
    for (int i = 0; i < 6; ++i)
        image.pixels[i] = static_cast<uint8_t>(0xA0 + i);
    return image;
}

void expectPreviousImage(const BitmapImage& image, const uint8_t* buffer, const std::string& what) {
    EXPECT_EQ(image.width, 2) << what;
    EXPECT_EQ(image.height, 1) << what;
    EXPECT_EQ(image.pixels.get(), buffer) << what;
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5})) << what;
}

class BitmapReader : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = std::filesystem::temp_directory_path() /
              ("zarnowell_bitmap_" + std::to_string(getpid()) + "_" + name);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    char load(const BmpFile& file, BitmapImage& image) {
        return loadBitmap(write("image.bmp", file.bytes()), image);
    }

    std::filesystem::path dir;
};

} // namespace

TEST_F(BitmapReader, TwentyFourBitsTurnBlueGreenRedIntoRedGreenBlueFromTheDataOffset) {
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.pixels = {1, 2, 3, 4, 5, 6};
    BitmapImage image;
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));

    // The pixel offset is honoured, not assumed to follow the header.
    file.dataOffset = 70;
    BitmapImage gap;
    ASSERT_EQ(load(file, gap), bitmap_result::ok);
    EXPECT_EQ(pixelsOf(gap), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST_F(BitmapReader, EightBitsLookEachByteUpInTheFullPalette) {
    BmpFile file;
    file.bits = 8;
    file.width = 3;
    file.height = 2;
    file.palette = distinctPalette(256);
    setEntry(file.palette, 5, 10, 20, 30);
    file.pixels = {5, 0, 255, 5, 17, 5};
    BitmapImage image;
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    const std::vector<uint8_t> decoded = pixelsOf(image);
    EXPECT_EQ(std::vector<uint8_t>(decoded.begin(), decoded.begin() + 3), (std::vector<uint8_t>{30, 20, 10}));
    EXPECT_EQ(decoded, expand(file.palette, {5, 0, 255, 5, 17, 5}));
}

TEST_F(BitmapReader, FourBitsTakeTheHighNibbleFirstAndDropNibblesBeyondTheRow) {
    BmpFile file;
    file.bits = 4;
    file.palette = distinctPalette(16);
    BitmapImage image;

    file.width = 2;
    file.height = 1;
    file.pixels = {0x3A};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(pixelsOf(image), expand(file.palette, {3, 10}));

    // Odd width, one row: a reader that stored the spare low nibble would write past the buffer.
    file.width = 5;
    file.pixels = {0x3A, 0x5F, 0x7C};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    ASSERT_EQ(image.width, 5);
    EXPECT_EQ(pixelsOf(image), expand(file.palette, {3, 10, 5, 15, 7}));

    // Each stored row starts on a fresh byte.
    file.width = 3;
    file.height = 2;
    file.pixels = {0x12, 0x3F, 0x45, 0x6F};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(pixelsOf(image), expand(file.palette, {1, 2, 3, 4, 5, 6}));
}

TEST_F(BitmapReader, OneBitTakesTheHighBitFirstAndDropsBitsBeyondTheRow) {
    BmpFile file;
    file.bits = 1;
    file.palette = distinctPalette(2);
    setEntry(file.palette, 0, 1, 2, 3);
    setEntry(file.palette, 1, 200, 150, 100);
    BitmapImage image;

    file.width = 8;
    file.height = 1;
    file.pixels = {0x80};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(pixelsOf(image), concat({100, 150, 200}, expand(file.palette, {0, 0, 0, 0, 0, 0, 0})));

    // Ten columns take two bytes per row; the six spare bits of the last row are all set.
    file.width = 10;
    file.height = 2;
    file.pixels = {0x01, 0x40, 0x80, 0xFF};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    ASSERT_EQ(image.width, 10);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(pixelsOf(image), expand(file.palette, {0, 0, 0, 0, 0, 0, 0, 1, 0, 1, //
                                                     1, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
}

TEST_F(BitmapReader, BottomRowOfThePictureBecomesBufferRowZeroWhateverTheStoredOrder) {
    // Bottom-up, the usual order: the first stored row is the bottom of the picture.
    BmpFile file;
    file.width = 1;
    file.height = 3;
    file.pixels = {1, 1, 1, 2, 2, 2, 3, 3, 3};
    BitmapImage image;
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{1, 1, 1, 2, 2, 2, 3, 3, 3}));

    // Top-down (negative height): the last stored row is the bottom, and the height comes out positive.
    file.height = -3;
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{3, 3, 3, 2, 2, 2, 1, 1, 1}));

    // Top-down with an odd 4-bit width: the spare nibble of a later row must not land in an earlier one.
    file.bits = 4;
    file.palette = distinctPalette(16);
    file.width = 3;
    file.height = -2;
    file.pixels = {0x12, 0x3F, 0x45, 0x6F};
    ASSERT_EQ(load(file, image), bitmap_result::ok);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(pixelsOf(image), expand(file.palette, {4, 5, 6, 1, 2, 3}));
}

TEST_F(BitmapReader, SecondLoadIntoTheSameImageTakesTheNewSizeAndContent) {
    BmpFile small;
    small.width = 2;
    small.pixels = {1, 2, 3, 4, 5, 6};
    BmpFile large;
    large.bits = 8;
    large.width = 4;
    large.height = 3;
    large.palette = distinctPalette(256);
    large.pixels = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12};

    BitmapImage image;
    ASSERT_EQ(load(small, image), bitmap_result::ok);
    ASSERT_EQ(load(large, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(pixelsOf(image), expand(large.palette, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 12}));
    ASSERT_EQ(load(small, image), bitmap_result::ok);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(pixelsOf(image), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST_F(BitmapReader, MissingFileAndForeignMagicLeaveTheImageAsItWas) {
    BitmapImage image = previousImage();
    const uint8_t* buffer = image.pixels.get();
    EXPECT_EQ(loadBitmap((dir / "absent.bmp").string(), image), bitmap_result::cannotOpen);
    expectPreviousImage(image, buffer, "missing file");

    BmpFile valid;
    valid.width = 2;
    valid.pixels = {1, 2, 3, 4, 5, 6};
    for (const std::string magic : {"XM", "BA", "MB", "bm"}) {
        std::vector<uint8_t> bytes = valid.bytes();
        bytes[0] = static_cast<uint8_t>(magic[0]);
        bytes[1] = static_cast<uint8_t>(magic[1]);
        EXPECT_EQ(loadBitmap(write("foreign.bmp", bytes), image), bitmap_result::notBitmap) << magic;
        expectPreviousImage(image, buffer, magic);
    }
    for (const std::vector<uint8_t>& tiny : {std::vector<uint8_t>{}, std::vector<uint8_t>{'B'}}) {
        EXPECT_EQ(loadBitmap(write("tiny.bmp", tiny), image), bitmap_result::notBitmap) << tiny.size();
        expectPreviousImage(image, buffer, std::to_string(tiny.size()) + " bytes");
    }
}

TEST_F(BitmapReader, UnsupportedDepthReplacesTheImageWithAZeroedBufferOfTheHeaderSize) {
    for (const uint16_t bits : {16, 32, 0, 2}) {
        BmpFile file;
        file.bits = bits;
        file.width = 3;
        file.height = -2;
        file.pixels = std::vector<uint8_t>(24, 0x77);
        BitmapImage image = previousImage();
        EXPECT_EQ(load(file, image), bitmap_result::unsupported) << bits;
        EXPECT_EQ(image.width, 3) << bits;
        EXPECT_EQ(image.height, 2) << bits;
        // Under the address sanitizer fresh heap memory is filled with a marker, so this sees missing
        // zeroing.
        EXPECT_EQ(pixelsOf(image), std::vector<uint8_t>(18, 0)) << bits;
    }
}

TEST_F(BitmapReader, FilesShorterThanTheirHeaderClaimsReportReadError) {
    BitmapImage image = previousImage();
    const uint8_t* buffer = image.pixels.get();
    BmpFile valid;
    valid.width = 4;
    valid.height = 4;
    valid.pixels = std::vector<uint8_t>(48, 0x42);
    const std::vector<uint8_t> whole = valid.bytes();
    EXPECT_EQ(loadBitmap(write("header.bmp", {whole.begin(), whole.begin() + 30}), image),
              bitmap_result::readError);
    expectPreviousImage(image, buffer, "30-byte header");
    EXPECT_EQ(loadBitmap(write("bm.bmp", {'B', 'M'}), image), bitmap_result::readError);
    expectPreviousImage(image, buffer, "bare magic");

    EXPECT_EQ(loadBitmap(write("pixels.bmp", {whole.begin(), whole.end() - 8}), image),
              bitmap_result::readError);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 4);

    BmpFile farOffset = valid;
    farOffset.dataOffset = 54;
    std::vector<uint8_t> bytes = farOffset.bytes();
    bytes[10] = 0x00;
    bytes[11] = 0x10; // 4096, well past the end
    EXPECT_EQ(loadBitmap(write("offset.bmp", bytes), image), bitmap_result::readError);
    bytes[13] = 0x80; // 2^31 and beyond: must not turn into a negative seek that lands inside the file
    EXPECT_EQ(loadBitmap(write("offset.bmp", bytes), image), bitmap_result::readError);

    // The palette is always read in full for the depth, even when the file ends inside it.
    for (const auto& [bits, entries] : {std::pair{8, 256}, std::pair{4, 16}, std::pair{1, 2}}) {
        BmpFile cut;
        cut.bits = static_cast<uint16_t>(bits);
        cut.palette = distinctPalette(entries);
        cut.palette.resize(cut.palette.size() - 1);
        cut.dataOffset = 54;
        EXPECT_EQ(load(cut, image), bitmap_result::readError) << bits;
    }
}

TEST_F(BitmapReader, ImpossibleSizesAndCompressionAreRejectedBeforeTheImageIsTouched) {
    struct Case {
        int32_t width;
        int32_t height;
        uint32_t compression;
        const char* what;
    };
    const Case cases[] = {
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
    };
    for (const Case& c : cases) {
        BmpFile file;
        file.width = c.width;
        file.height = c.height;
        file.compression = c.compression;
        file.pixels = {1, 2, 3, 4, 5, 6};
        BitmapImage image = previousImage();
        const uint8_t* buffer = image.pixels.get();
        EXPECT_EQ(load(file, image), bitmap_result::unsupported) << c.what;
        expectPreviousImage(image, buffer, c.what);
    }

    // The largest picture under the limit passes the size check and only then runs out of file.
    BmpFile largest;
    largest.width = 22369621;
    largest.height = -1;
    BitmapImage image;
    EXPECT_EQ(load(largest, image), bitmap_result::readError);
    EXPECT_EQ(image.width, 22369621);
    EXPECT_EQ(image.height, 1);
}
