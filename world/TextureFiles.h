// Reading the game's picture files for upload, with a neutral stand-in for any file that is unusable.
#pragma once

#include <cstdint>
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
