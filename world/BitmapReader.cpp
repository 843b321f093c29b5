#include "world/BitmapReader.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

int32_t readInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

struct Header {
    uint32_t dataOffset = 0;
    int32_t width = 0;
    int32_t height = 0; // negative: rows stored top-down
    int bitsPerPixel = 0;
    uint32_t compression = 0;
};

bool dimensionsAcceptable(const Header& h) {
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        return false;
    const int64_t rows = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
    // Divide instead of multiplying: width x rows x 3 of two 31-bit values overflows even 64 bits.
    return h.width <= kMaxBitmapBytes / 3 / rows;
}

bool readExactly(std::FILE* f, void* into, size_t bytes) {
    return std::fread(into, 1, bytes, f) == bytes;
}

// Decodes one stored row of palette indices into red-green-blue triples.
void expandPaletteRow(const uint8_t* row, int bits, int32_t width, const uint8_t* palette, uint8_t* out) {
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1u;
    for (int32_t column = 0; column < width; ++column) {
        const uint8_t byte = row[column / perByte];
        const int shift = 8 - bits * (column % perByte + 1); // leftmost pixel sits in the high bits
        const unsigned index = (byte >> shift) & mask;
        const uint8_t* entry = palette + index * 4; // blue, green, red, reserved
        out[column * 3 + 0] = entry[2];
        out[column * 3 + 1] = entry[1];
        out[column * 3 + 2] = entry[0];
    }
}

} // namespace

char loadBitmap(const std::string& path, BitmapImage& image, BitmapSize* headerSize) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return bitmap_result::cannotOpen;

    uint8_t raw[54] = {};
    const size_t got = std::fread(raw, 1, sizeof raw, file.get());
    if (got < 2 || raw[0] != 'B' || raw[1] != 'M')
        return bitmap_result::notBitmap;
    if (got < sizeof raw)
        return bitmap_result::readError;

    Header header;
    header.dataOffset = static_cast<uint32_t>(readInt32(raw + 10));
    header.width = readInt32(raw + 18);
    header.height = readInt32(raw + 22);
    header.bitsPerPixel = static_cast<int8_t>(raw[28]);
    header.compression = static_cast<uint32_t>(readInt32(raw + 30));
    if (headerSize)
        *headerSize = {header.width, header.height};
    if (!dimensionsAcceptable(header))
        return bitmap_result::badSize;
    if (header.compression != 0)
        return bitmap_result::unsupported;

    const bool topDown = header.height < 0;
    const int32_t rows = topDown ? -header.height : header.height;
    const size_t pixelBytes = static_cast<size_t>(header.width) * static_cast<size_t>(rows) * 3;
    image.width = header.width;
    image.height = rows;
    image.pixels = std::make_unique<uint8_t[]>(pixelBytes); // zeroed: nothing undefined is ever handed on

    const int bits = header.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return bitmap_result::unsupported;

    uint8_t palette[256 * 4] = {};
    if (bits != 24 && !readExactly(file.get(), palette, (size_t{1} << bits) * 4))
        return bitmap_result::readError;

    const size_t rowBytes = (static_cast<size_t>(header.width) * static_cast<size_t>(bits) + 7) / 8;
    // One stored row at a time: the pixel buffer stays the only large allocation, even for a tiny file
    // whose header claims the largest picture.
    std::vector<uint8_t> stored(rowBytes);
    if (std::fseek(file.get(), static_cast<long>(header.dataOffset), SEEK_SET) != 0)
        return bitmap_result::readError;

    const size_t outRowBytes = static_cast<size_t>(header.width) * 3;
    for (int32_t r = 0; r < rows; ++r) {
        if (!readExactly(file.get(), stored.data(), rowBytes))
            return bitmap_result::readError;
        const uint8_t* in = stored.data();
        // Keep the buffer bottom-up whatever order the file uses.
        const int32_t target = topDown ? rows - 1 - r : r;
        uint8_t* out = image.pixels.get() + static_cast<size_t>(target) * outRowBytes;
        if (bits == 24) {
            for (int32_t column = 0; column < header.width; ++column) {
                out[column * 3 + 0] = in[column * 3 + 2];
                out[column * 3 + 1] = in[column * 3 + 1];
                out[column * 3 + 2] = in[column * 3 + 0];
            }
        } else {
            expandPaletteRow(in, bits, header.width, palette, out);
        }
    }
    return std::ferror(file.get()) ? bitmap_result::readError : bitmap_result::ok;
}
