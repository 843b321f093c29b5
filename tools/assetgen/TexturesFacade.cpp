#include "tools/assetgen/Textures.h"

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Random.h"

#include <cmath>

namespace assetgen {
namespace {

enum class Wall { Plaster, Brick, Concrete, Timber, Glass };

struct FacadeStyle {
    int width, height;
    Wall wall;
    Rgb wallColour;
    int floors, bays;
    bool shutters;
    bool shopFront;
    uint32_t seed;
};

Rgb wallAt(const FacadeStyle& s, float x, float y) {
    const float grime = 0.9f + 0.1f * fbm(x / 24.0f, y / 24.0f, 64, 64, 4, s.seed) - 0.08f * (y / s.height);
    switch (s.wall) {
    case Wall::Plaster:
    case Wall::Timber:
        return s.wallColour * (grime + 0.03f * gradientNoise(x / 2.0f, y / 2.0f, 256, 256, s.seed + 1));
    case Wall::Brick: {
        const int row = static_cast<int>(y / 6.0f);
        const float bx = x + (row % 2) * 8.0f;
        const int column = static_cast<int>(bx / 16.0f);
        const float lx = std::fmod(bx, 16.0f), ly = std::fmod(y, 6.0f);
        const float mortar = std::min(std::min(lx, 16.0f - lx), std::min(ly, 6.0f - ly));
        const Rgb brick = s.wallColour * (0.8f + 0.35f * hashUnit(column, row, s.seed + 2)) * grime;
        return mix(hex(0xb8b0a0) * grime, brick, smoothstep(0.5f, 1.3f, mortar));
    }
    case Wall::Concrete:
    case Wall::Glass: {
        const float seam = std::min(std::fmod(x, 64.0f), std::fmod(y, 48.0f));
        return s.wallColour * grime * (seam < 1.0f ? 0.8f : 1.0f);
    }
    }
    return s.wallColour;
}

// One window at (cx, cy) of half size hw, hh: frame, glass with the sky in it, glazing bars, sill.
Rgb windowAt(const FacadeStyle& s, float x, float y, float cx, float cy, float hw, float hh, Rgb behind,
             bool lit) {
    const float outer = sdBox(x, y, cx, cy, hw, hh, 1.0f);
    const float glass = sdBox(x, y, cx, cy, hw - 2.5f, hh - 2.5f);
    const float sill = sdBox(x, y, cx, cy + hh + 2.0f, hw + 3.0f, 1.6f);
    Rgb c = behind;
    if (s.shutters) {
        const float shutter = std::min(sdBox(x, y, cx - hw * 1.55f, cy, hw * 0.5f, hh),
                                       sdBox(x, y, cx + hw * 1.55f, cy, hw * 0.5f, hh));
        const float slat = 0.85f + 0.15f * std::sin(y * 1.6f);
        c = mix(c, hex(0x2f5d3a) * slat, cover(shutter));
    }
    c = mix(c, hex(0xe9e6dc), cover(outer));
    const float v = clamp01((y - (cy - hh)) / (2.0f * hh));
    Rgb pane = mix(hex(0x9cc4dd), hex(0x1d3446), v);
    pane +=
        grey(0.25f * smoothstep(0.06f, 0.0f, std::abs((x - cx) + (y - cy) * 0.8f - hw * 0.3f) / (2.0f * hw)));
    if (lit)
        pane = mix(hex(0xffd98a), hex(0xc7893a), v);
    const float bars = std::min(std::abs(x - cx), std::abs(y - (cy - hh * 0.25f))) - 1.0f;
    pane = mix(pane, hex(0xe9e6dc), cover(bars));
    c = mix(c, pane, cover(glass));
    c = mix(c, hex(0xd0ccc0), cover(sill));
    c = c * (1.0f - 0.35f * cover(sdBox(x, y, cx, cy + hh + 4.5f, hw + 3.0f, 1.2f), 2.0f)); // sill shadow
    return c;
}

Image paintStyle(const FacadeStyle& s) {
    Image image(s.width, s.height);
    const float cornice = s.shopFront ? 0.0f : 10.0f;
    const float floorHeight = (s.height - cornice) / s.floors;
    const float bay = static_cast<float>(s.width) / s.bays;
    image.forEach([&](float x, float y) {
        Rgb c = wallAt(s, x, y);
        const int floor = std::clamp(static_cast<int>((y - cornice) / floorHeight), 0, s.floors - 1);
        const int bayIndex = std::clamp(static_cast<int>(x / bay), 0, s.bays - 1);
        const float cx = (bayIndex + 0.5f) * bay, cy = cornice + (floor + 0.45f) * floorHeight;
        if (s.wall == Wall::Timber) {
            const float ly = std::fmod(y - cornice, floorHeight), lx = std::fmod(x, bay);
            const float beam = std::min(std::min(ly, floorHeight - ly), std::min(lx, bay - lx)) - 3.0f;
            const float brace =
                std::abs((lx / bay - 0.5f) * 2.0f - (ly / floorHeight - 0.5f) * 2.0f) * bay * 0.5f - 2.5f;
            const bool braceBay = (bayIndex + floor) % 2 == 0;
            c = mix(c, hex(0x4a2f1c) * (0.85f + 0.15f * gradientNoise(x / 3, y / 9, 256, 256, s.seed)),
                    cover(braceBay ? std::min(beam, brace) : beam));
        }
        const bool groundFloor = floor == s.floors - 1 && !s.shopFront;
        if (s.shopFront) {
            // A shop: awning stripes on top, two display windows and a door.
            if (y < 22.0f) {
                const bool stripe = static_cast<int>(x / 12.0f) % 2 == 0;
                c = (stripe ? hex(0xb8322c) : hex(0xefe9dc)) * (0.8f + 0.2f * (y / 22.0f));
                return c * (y > 18.0f ? 0.7f : 1.0f);
            }
            const float door = sdBox(x, y, s.width * 0.5f, 62.0f, 14.0f, 32.0f);
            c = mix(c, hex(0x3c2a1e), cover(door));
            for (float wx : {s.width * 0.22f, s.width * 0.78f})
                c = windowAt(s, x, y, wx, 56.0f, s.width * 0.17f, 24.0f, c, true);
            return c;
        }
        if (groundFloor && bayIndex == s.bays / 2) {
            const float door =
                sdBox(x, y, cx, s.height - floorHeight * 0.38f, bay * 0.22f, floorHeight * 0.38f, 2.0f);
            const float panel =
                sdBox(x, y, cx, s.height - floorHeight * 0.38f, bay * 0.15f, floorHeight * 0.3f);
            c = mix(c, hex(0xd7d1c3), cover(door + 2.5f));
            c = mix(c, hex(0x5a3620), cover(door));
            c = c * (1.0f - 0.2f * cover(-panel) * cover(panel + 1.5f));
        } else if (s.wall == Wall::Glass) {
            const bool lit = hashUnit(bayIndex, floor, s.seed) > 0.72f;
            c = windowAt(s, x, y, cx, cy + 0.05f * floorHeight, bay * 0.44f, floorHeight * 0.40f, c, lit);
        } else {
            const bool lit = hashUnit(bayIndex, floor, s.seed) > 0.85f;
            c = windowAt(s, x, y, cx, cy, bay * 0.2f, floorHeight * 0.27f, c, lit);
        }
        if (y < cornice) // cornice with a lit upper moulding
            c = hex(0xcfc8b8) * (y < 3.0f ? 1.1f : (y > cornice - 3.0f ? 0.7f : 0.92f));
        return c;
    });
    return image;
}

} // namespace

Image paintFacade(int number) {
    switch (number) {
    case 1:
        return paintStyle({256, 256, Wall::Plaster, hex(0xe3cf9c), 3, 4, true, false, 801u});
    case 2:
        return paintStyle({256, 256, Wall::Brick, hex(0x9a4a34), 4, 4, false, false, 802u});
    case 3:
        return paintStyle({256, 256, Wall::Glass, hex(0x9ea3a6), 5, 4, false, false, 803u});
    case 4:
        return paintStyle({256, 96, Wall::Plaster, hex(0xd9d2c4), 1, 1, false, true, 804u});
    case 5:
        return paintStyle({128, 256, Wall::Plaster, hex(0xb9cfd6), 4, 2, false, false, 805u});
    default:
        return paintStyle({256, 256, Wall::Timber, hex(0xf0e8d8), 3, 4, false, false, 806u});
    }
}

} // namespace assetgen
