#include "world/DepthMap.h"

#include "world/BitmapReader.h"
#include "world/Terrain.h"

DepthMapResult readDepthMap(const std::string& path, BitmapImage& image) {
    switch (loadBitmap(path, image)) {
    case bitmap_result::ok:
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
    if (image.width != kGridColumns || image.height < kGridRows)
        return {false, "is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                           " pixels; the valley needs " + std::to_string(kGridColumns) + " x " +
                           std::to_string(kGridRows)};
    return {true, {}};
}
