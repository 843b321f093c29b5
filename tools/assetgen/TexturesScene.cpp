#include "tools/assetgen/Textures.h"

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Random.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr float kPi = 3.14159265359f;

// Stroke paths of the letters S and O in a 30 x 44 box whose top-left corner is (x, y).
std::vector<Vec2> letterS(float x, float y) {
    std::vector<Vec2> path;
    const float cx = x + 15.0f, r = 10.5f, upper = y + 11.0f, lower = y + 33.0f;
    for (int i = 0; i <= 24; ++i) { // upper bowl: from the upper right round the left to the middle
        const float a = (-0.15f - 1.35f * i / 24.0f) * kPi;
        path.push_back({cx + r * std::cos(a) * 1.15f, upper + r * std::sin(a)});
    }
    for (int i = 1; i <= 24; ++i) { // lower bowl: from the middle round the right to the lower left
        const float a = (-0.5f + 1.35f * i / 24.0f) * kPi;
        path.push_back({cx + r * std::cos(a) * 1.15f, lower + r * std::sin(a)});
    }
    return path;
}

std::vector<Vec2> letterO(float x, float y) {
    std::vector<Vec2> path;
    for (int i = 0; i <= 48; ++i) {
        const float a = 2.0f * kPi * i / 48.0f;
        path.push_back({x + 15.0f + 12.5f * std::cos(a), y + 22.0f + 19.0f * std::sin(a)});
    }
    return path;
}

} // namespace

Image paintBubble() {
    constexpr int N = 64;
    Image image(N, N);
    image.forEach([](float x, float y) {
        const float dx = (x - 32.0f) / 28.0f, dy = (y - 32.0f) / 28.0f, r = std::hypot(dx, dy);
        if (r > 1.08f)
            return Rgb{};
        const float edge = cover((r - 1.0f) * 28.0f, 1.5f);
        const float rim = std::pow(clamp01(r), 6.0f) * 0.9f + 0.08f;
        const float highlight = std::exp(-(std::pow(dx + 0.38f, 2.0f) + std::pow(dy + 0.40f, 2.0f)) / 0.03f);
        const float glint =
            std::exp(-(std::pow(dx - 0.45f, 2.0f) + std::pow(dy - 0.42f, 2.0f)) / 0.012f) * 0.45f;
        const Rgb body = mix(hex(0x7fb8e0), hex(0xeaf8ff), clamp01(rim * 1.2f)) * rim;
        return (body + grey(highlight + glint)) * edge;
    });
    return image;
}

Image paintCheckerTiles(int width, int height) {
    // Four by four tiles at any size.
    const float tileX = width / 4.0f, tileY = height / 4.0f;
    Image image(width, height);
    image.forEach([&](float x, float y) {
        const int tx = static_cast<int>(x / tileX), ty = static_cast<int>(y / tileY);
        const float lx = std::fmod(x, tileX), ly = std::fmod(y, tileY);
        const bool dark = (tx + ty) % 2 == 1;
        Rgb c = dark ? hex(0x1f4f5a) : hex(0xe8e2d2);
        c += grey(0.04f * fbm(x / width * 8.0f, y / height * 8.0f, 8, 8, 3, 501u));
        // Glaze: a soft sheen toward the top-left of each tile.
        c = c * (1.0f + 0.08f * (1.0f - (lx / tileX + ly / tileY) / 2.0f));
        const float grout = std::min(std::min(lx, tileX - lx), std::min(ly, tileY - ly));
        return mix(hex(0x8c877a), c, smoothstep(0.6f, 1.6f, grout));
    });
    return image;
}

