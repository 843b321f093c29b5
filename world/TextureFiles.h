// Reading the game's picture files for upload, with a neutral stand-in for any file that is unusable.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Pixels ready for upload: exactly width x height x 3 bytes in the image library's blue-green-red order.
struct TexturePixels {
    std::vector<uint8_t> bytes;
    bool placeholder = false;
};

// Reads one texture file; a missing, undecodable or wrongly sized file gives a neutral grey picture of the
// fixed size and one line on stderr naming the file.
TexturePixels readTexturePixels(const std::string& path, int width, int height);

// One picture as OpenGL sees it once uploaded: a file declared RGB has its red and blue traded.
struct UploadedPixels {
    const TexturePixels& pixels;
    bool declaredRgb;
};

// A mask (white where the scene shows through, black where covered) as the alpha of the same picture
// drawn over the scene with (1, 1 - alpha) blending: 255 - its grey. Empty when any texel is not grey, as a
// mask that tints has no single alpha.
std::vector<uint8_t> maskAlpha(UploadedPixels mask);

// The mask and the colours added over it, texel by texel, as one premultiplied RGBA picture: the clamped
// sum of the colours and the mask's alpha. Empty when maskAlpha is.
std::vector<uint8_t> foldMask(UploadedPixels mask, std::span<const UploadedPixels> colours);

// Where a picture drawn with (1, 1) or (1, 1 - alpha) blending leaves the scene as it is: where all its
// channels are 0. Its other parts as boxes of texels (columns left..right, rows bottom..top, ends excluded,
// rows counted from the first one uploaded), found on a grid of cell x cell texels: a cell counts when any
// texel in it or next to it, across the edges too, as linear filtering with repeat reaches them, is not 0.
std::vector<std::array<int, 4>> litBoxes(const std::vector<uint8_t>& texels, int channels, int width,
                                         int height, int cell);
