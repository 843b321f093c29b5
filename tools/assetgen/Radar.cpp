#include "tools/assetgen/Textures.h"

#include "towns/TownTable.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int W = kReliefColumns, H = kReliefRows;

// The radar picture is drawn with t running from 0 to -1 up its quad: texture row t = 0 (the top row as
// the image library reads the file) lands at the top, so the picture stands upright. The HUD pointer puts
// z = 0 at the bottom of the quad and x = 0 at its left, so picture row y shows grid row H - 1 - y.
int gridRowOf(int pictureRow) {
    return H - 1 - pictureRow;
}

float panel(float x, float y) {
    return sdBox(x, y, W / 2.0f, H / 2.0f, W / 2.0f - 3.0f, H / 2.0f - 3.0f, 28.0f);
}

// How much of the scene the map hides: water is solid, land a tinted glass, outside the frame nothing.
float opacityAt(const Relief& relief, float x, float y) {
    const int column = std::clamp(static_cast<int>(x), 0, W - 1);
    const int row = gridRowOf(std::clamp(static_cast<int>(y), 0, H - 1));
    const float land = relief.at(column, row) > kWaterLevel ? 0.55f : 1.0f;
    const float d = panel(x, y);
    const float rim = cover(std::abs(d + 4.0f) - 3.0f);
    // The mask is sampled 1.125 times coarser than the map; it covers a little beyond the frame's edge
    // so that no frame pixel is ever added onto an unmasked scene.
    return std::max(cover(d) * std::max(land, rim), cover(d - 1.5f));
}

} // namespace

Image paintRadarMap(const Relief& relief) {
    // Smoothed heights give clean contour lines.
    Image smooth(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            smooth.at(x, y) = grey(static_cast<float>(relief.at(x, gridRowOf(y))));
    blurWrapped(smooth, 2, 2);

    Image image(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            auto h = [&](int cx, int cy) {
                return smooth.at(std::clamp(cx, 0, W - 1), std::clamp(cy, 0, H - 1)).r;
            };
            const float height = h(x, y);
            const float gx = (h(x + 1, y) - h(x - 1, y)) / 8.0f, gy = (h(x, y + 1) - h(x, y - 1)) / 8.0f;
            const float shade = std::clamp(1.0f + 1.6f * (-gx * 0.7f - gy * 0.7f), 0.6f, 1.4f);
            const bool water = relief.at(x, gridRowOf(y)) <= kWaterLevel;
            Rgb c = water ? mix(hex(0x03152c), hex(0x1d7d86), clamp01((height + 64.0f) / 84.0f))
                          : mix(hex(0x2a2616), hex(0x5a5236), clamp01((height - 20.0f) / 70.0f));
            c = c * shade;
            // Contours every 10 units, the shore line brighter; width follows the slope so lines stay even.
            const float slope = std::max(0.15f, std::hypot(gx, gy) * 4.0f);
            const float toContour = std::abs(std::fmod(height + 1000.0f, 10.0f) - 5.0f);
            const float contour = cover((5.0f - toContour) / slope - 0.8f);
            const float shore = cover(std::abs(height - kWaterLevel) / slope - 1.0f);
            c += (water ? hex(0x2f8f96) : hex(0x3a3424)) * (contour * 0.5f);
            c = mix(c, hex(0x8ff0e6), shore * 0.8f);
            // A faint sonar grid.
            if (x % 64 == 0 || y % 64 == 0)
                c += hex(0x0a3038) * 0.6f;
            image.at(x, y) = c;
        }
    }
    // Towns: a bright dot with a dark ring so they read even on the shore line.
    for (const TownEntry& town : kTownTable) {
        const float tx = town.placement.column + 0.5f, ty = (H - 1 - town.placement.row) + 0.5f;
        for (int y = static_cast<int>(ty) - 14; y <= static_cast<int>(ty) + 14; ++y)
            for (int x = static_cast<int>(tx) - 14; x <= static_cast<int>(tx) + 14; ++x) {
                if (x < 0 || y < 0 || x >= W || y >= H)
                    continue;
                const float d = std::hypot(x + 0.5f - tx, y + 0.5f - ty);
                Rgb& p = image.at(x, y);
                p = mix(p, hex(0x050505), cover(d - 11.0f, 1.5f));
                p = mix(p, hex(0xffd21a), cover(d - 8.0f, 1.5f));
                p = mix(p, hex(0xff4a1a), cover(std::abs(d - 8.0f) - 1.5f, 1.5f));
            }
    }
    // Frame and the picture's final opacity.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const float px = x + 0.5f, py = y + 0.5f, d = panel(px, py);
            Rgb& p = image.at(x, y);
            p = mix(p, mix(hex(0x9aa6ae), hex(0x46525a), py / H), cover(std::abs(d + 4.0f) - 3.0f));
            // Land is glass: what it adds is dimmed in step with what it lets through.
            const bool land = relief.at(x, gridRowOf(y)) > kWaterLevel && d < -7.0f;
            p = p * (cover(d) * (land ? 0.8f : 1.0f));
        }
    return image;
}

Image paintRadarMask(const Relief& relief) {
    // The mask quad uses the default texture coordinates, t = 0 at its bottom, and reaches 0.45 up the
    // screen where the map reaches 0.4. Mask row r (top row first, as the file is read) therefore lies
    // 1.125 (r + 0.5) / 512 of the map's height above the map's bottom; rows past the map's top are off
    // the screen and stay clear.
    Image image(W, H);
    for (int r = 0; r < H; ++r) {
        const float above = 1.125f * (r + 0.5f) / H;
        for (int x = 0; x < W; ++x) {
            const float pictureY = (1.0f - above) * H;
            const float opacity = above < 1.0f ? opacityAt(relief, x + 0.5f, pictureY) : 0.0f;
            image.at(x, r) = grey(1.0f - opacity);
        }
    }
    return image;
}

} // namespace assetgen
