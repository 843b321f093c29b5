// The valley's depth map as the terrain needs it: read with the depth-map reader and checked for size,
// with a message that tells the player what is wrong with the file.
#pragma once

#include <string>

struct BitmapImage;

inline constexpr const char* kDepthMapPath = "Texturen/valleyDepth.bmp";

struct DepthMapResult {
    bool ok = false;
    std::string problem; // what is wrong, to follow the file's name in a message
};
DepthMapResult readDepthMap(const std::string& path, BitmapImage& image);
