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

void blurWrapped(Image& image, int radius, int passes) {
    std::vector<Rgb> scratch;
    for (int p = 0; p < passes; ++p) {
        boxPass(image.pixels, image.width, 1, image.height, image.width, radius, scratch);
        boxPass(image.pixels, image.height, image.width, image.width, 1, radius, scratch);
    }
}

} // namespace assetgen
