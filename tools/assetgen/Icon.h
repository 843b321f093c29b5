// The game's icon for desktop menus: a yellow submarine on a disc of deep water, painted at any size.
#pragma once

#include "tools/assetgen/Image.h"

#include <string>
#include <vector>

namespace assetgen {

// The sizes menus ask for, in pixels; each goes to icons/hicolor/<n>x<n>/apps/zarnowell.png.
inline constexpr int kIconSizes[] = {48, 128, 256};

struct IconPicture {
    Image colour;
    std::vector<float> alpha; // per pixel, 0 outside the disc
};
IconPicture paintIcon(int size);

// RGBA PNG, the format desktop icon themes use.
void writeIconPng(const std::string& path, const IconPicture& icon);

} // namespace assetgen
