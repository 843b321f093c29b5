// The depth-map reader: a small, self-contained decoder for uncompressed BMP files (1, 4, 8 and 24 bits)
// into red-green-blue bytes. Only the valley's depth map goes through it; textures use the image library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;
    // width x height x 3 bytes, red green blue; row 0 is the bottom row of the picture.
    std::unique_ptr<uint8_t[]> pixels;
};

namespace bitmap_result {
inline constexpr char ok = 0;
inline constexpr char cannotOpen = 'o';
inline constexpr char notBitmap = 'b';
inline constexpr char unsupported = 'u';
// A width or height of 0, a negative width, or more pixels than kMaxBitmapBytes.
inline constexpr char badSize = 's';
inline constexpr char readError = 'f';
} // namespace bitmap_result

// Largest pixel buffer the reader agrees to allocate; anything bigger is a broken or hostile header.
inline constexpr int64_t kMaxBitmapBytes = 64LL * 1024 * 1024;

// The size a file's header gives; a negative height is a top-down file's row count.
struct BitmapSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Returns one of the bitmap_result codes. A header with impossible dimensions ('s') or a compressed file
// ('u') is rejected before the image is touched. `headerSize`, if given, receives the header's size once
// the header has been read, so a refusal can say what the file claimed.
char loadBitmap(const std::string& path, BitmapImage& image, BitmapSize* headerSize = nullptr);
