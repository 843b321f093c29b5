#include "tools/contactsheet/Relief.h"

#include "tools/contactsheet/Font.h"
#include "towns/TownTable.h"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace contactsheet {
namespace {

constexpr int kColumns = 1024, kRows = 512;
constexpr float kWater = 20.0f;

struct Colour {
    float b, g, r;
};

Colour mix(Colour a, Colour c, float t) {
    return {a.b + (c.b - a.b) * t, a.g + (c.g - a.g) * t, a.r + (c.r - a.r) * t};
}

class Heights {
public:
    explicit Heights(const cv::Mat& depth) : h_(static_cast<size_t>(kColumns) * kRows) {
        // The file's first stored row is grid row 0; the image library returns the last stored row first.
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column)
                h_[static_cast<size_t>(row) * kColumns + column] =
                    depth.at<cv::Vec3b>(kRows - 1 - row, column)[2] - 128.0f;
    }
    float at(int column, int row) const {
        return h_[static_cast<size_t>(std::clamp(row, 0, kRows - 1)) * kColumns +
                  std::clamp(column, 0, kColumns - 1)];
    }
    float sample(float column, float row) const {
        const int c = static_cast<int>(std::floor(column)), r = static_cast<int>(std::floor(row));
        const float tc = column - c, tr = row - r;
        const float top = at(c, r) + (at(c + 1, r) - at(c, r)) * tc;
        const float bottom = at(c, r + 1) + (at(c + 1, r + 1) - at(c, r + 1)) * tc;
        return top + (bottom - top) * tr;
    }
    // Ground colour by height, lit from the north-west, seen through clear water below the surface.
    Colour colour(float column, float row, bool contours = true) const {
        const float h = sample(column, row);
        const float dx = (sample(column + 1, row) - sample(column - 1, row)) / 8.0f;
        const float dz = (sample(column, row + 1) - sample(column, row - 1)) / 8.0f;
        const float light = std::clamp(0.75f + 1.4f * (-dx * 0.6f + dz * 0.6f), 0.35f, 1.35f);
        Colour ground = h < 30   ? Colour{110, 170, 196}
                        : h < 55 ? Colour{78, 128, 118}
                                 : Colour{120, 132, 140};
        if (h > 75)
            ground = {225, 228, 232};
        ground = {ground.b * light, ground.g * light, ground.r * light};
        if (h <= kWater) {
            const float depth = std::clamp((kWater - h) / 90.0f, 0.0f, 1.0f);
            ground = mix(ground, Colour{120, 70, 20}, 0.35f + 0.55f * depth);
        }
        const float contour = std::fabs(std::fmod(h + 1000.0f, 10.0f) - 5.0f);
        const float slope = std::max(0.15f, std::hypot(dx, dz) * 4.0f);
        if (contours && (5.0f - contour) / slope < 0.6f)
            ground = mix(ground, Colour{0, 0, 0}, 0.18f);
        return ground;
    }

private:
    std::vector<float> h_;
};

cv::Vec3b toPixel(Colour c) {
    auto byte = [](float v) { return static_cast<uchar>(std::clamp(v, 0.0f, 255.0f)); };
    return {byte(c.b), byte(c.g), byte(c.r)};
}

void label(cv::Mat& image, int x, int y, const std::string& text, cv::Vec3b colour) {
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox)
            drawText(image, x + ox, y + oy, text, cv::Vec3b(20, 20, 20), 2);
    drawText(image, x, y, text, colour, 2);
}