Image paintSosFrame(int frame) {
    // A running light: frames 0 to 2 light one letter after the other, frame 3 lights all three.
    static_assert(kSosFrames == 4, "one frame per letter and one with all of them");
    Image image(128, 64);
    const std::vector<Vec2> letters[3] = {letterS(6, 10), letterO(49, 10), letterS(92, 10)};
    image.forEach([&](float x, float y) {
        float light = 0.0f;
        for (int k = 0; k < 3; ++k) {
            const float d = sdPolyline(x, y, letters[k], 3.6f);
            const float level = (frame == kSosFrames - 1 || frame == k) ? 1.0f : 0.38f;
            light = std::max(light, level * (cover(d, 1.2f) + 0.45f * std::exp(-std::max(d, 0.0f) / 3.0f)));
        }
        const float border = sdBox(x, y, 64, 32, 59, 27, 6);
        const float frameLine = cover(std::abs(border) - 1.0f, 1.0f) * 0.55f;
        const float fade = smoothstep(0.0f, 4.0f, std::min(std::min(x, 128.0f - x), std::min(y, 64.0f - y)));
        return grey(clamp01(std::max(light, frameLine) * fade));
    });
    return image;
}

Image paintMuzzleFlash() {
    constexpr int N = 256;
    Image image(N, N);
    // Spikes of uneven length: a star, not a flower.
    float spikeLength[8];
    Rng rng(601);
    for (float& length : spikeLength)
        length = static_cast<float>(rng.range(0.55, 1.0));
    image.forEach([&](float x, float y) {
        const float dx = (x - 128.0f) / 120.0f, dy = (y - 128.0f) / 120.0f;
        const float r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        const float sector = (angle + kPi) / (2.0f * kPi) * 8.0f;
        const int k = static_cast<int>(sector) % 8;
        const float within = sector - std::floor(sector); // 0.5 on the spike's axis
        const float spike = std::pow(1.0f - std::abs(within - 0.5f) * 2.0f, 3.0f) * spikeLength[k];
        const float billow = 0.85f + 0.3f * fbm(dx * 6.0f, dy * 6.0f, 64, 64, 3, 602u);
        const float reach = (0.22f + 0.75f * spike) * billow;
        const float flame = std::exp(-r / (reach * 0.45f)) * smoothstep(1.0f, 0.75f, r);
        const float core = std::exp(-r * r / 0.02f);
        Rgb c = mix(hex(0xff4a00), hex(0xffd850), clamp01(flame * 1.3f)) * std::min(1.0f, flame * 1.6f);
        c += hex(0xfff8e0) * core;
        return Rgb{clamp01(c.r), clamp01(c.g), clamp01(c.b)};
    });
    return image;
}

Image paintBlackWhiteFloor(int width, int height) {
    // Eight by eight tiles; the marble is drawn in units of a 256 texel square, so any size shows the same.
    constexpr int tile = 32;
    const float unitsX = 256.0f / width, unitsY = 256.0f / height;
    Image image(width, height);
    image.forEach([&](float px, float py) {
        const float x = px * unitsX, y = py * unitsY;
        const int tx = static_cast<int>(x) / tile, ty = static_cast<int>(y) / tile;
        const float lx = std::fmod(x, float(tile)), ly = std::fmod(y, float(tile));
        const bool dark = (tx + ty) % 2 == 1;
        // Marble: veins where turbulent noise crosses zero.
        const float vein =
            std::abs(fbm(x / 40.0f + 9.0f * tx, y / 40.0f, 64, 64, 5, 701u + (dark ? 1u : 0u)));
        const float veinLine = smoothstep(0.05f, 0.0f, vein);
        Rgb c =
            dark ? mix(hex(0x16161a), hex(0x505058), veinLine) : mix(hex(0xecebe6), hex(0x9a9a98), veinLine);
        c = c * (0.96f + 0.06f * fbm(x / 20.0f, y / 20.0f, 64, 64, 3, 702u));
        const float joint = std::min(std::min(lx, tile - lx), std::min(ly, tile - ly));
        return mix(hex(0x55524c), c, smoothstep(0.4f, 1.2f, joint));
    });
    return image;
}

} // namespace assetgen
