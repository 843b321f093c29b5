#include "tools/assetgen/Noise.h"

#include "tools/assetgen/Random.h"

#include <cmath>

namespace assetgen {
namespace {

int wrap(int v, int n) {
    const int m = v % n;
    return m < 0 ? m + n : m;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

// Sixteen evenly spread unit gradients; enough to hide the lattice.
struct GradientTable {
    float x[16], y[16];
    GradientTable() {
        for (int i = 0; i < 16; ++i) {
            const double a = (i + 0.5) * 3.14159265358979323846 / 8.0;
            x[i] = static_cast<float>(std::cos(a));
            y[i] = static_cast<float>(std::sin(a));
        }
    }
};
const GradientTable kGradients;

float corner(int ix, int iy, float dx, float dy, uint32_t seed) {
    const uint32_t h = hash2(ix, iy, seed) & 15u;
    return kGradients.x[h] * dx + kGradients.y[h] * dy;
}

} // namespace

float gradientNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    const int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    const int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    const float u = fade(dx), v = fade(dy);
    const float a = corner(x0, y0, dx, dy, seed), b = corner(x1, y0, dx - 1.0f, dy, seed);
    const float c = corner(x0, y1, dx, dy - 1.0f, seed), d = corner(x1, y1, dx - 1.0f, dy - 1.0f, seed);
    const float top = a + (b - a) * u, bottom = c + (d - c) * u;
    return (top + (bottom - top) * v) * 1.4142f;
}

float fbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed, float gain) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * gradientNoise(x, y, periodX, periodY, seed + 977u * static_cast<uint32_t>(o));
        norm += amplitude;
        amplitude *= gain;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

float ridged(float x, float y, int periodX, int periodY, int octaves, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f, weight = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        float n =
            1.0f - std::abs(gradientNoise(x, y, periodX, periodY, seed + 131u * static_cast<uint32_t>(o)));
        n *= n * weight;
        weight = std::fmin(1.0f, n * 2.0f);
        sum += n * amplitude;
        norm += amplitude;
        amplitude *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

CellSample cellular(float x, float y, int periodX, int periodY, uint32_t seed, float jitter) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    CellSample best{1e9f, 1e9f, 0u};
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            const int cx = wrap(ix + ox, periodX), cy = wrap(iy + oy, periodY);
            const float px = ix + ox + 0.5f + (hashUnit(cx, cy, seed) - 0.5f) * jitter;
            const float py = iy + oy + 0.5f + (hashUnit(cx, cy, seed ^ 0x5bd1e995u) - 0.5f) * jitter;
            const float d = std::hypot(px - x, py - y);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = hash2(cx, cy, seed ^ 0x27d4eb2du);
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    return best;
}

} // namespace assetgen
