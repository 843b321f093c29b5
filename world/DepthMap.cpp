#include "world/DepthMap.h"

#include "world/BitmapReader.h"
#include "world/Terrain.h"

#include <cstdint>
#include <cstdlib>

DepthMapResult readDepthMap(const std::string& path, BitmapImage& image) {
    BitmapSize size;
    const char result = loadBitmap(path, image, &size);
    switch (result) {
    case bitmap_result::ok:
    case bitmap_result::badSize:
        break;
    case bitmap_result::cannotOpen:
        return {false, "cannot be opened"};
    case bitmap_result::notBitmap:
        return {false, "is not a BMP file"};
    case bitmap_result::unsupported:
        return {false, "has an unsupported format (uncompressed 1, 4, 8 or 24 bits per pixel needed)"};
    default:
        return {false, "is shorter than its header says"};
    }
    // A top-down file gives its rows as a negative height; widened, the smallest int32 turns positive too.
    const int64_t rows = std::abs(static_cast<int64_t>(size.height));
    if (result == bitmap_result::badSize || size.width != kGridColumns || rows < kGridRows)
        return {false, "is " + std::to_string(size.width) + " x " + std::to_string(rows) +
                           " pixels; the valley needs " + std::to_string(kGridColumns) + " x " +
                           std::to_string(kGridRows)};
    return {true, {}};
}
