// BMP files for the depth-map reader's tests and the fuzzer's seeds. Header-only: the fuzzer is built apart
// from the test support library.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// A BMP as the reader sees it: headers, the palette at offset 54, then rows back to back without padding.
struct BmpFile {
    int32_t width = 1, height = 1; // a negative height: rows stored top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    // The empty initialisers let designated initialisers leave these out without a warning.
    std::vector<uint8_t> palette = {}; // blue, green, red, reserved per entry
    std::vector<uint8_t> pixels = {};  // rows as stored
    int64_t dataOffset = -1;           // -1: straight after the palette; larger values leave a gap of junk

    std::vector<uint8_t> bytes() const {
        const uint64_t offset = dataOffset < 0 ? 54 + palette.size() : static_cast<uint64_t>(dataOffset);
        std::vector<uint8_t> out(54, 0);
        const auto put = [&](size_t at, uint64_t value, int count) {
            for (int i = 0; i < count; ++i)
                out[at + i] = static_cast<uint8_t>(value >> (8 * i));
        };
        // clang-format off
        put(0, 'B' | 'M' << 8, 2); put(2, offset + pixels.size(), 4); put(10, offset, 4); put(14, 40, 4);
        put(18, width, 4); put(22, height, 4); put(26, 1, 2); put(28, bits, 2); put(30, compression, 4);
        put(34, pixels.size(), 4);
        // clang-format on
        out.insert(out.end(), palette.begin(), palette.end());
        out.resize(std::max<size_t>(out.size(), offset), 0xCD);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// Entry i holds red i, green 255 - i, blue 3i + 1 (all modulo 256) and reserved 0xEE: every entry differs
// from every other in each sample and the reserved byte is never zero, so a wrong index, channel order or a
// three-byte stride shows up.
inline BmpFile palettedBmp(uint16_t bits, int32_t width, int32_t height, std::vector<uint8_t> pixels) {
    BmpFile file{.width = width, .height = height, .bits = bits, .pixels = std::move(pixels)};
    for (int i = 0; i < 1 << bits; ++i)
        file.palette.insert(
            file.palette.end(),
            {static_cast<uint8_t>(3 * i + 1), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0xEE});
    return file;
}
