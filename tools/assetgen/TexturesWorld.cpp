#include "tools/assetgen/Textures.h"

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Random.h"

#include <array>
#include <cmath>

namespace assetgen {
namespace {

constexpr float kTau = 6.28318530718f;

// Height and colour of one seabed texel; heights drive the baked-in shading.
struct SeabedSample {
    float height;
    Rgb colour;
};

SeabedSample seabedAt(float u, float v) {
    // Large areas: where rock breaks through and where fine silt has settled.
    const float rockiness = fbm(u * 6, v * 3, 6, 3, 4, 101u) + 0.25f * fbm(u * 24, v * 12, 24, 12, 2, 102u);
    const float silt = fbm(u * 5, v * 3 + 0.37f, 5, 3, 3, 103u);
    const float rockCover = smoothstep(0.18f, 0.30f, rockiness);
    const float siltCover = smoothstep(0.0f, 0.35f, silt) * (1.0f - rockCover);

    // Sand ripples: a whole number of crests across the tile, bent by noise, crests sharper than troughs.
    const float bend = 2.2f * fbm(u * 8, v * 4, 8, 4, 3, 104u);
    const float ripplePhase = kTau * (u * 60.0f + v * 9.0f) + bend * kTau * 0.5f;
    float ripple = 0.5f + 0.5f * std::sin(ripplePhase);
    ripple = ripple * ripple;
    const float grain = gradientNoise(u * 512.0f, v * 256.0f, 512, 256, 105u);

    // Pebbles scattered on the sand.
    const CellSample pebble = cellular(u * 96, v * 48, 96, 48, 106u);
    const bool pebbleHere = (pebble.id & 7u) == 0u;
    const float pebbleShape = pebbleHere ? smoothstep(0.32f, 0.18f, pebble.f1) : 0.0f;

    // Rock: boulders split by cracks.
    const CellSample block = cellular(u * 28, v * 14, 28, 14, 107u, 0.9f);
    const float crack = smoothstep(0.0f, 0.12f, block.f2 - block.f1);
    const float rockRough = fbm(u * 64, v * 32, 64, 32, 4, 108u);
    const float dome = std::sqrt(std::max(0.0f, 1.0f - block.f1 * block.f1 * 1.6f));
    const float rockHeight = (0.25f + 0.5f * dome + 0.25f * crack) * (1.0f + 0.35f * rockRough) * rockCover;

    const float sandHeight = 0.12f * ripple * (1.0f - siltCover * 0.8f) + 0.03f * grain;
    const float height = sandHeight * (1.0f - rockCover) + 2.2f * rockHeight + 0.35f * pebbleShape;

    const float tint = fbm(u * 12, v * 6, 12, 6, 3, 109u);
    Rgb sand = mix(hex(0xc8b88e), hex(0xa99d78), 0.5f + 0.5f * tint);
    sand = sand * (0.92f + 0.08f * ripple + 0.06f * grain);
    const Rgb siltColour = mix(hex(0x6f6b55), hex(0x877f61), 0.5f + 0.5f * grain);
    const float shade = 0.5f + 0.5f * rockRough;
    Rgb rock = mix(hex(0x5e5a52), hex(0x8c8676), shade);
    rock = mix(rock, hex(0x4f6a48),
               smoothstep(0.1f, 0.5f, fbm(u * 30, v * 15, 30, 15, 3, 110u)) * 0.5f); // algae
    rock = rock * (0.55f + 0.45f * crack);
    const Rgb pebbleColour =
        mix(hex(0x77726a), hex(0xa49a88), hashUnit(static_cast<int>(pebble.id), 1, 111u));

    Rgb colour = mix(sand, siltColour, siltCover);
    colour = mix(colour, pebbleColour, pebbleShape * (1.0f - rockCover));
    colour = mix(colour, rock, smoothstep(0.0f, 0.25f, rockHeight));
    return {height, colour};
}

} // namespace

Image paintSeabed(int W, int H) {
    std::vector<float> height(static_cast<size_t>(W) * H);
    Image image(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const SeabedSample s = seabedAt((x + 0.5f) / W, (y + 0.5f) / H);
            height[static_cast<size_t>(y) * W + x] = s.height;
            image.at(x, y) = s.colour;
        }
    // The floor is drawn without normals, so the relief of the texture carries its own light. The light
    // was tuned on 1024 x 512 texels; steps between texels shrink as their number grows.
    const float perTexelX = W / 1024.0f, perTexelY = H / 512.0f;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            auto h = [&](int cx, int cy) {
                return height[static_cast<size_t>((cy + H) % H) * W + (cx + W) % W];
            };
            const float dx = (h(x + 1, y) - h(x - 1, y)) * perTexelX,
                        dy = (h(x, y + 1) - h(x, y - 1)) * perTexelY;
            const float light = std::clamp(1.0f - 0.9f * (dx * 0.7f + dy * 0.7f), 0.55f, 1.3f);
            image.at(x, y) = image.at(x, y) * light;
        }
    return image;
}

