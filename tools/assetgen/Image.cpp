#include "tools/assetgen/Image.h"

namespace assetgen {

Rgb Image::sampleWrapped(float x, float y) const {
    x -= 0.5f;
    y -= 0.5f;
    const float fx = std::floor(x), fy = std::floor(y);
    const float tx = x - fx, ty = y - fy;
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    const int x0 = wrap(static_cast<int>(fx), width), y0 = wrap(static_cast<int>(fy), height);
    const int x1 = (x0 + 1) % width, y1 = (y0 + 1) % height;
    return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

Image mapped(const Image& source, Rgb (*fn)(Rgb)) {
    Image out = source;
    for (Rgb& p : out.pixels)
        p = fn(p);
    return out;
}

namespace {

struct Tap {
    int source;
    float weight;
};

// For each pixel along one axis of the new size, the source pixels it is made of.
std::vector<std::vector<Tap>> taps(int from, int to) {
    const float scale = static_cast<float>(from) / static_cast<float>(to);
    std::vector<std::vector<Tap>> out(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        std::vector<Tap>& t = out[static_cast<size_t>(i)];
        if (scale > 1.0f) {
            const float lo = i * scale, hi = (i + 1) * scale;
            for (int s = static_cast<int>(lo); s < from && static_cast<float>(s) < hi; ++s)
                t.push_back({s, (std::min(hi, s + 1.0f) - std::max(lo, static_cast<float>(s))) / scale});
        } else {
            const float centre = std::max(0.0f, (i + 0.5f) * scale - 0.5f);
            const int s = std::min(static_cast<int>(centre), from - 1);
            const float f = centre - static_cast<float>(s);
            t.push_back({s, 1.0f - f});
            t.push_back({std::min(s + 1, from - 1), f});
        }
    }
    return out;
}

void boxPass(std::vector<Rgb>& data, int count, int stride, int lines, int lineStride, int radius,
             std::vector<Rgb>& scratch) {
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    scratch.resize(static_cast<size_t>(count));
    for (int line = 0; line < lines; ++line) {
        Rgb* base = data.data() + static_cast<size_t>(line) * lineStride;
        Rgb sum;
        for (int k = -radius; k <= radius; ++k)
            sum += base[static_cast<size_t>(((k % count) + count) % count) * stride];
        for (int i = 0; i < count; ++i) {
            scratch[static_cast<size_t>(i)] = sum * norm;
            const int leaving = ((i - radius) % count + count) % count;
            const int entering = (i + radius + 1) % count;
            sum += base[static_cast<size_t>(entering) * stride] - base[static_cast<size_t>(leaving) * stride];
        }
        for (int i = 0; i < count; ++i)
            base[static_cast<size_t>(i) * stride] = scratch[static_cast<size_t>(i)];
    }
}

} // namespace

Image resampled(Image source, int width, int height) {
    if (source.width == width && source.height == height)
        return source;
    const auto across = taps(source.width, width), down = taps(source.height, height);
    Image wide(width, source.height);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x)
            for (const Tap& t : across[static_cast<size_t>(x)])
                wide.at(x, y) += source.at(t.source, y) * t.weight;
    Image out(width, height);
    for (int y = 0; y < height; ++y)
        for (const Tap& t : down[static_cast<size_t>(y)])
            for (int x = 0; x < width; ++x)
                out.at(x, y) += wide.at(x, t.source) * t.weight;
    return out;
}

void blurWrapped(Image& image, int radius, int passes) {
    std::vector<Rgb> scratch;
    for (int p = 0; p < passes; ++p) {
        boxPass(image.pixels, image.width, 1, image.height, image.width, radius, scratch);
        boxPass(image.pixels, image.height, image.width, image.width, 1, radius, scratch);
    }
}

} // namespace assetgen
