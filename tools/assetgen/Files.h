// Writers for the two file formats the game reads: uncompressed BMP and PCM WAVE.
#pragma once

#include "tools/assetgen/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct BmpLayout {
    // The game uploads this file declared GL_RGB while the image library hands it blue first: store red
    // and blue exchanged so the screen shows the colour we painted.
    bool swapRedBlue = false;
    // The game draws this file with texture row t = 0 at the bottom of its quad; t = 0 is the top row as
    // the image library reads it, so the picture is stored upside down to be seen upright.
    bool drawnBottomUp = false;
};

uint8_t toByte(float v);

void writeBmp24(const std::string& path, const Image& image, BmpLayout layout);

// 8-bit grey palette file, rows in the order given (first row is stored first, the bottom of the picture).
void writeBmpGrey8(const std::string& path, int width, int height, const std::vector<uint8_t>& rowsBottomUp);

// Mono 16-bit PCM, scaled so the loudest sample sits at `peak` of full scale.
void writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate, float peak);

} // namespace assetgen
