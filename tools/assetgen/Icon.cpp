#include "tools/assetgen/Icon.h"

#include "tools/assetgen/Files.h"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

IconPicture paintIcon(int size) {
    IconPicture icon{Image(size, size), std::vector<float>(static_cast<size_t>(size) * size)};
    // Drawn in units of the icon's width, so every size shows the same picture; edges soften by one pixel.
    const float px = 1.0f / static_cast<float>(size);
    const auto coverAt = [px](float distance) { return cover(distance / px); };
    const Rgb surface = hex(0x3a9fd0), deep = hex(0x0b2748), rim = hex(0x061a30);
    const Rgb hullLight = hex(0xffd34a), hullDark = hex(0xc98a12), glass = hex(0x13355a),
              foam = hex(0xe8f6ff);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) * px, v = (static_cast<float>(y) + 0.5f) * px;
            const float disc = sdCircle(u, v, 0.5f, 0.5f, 0.47f);
            Rgb c = mix(surface, deep, smoothstep(0.05f, 0.95f, v));
            // Light from the surface falls in slanted shafts.
            c += grey(0.08f * smoothstep(0.6f, 1.0f, std::sin((u * 2.0f + v) * 11.0f)) * (1.0f - v));
            c = mix(c, rim, 1.0f - coverAt(disc + 0.025f));
            const float hull = sdSegment(u, v, 0.24f, 0.6f, 0.7f, 0.6f, 0.11f);
            const float tower = sdBox(u, v, 0.44f, 0.47f, 0.075f, 0.07f, 0.025f);
            const float scope = std::min(sdSegment(u, v, 0.47f, 0.42f, 0.47f, 0.3f, 0.014f),
                                         sdSegment(u, v, 0.47f, 0.3f, 0.53f, 0.3f, 0.014f));
            const float screw = sdBox(u, v, 0.83f, 0.6f, 0.018f, 0.075f, 0.012f);
            const float body = std::min({hull, tower, scope, screw});
            const Rgb metal = mix(hullLight, hullDark, smoothstep(0.45f, 0.72f, v));
            c = mix(c, hullDark * 0.6f, coverAt(body - 0.012f)); // outline
            c = mix(c, metal, coverAt(body));
            for (const float wx : {0.36f, 0.47f, 0.58f}) {
                const float port = sdCircle(u, v, wx, 0.6f, 0.03f);
                c = mix(c, foam, coverAt(port));
                c = mix(c, glass, coverAt(port + 0.012f));
            }
            const float bubbles[][3] = {{0.3f, 0.4f, 0.035f}, {0.25f, 0.29f, 0.025f}, {0.31f, 0.2f, 0.018f}};
            for (const auto& [bx, by, br] : bubbles) {
                const float ring = std::abs(sdCircle(u, v, bx, by, br)) - 0.006f;
                c = mix(c, foam, coverAt(ring) * 0.9f);
            }
            icon.colour.at(x, y) = c;
            icon.alpha[static_cast<size_t>(y) * size + x] = coverAt(disc);
        }
    }
    return icon;
}

void writeIconPng(const std::string& path, const IconPicture& icon) {
    cv::Mat rgba(icon.colour.height, icon.colour.width, CV_8UC4);
    for (int y = 0; y < rgba.rows; ++y) {
        for (int x = 0; x < rgba.cols; ++x) {
            const Rgb c = icon.colour.at(x, y);
            const float a = icon.alpha[static_cast<size_t>(y) * rgba.cols + x];
            rgba.at<cv::Vec4b>(y, x) = {toByte(c.b), toByte(c.g), toByte(c.r), toByte(a)};
        }
    }
    if (!cv::imwrite(path, rgba))
        throw std::runtime_error("cannot write " + path);
}

} // namespace assetgen