Image paintWaterSurface(int width, int height) {
    Image image(width, height);
    image.forEach([width, height](float x, float y) {
        const float u = x / width, v = y / height;
        const float wx = 0.6f * fbm(u * 3, v * 3, 3, 3, 2, 201u),
                    wy = 0.6f * fbm(u * 3, v * 3, 3, 3, 2, 202u);
        const float crest = ridged(u * 4 + wx, v * 4 + wy, 4, 4, 3, 203u);
        const float swell = 0.5f + 0.5f * fbm(u * 2, v * 2, 2, 2, 3, 204u);
        const float glint = std::pow(crest, 3.0f);
        Rgb c = mix(hex(0x0b3f73), hex(0x2f86b8), swell);
        c = mix(c, hex(0xbfeaff), glint * 0.9f);
        return c;
    });
    return image;
}

Image paintCausticFrame(int frame, int W, int H) {
    // Waves on the surface above: whole cycles across the tile and whole periods in the loop, so the
    // light network tiles in space and runs from the last frame straight into the first.
    struct Wave {
        int kx, ky, cycles;
        float strength, phase;
    };
    std::vector<Wave> waves;
    Rng rng(301);
    const int directions[][2] = {{4, 1},  {-2, 4}, {3, -3}, {1, 5},  {-5, -2}, {5, 3},
                                 {-3, 6}, {6, -1}, {7, 4},  {-6, 5}, {2, -8},  {9, 2}};
    for (const auto& d : directions) {
        const int k2 = d[0] * d[0] + d[1] * d[1];
        waves.push_back({d[0], d[1], 1 + static_cast<int>(std::sqrt(std::sqrt(static_cast<float>(k2)))),
                         static_cast<float>(0.40 / (1.0 + k2 / 60.0)),
                         static_cast<float>(rng.uniform() * kTau)});
    }
    const int raysX = 2 * W, raysY = 2 * H;
    std::vector<float> light(static_cast<size_t>(W) * H);
    const float time = kTau * frame / kCausticFrames;
    for (int ry = 0; ry < raysY; ++ry) {
        for (int rx = 0; rx < raysX; ++rx) {
            // Each ray leaves the surface at its point and is bent by the local slope.
            const float px = (rx + 0.5f) * W / raysX, py = (ry + 0.5f) * H / raysY;
            float sx = 0.0f, sy = 0.0f;
            for (const Wave& w : waves) {
                const float s = std::cos(kTau * (w.kx * px / W + w.ky * py / H) + w.cycles * time + w.phase);
                const float len = std::sqrt(static_cast<float>(w.kx * w.kx + w.ky * w.ky));
                const float reachX = w.strength / (kTau / W * len), reachY = w.strength / (kTau / H * len);
                sx += reachX * s * w.kx / len;
                sy += reachY * s * w.ky / len;
            }
            const float tx = px + sx - 0.5f, ty = py + sy - 0.5f;
            const float fx = std::floor(tx), fy = std::floor(ty);
            const float ax = tx - fx, ay = ty - fy;
            const int x0 = ((static_cast<int>(fx) % W) + W) % W, y0 = ((static_cast<int>(fy) % H) + H) % H;
            const int x1 = (x0 + 1) % W, y1 = (y0 + 1) % H;
            light[static_cast<size_t>(y0) * W + x0] += (1 - ax) * (1 - ay);
            light[static_cast<size_t>(y0) * W + x1] += ax * (1 - ay);
            light[static_cast<size_t>(y1) * W + x0] += (1 - ax) * ay;
            light[static_cast<size_t>(y1) * W + x1] += ax * ay;
        }
    }
    Image image(W, H);
    const float raysPerPixel = static_cast<float>(raysX * raysY) / (W * H);
    for (size_t i = 0; i < light.size(); ++i)
        image.pixels[i] = grey(light[i] / raysPerPixel);
    blurWrapped(image, 1, 2);
    for (Rgb& p : image.pixels) {
        // A mid-grey base with bright lines: multiplying the scene by it never blacks it out.
        const float v = 0.50f + 0.5f * (1.0f - std::exp(-0.55f * p.r * p.r));
        p = grey(v);
    }
    return image;
}

