#include "tools/assetgen/Files.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

namespace assetgen {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

std::vector<uint8_t> bmpHeader(int width, int height, int bitsPerPixel, uint32_t paletteBytes) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * bitsPerPixel / 8 + 3u) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t offset = 54u + paletteBytes;
    std::vector<uint8_t> h;
    h.reserve(offset);
    h.push_back('B');
    h.push_back('M');
    put32(h, offset + imageBytes);
    put32(h, 0);
    put32(h, offset);
    put32(h, 40);
    put32(h, static_cast<uint32_t>(width));
    put32(h, static_cast<uint32_t>(height));
    put16(h, 1);
    put16(h, static_cast<uint32_t>(bitsPerPixel));
    put32(h, 0); // no compression
    put32(h, imageBytes);
    put32(h, 2835); // 72 dpi
    put32(h, 2835);
    put32(h, bitsPerPixel == 8 ? 256 : 0);
    put32(h, 0);
    return h;
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

void writeBmp24(const std::string& path, const Image& image, BmpLayout layout) {
    std::vector<uint8_t> bytes = bmpHeader(image.width, image.height, 24, 0);
    const size_t padding = (4 - (image.width * 3) % 4) % 4;
    for (int stored = 0; stored < image.height; ++stored) {
        // A plain BMP stores the bottom row first.
        const int row = layout.drawnBottomUp ? stored : image.height - 1 - stored;
        for (int x = 0; x < image.width; ++x) {
            const Rgb& c = image.at(x, row);
            const uint8_t r = toByte(c.r), g = toByte(c.g), b = toByte(c.b);
            bytes.push_back(layout.swapRedBlue ? r : b);
            bytes.push_back(g);
            bytes.push_back(layout.swapRedBlue ? b : r);
        }
        bytes.insert(bytes.end(), padding, 0);
    }
    writeAll(path, bytes);
}

void writeBmpGrey8(const std::string& path, int width, int height, const std::vector<uint8_t>& rowsBottomUp) {
    std::vector<uint8_t> bytes = bmpHeader(width, height, 8, 1024);
    for (uint32_t i = 0; i < 256; ++i)
        put32(bytes, i | i << 8 | i << 16);
    const size_t padding = (4 - width % 4) % 4;
    for (int row = 0; row < height; ++row) {
        const auto begin = rowsBottomUp.begin() + static_cast<ptrdiff_t>(row) * width;
        bytes.insert(bytes.end(), begin, begin + width);
        bytes.insert(bytes.end(), padding, 0);
    }
    writeAll(path, bytes);
}

void writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate, float peak) {
    float loudest = 0.0f;
    for (float s : samples)
        loudest = std::fmax(loudest, std::fabs(s));
    const float gain = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataBytes);
    for (char c : std::string("RIFF"))
        bytes.push_back(static_cast<uint8_t>(c));
    put32(bytes, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        bytes.push_back(static_cast<uint8_t>(c));
    put32(bytes, 16);
    put16(bytes, 1); // PCM
    put16(bytes, 1); // mono
    put32(bytes, static_cast<uint32_t>(sampleRate));
    put32(bytes, static_cast<uint32_t>(sampleRate) * 2);
    put16(bytes, 2);
    put16(bytes, 16);
    for (char c : std::string("data"))
        bytes.push_back(static_cast<uint8_t>(c));
    put32(bytes, dataBytes);
    for (float s : samples) {
        const long v = std::lround(s * gain);
        put16(bytes, static_cast<uint32_t>(
                         static_cast<uint16_t>(static_cast<int16_t>(std::clamp(v, -32767L, 32767L)))));
    }
    writeAll(path, bytes);
}

} // namespace assetgen