void dot(cv::Mat& image, int cx, int cy, int radius, cv::Vec3b colour) {
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if (x >= 0 && y >= 0 && x < image.cols && y < image.rows &&
                (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                image.at<cv::Vec3b>(y, x) = colour;
}

// Top view at twice the grid's resolution; grid row 0 (z = 0) at the bottom, column 0 at the left.
void topView(cv::Mat& sheet, const Heights& heights, int originY) {
    for (int y = 0; y < 2 * kRows; ++y)
        for (int x = 0; x < 2 * kColumns; ++x)
            sheet.at<cv::Vec3b>(originY + y, x) = toPixel(heights.colour(x / 2.0f, kRows - 1 - y / 2.0f));
    auto place = [&](double column, double row) {
        return cv::Point(static_cast<int>(column * 2), originY + static_cast<int>((kRows - 1 - row) * 2));
    };
    for (const TownEntry& town : kTownTable) {
        const GridPlacement& g = town.placement;
        const cv::Point p = place(g.column + g.dx / 4.0, g.row - g.dz / 4.0);
        dot(sheet, p.x, p.y, 7, cv::Vec3b(20, 20, 20));
        dot(sheet, p.x, p.y, 5, cv::Vec3b(40, 60, 255));
        label(sheet, p.x + 10, p.y - 7, town.name, cv::Vec3b(255, 255, 255));
    }
    for (size_t k = 0; k < kStartPoints.size(); ++k) {
        const GridPlacement& s = kStartPoints[k];
        const cv::Point p = place(s.column + s.dx / 4.0, s.row - s.dz / 4.0);
        dot(sheet, p.x, p.y, 4, cv::Vec3b(40, 230, 255));
        label(sheet, p.x - 28, p.y + 8, "S" + std::to_string(k), cv::Vec3b(40, 230, 255));
    }
    const cv::Point r = place(kRestartPosition[0] / 4.0, -kRestartPosition[2] / 4.0);
    dot(sheet, r.x, r.y, 5, cv::Vec3b(255, 255, 255));
    label(sheet, r.x + 10, r.y - 7, "restart", cv::Vec3b(255, 255, 255));
}

// Oblique parallel view from the south edge: each screen column walks the grid from near to far and
// paints only what rises above everything nearer.
void obliqueView(cv::Mat& sheet, const Heights& heights, int originY, int viewHeight) {
    constexpr float kDepthStep = 1.2f, kHeightScale = 1.2f;
    const int baseline = originY + viewHeight - 20;
    for (int x = 0; x < sheet.cols; ++x) {
        const float column = x / 2.0f;
        int lowestFree = baseline;
        for (float row = 0.0f; row < kRows - 1 && lowestFree > originY; row += 0.25f) {
            const float h = heights.sample(column, row);
            const int top =
                std::max(originY, static_cast<int>(baseline - row * kDepthStep - (h + 70.0f) * kHeightScale));
            if (top >= lowestFree)
                continue;
            // The near edge shows a cut through the ground, not the first row's colour smeared down.
            Colour c = row == 0.0f ? Colour{52, 66, 78} : heights.colour(column, row, false);
            const float haze = row / kRows * 0.45f;
            c = mix(c, Colour{150, 110, 70}, haze);
            for (int y = top; y < lowestFree; ++y)
                sheet.at<cv::Vec3b>(y, x) = toPixel(c);
            lowestFree = top;
        }
    }
}

} // namespace

bool renderRelief(const std::filesystem::path& depthMap, const std::filesystem::path& out) {
    const cv::Mat depth = cv::imread(depthMap.string(), cv::IMREAD_COLOR);
    if (depth.cols != kColumns || depth.rows != kRows) {
        std::fprintf(stderr, "contactsheet: cannot read %s\n", depthMap.c_str());
        return false;
    }
    const Heights heights(depth);
    constexpr int kHeader = 60, kObliqueH = 900;
    cv::Mat sheet(kHeader + 2 * kRows + 40 + kObliqueH, 2 * kColumns, CV_8UC3, cv::Scalar(40, 36, 32));
    drawText(sheet, 14, 16,
             "valleyDepth.bmp from above (z = 0 at the bottom, as on the radar) and looking up the valley",
             cv::Vec3b(225, 230, 232), 3);
    topView(sheet, heights, kHeader);
    obliqueView(sheet, heights, kHeader + 2 * kRows + 40, kObliqueH);
    return cv::imwrite(out.string(), sheet, {cv::IMWRITE_PNG_COMPRESSION, 9});
}

} // namespace contactsheet