Image paintSky(SkyFace face, int width, int height) {
    Image image(width, height);
    // Sun high in the front-left quarter of the sky.
    const float sunX = -0.35f, sunY = 0.75f, sunZ = -0.56f;
    image.forEach([&](float px, float py) {
        // Face coordinates in [-1, 1]: a across the picture, b down it. Neighbouring faces meet edge to edge.
        const float a = 2.0f * px / width - 1.0f, b = 2.0f * py / height - 1.0f;
        float x = 0, y = 0, z = 0;
        switch (face) {
        case SkyFace::Front:
            x = a, y = -b, z = -1;
            break;
        case SkyFace::Back:
            x = -a, y = -b, z = 1;
            break;
        case SkyFace::Left:
            x = -1, y = -b, z = -a;
            break;
        case SkyFace::Right:
            x = 1, y = -b, z = a;
            break;
        case SkyFace::Top:
            x = a, y = 1, z = -b; // front edge at the bottom
            break;
        case SkyFace::Bottom:
            x = a, y = -1, z = b; // front edge at the top
            break;
        }
        const float len = std::sqrt(x * x + y * y + z * z);
        x /= len, y /= len, z /= len;
        if (y < 0.0f) {
            // Open sea below the horizon, darker straight down, with a glitter path under the sun.
            const float depth = std::pow(-y, 0.4f);
            Rgb sea = mix(hex(0x3b6f8f), hex(0x0d2a45), depth);
            const float t = -1.0f / y;
            const float wave = fbm(x * t * 6.0f, z * t * 6.0f, 4096, 4096, 3, 401u);
            const float toSun = std::max(0.0f, x * sunX - y * sunY + z * sunZ);
            const float sparkle = smoothstep(0.25f, 0.6f, wave);
            sea = sea + hex(0xfff2cc) * (std::pow(toSun, 160.0f) * sparkle * 1.2f);
            return mix(sea, hex(0xa9cbe0), std::exp(-40.0f * -y) * 0.8f);
        }
        Rgb sky = mix(hex(0xbcdcef), hex(0x2f6fb4), std::pow(y, 0.55f));
        // Clouds on a flat layer above, fading toward the horizon.
        const float t = 1.0f / std::max(y, 0.02f);
        const float cloud = fbm(x * t * 0.6f + 3.1f, z * t * 0.6f, 4096, 4096, 6, 402u);
        const float cover = smoothstep(0.05f, 0.45f, cloud) * smoothstep(0.0f, 0.25f, y);
        const float lit = 0.85f + 0.15f * fbm(x * t * 0.6f + 3.3f, z * t * 0.6f + 0.2f, 4096, 4096, 3, 403u);
        sky = mix(sky, hex(0xf4f6f8) * lit, cover);
        const float toSun = std::max(0.0f, x * sunX + y * sunY + z * sunZ);
        sky = sky + hex(0xfff4d6) * (std::pow(toSun, 900.0f) * 2.0f + std::pow(toSun, 12.0f) * 0.25f);
        return sky;
    });
    return image;
}

} // namespace assetgen
