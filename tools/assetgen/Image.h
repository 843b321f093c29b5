// Float RGB pictures and the few shape and colour helpers every texture is painted with.
// Row 0 is the top of the picture as the player is meant to see it; the BMP writer handles file order.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Rgb operator*(float s, Rgb a) {
    return a * s;
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb& operator+=(Rgb& a, Rgb b) {
    return a = a + b;
}
inline Rgb grey(float v) {
    return {v, v, v};
}
inline Rgb hex(unsigned rgb) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f};
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
inline float mix(float a, float b, float t) {
    return a + (b - a) * t;
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return a + (b - a) * t;
}
inline float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
inline float luminance(Rgb c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

// Anti-aliased coverage of a shape from its signed distance in pixels (negative inside).
inline float cover(float signedDistance, float softness = 1.0f) {
    return clamp01(0.5f - signedDistance / softness);
}

inline float sdCircle(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

inline float sdSegment(float x, float y, float ax, float ay, float bx, float by, float radius) {
    const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0.0f ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - dx * t, py - dy * t) - radius;
}

// Rounded box centred at (cx, cy) with half sizes hx, hy and corner radius r.
inline float sdBox(float x, float y, float cx, float cy, float hx, float hy, float r = 0.0f) {
    const float qx = std::abs(x - cx) - hx + r, qy = std::abs(y - cy) - hy + r;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

struct Vec2 {
    float x, y;
};

// Distance to a stroked path (capsules between consecutive points).
inline float sdPolyline(float x, float y, const std::vector<Vec2>& points, float radius) {
    float best = 1e9f;
    for (size_t i = 1; i < points.size(); ++i)
        best = std::min(best,
                        sdSegment(x, y, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, radius));
    return best;
}

// Signed distance to a convex polygon, either winding. Exact near edges, good enough for anti-aliasing.
inline float sdConvex(float x, float y, const std::vector<Vec2>& points) {
    const Vec2 p0 = points[0], p1 = points[1], p2 = points[2];
    const float winding =
        ((p1.x - p0.x) * (p2.y - p0.y) - (p1.y - p0.y) * (p2.x - p0.x)) > 0.0f ? 1.0f : -1.0f;
    float best = -1e9f;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec2 a = points[i], b = points[(i + 1) % points.size()];
        const float ex = b.x - a.x, ey = b.y - a.y, len = std::hypot(ex, ey);
        best = std::max(best, winding * ((x - a.x) * ey - (y - a.y) * ex) / len);
    }
    return best;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image() = default;
    Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Bilinear sample with wrap-around, coordinates in pixels.
    Rgb sampleWrapped(float x, float y) const;

    template <class Fn> void forEach(Fn&& fn) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                at(x, y) = fn(x + 0.5f, y + 0.5f);
    }
};

// The picture at another size: averaged over each new pixel's footprint where it shrinks, interpolated
// where it grows. Edges are clamped, not wrapped, so a dark border stays dark.
Image resampled(Image source, int width, int height);
// Same picture, every pixel run through one colour map.
Image mapped(const Image& source, Rgb (*fn)(Rgb));
// Separable box blur with wrap-around, repeated `passes` times (three passes look Gaussian).
void blurWrapped(Image& image, int radius, int passes);

} // namespace assetgen
