#include "tools/assetgen/Relief.h"

#include "tools/assetgen/Image.h"
#include "tools/assetgen/Noise.h"
#include "towns/TownTable.h"

#include <cmath>
#include <span>

namespace assetgen {
namespace {

struct Point {
    float column, row;
};

struct Channel {
    std::vector<Point> course;
    float width = 1.0f; // scales floor and wall widths: the trunk is broader than the side arms
};

// The valley's course, drawn through the towns' grid points. It enters at the restart basin in the
// north-west corner, runs south along the western edge, then east and north-east to Hamburg.
const std::vector<Channel>& channels() {
    static const std::vector<Channel> kChannels{
        {{{50, 13}, {72, 70}, {62, 140}, {40, 215}, {30, 295}}, 0.9f},        // restart basin -> Rosenheim
        {{{30, 295}, {70, 330}, {107, 353}, {128, 400}, {153, 445}}, 1.0f},   // -> Friedrichshafen -> Bremen
        {{{153, 445}, {192, 432}, {230, 440}, {265, 431}}, 1.0f},             // -> Dortmund -> Leipzig
        {{{265, 431}, {256, 462}, {254, 493}}, 0.8f},                         // Leipzig -> Augsburg
        {{{265, 431}, {282, 384}, {294, 320}, {330, 290}, {365, 273}}, 1.1f}, // -> Bonn -> Duisburg -> Koeln
        {{{365, 273}, {415, 260}, {446, 224}, {490, 210}, {524, 213}},
         1.3f},                                                   // trunk -> Frankfurt -> Bayreuth
        {{{524, 213}, {537, 192}, {545, 150}, {535, 115}}, 0.9f}, // -> Rostock past start 4
        {{{524, 213}, {570, 205}, {613, 192}}, 1.0f},             // -> Dinkelsbuehl
        {{{415, 260}, {470, 280}, {530, 287}, {604, 266}}, 1.1f}, // Karlsruhe -> Dresden -> Stuttgart
        {{{604, 266}, {640, 309}}, 1.0f},                         // -> Nuernberg's floor
        {{{640, 309}, {700, 352}, {770, 352}, {827, 336}}, 1.2f}, // -> Ulm
        {{{827, 336}, {829, 235}, {838, 167}, {868, 91}}, 1.0f},  // -> Leverkusen -> Kassel -> Hamburg
        {{{613, 192}, {680, 178}, {760, 182}, {838, 167}}, 0.9f}, // Dinkelsbuehl -> Kassel
    };
    return kChannels;
}

struct Pad {
    Point centre;
    float height;
    float flatRadius = 4.5f;
    float blendRadius = 12.0f;
};

float distanceToSegment(Point p, Point a, Point b) {
    return sdSegment(p.column, p.row, a.column, a.row, b.column, b.row, 0.0f);
}

// How far a point lies outside the valley: 0 on the floor, 1 at the top of the walls. Each channel and
// each town's basin opens the ground by itself; the smallest value wins, so arms merge without seams.
float valleyOutside(Point p) {
    const float halfWidth = 11.0f + 7.0f * fbm(p.column / 90.0f, p.row / 90.0f, 64, 64, 3, 31u);
    const float wall = 30.0f + 16.0f * fbm(p.column / 70.0f, p.row / 70.0f, 64, 64, 3, 32u);
    float best = 1e9f;
    for (const Channel& channel : channels()) {
        float d = 1e9f;
        for (size_t k = 1; k < channel.course.size(); ++k)
            d = std::min(d, distanceToSegment(p, channel.course[k - 1], channel.course[k]));
        best = std::min(best, (d - channel.width * halfWidth) / (channel.width * wall));
    }
    for (const TownEntry& town : kTownTable) {
        const float d = std::hypot(p.column - town.placement.column, p.row - town.placement.row);
        best = std::min(best, (d - 16.0f) / 34.0f);
    }
    return smoothstep(0.0f, 1.0f, best);
}

// The floor's own level: broad basins and sills, always well under water, deepening to the east.
float floorLevel(float column, float row) {
    return -32.0f - 14.0f * (column / kReliefColumns) +
           10.0f * fbm(column / 96.0f, row / 96.0f, 64, 64, 3, 11u);
}

// The relief before pads and border: floor, walls and highland.
float naturalHeight(float column, float row) {
    // Meanders: the valley follows its course only roughly.
    const float warpX = 7.0f * fbm(column / 60.0f, row / 60.0f, 64, 64, 2, 21u);
    const float warpY = 7.0f * fbm(column / 60.0f, row / 60.0f, 64, 64, 2, 22u);
    const float t = valleyOutside({column + warpX, row + warpY});

    const float floor = floorLevel(column, row) + 2.5f * fbm(column / 14.0f, row / 14.0f, 128, 128, 3, 41u);
    const float mountains = 46.0f * ridged(column / 140.0f, row / 140.0f, 64, 64, 5, 51u);
    const float highland = 14.0f + 18.0f * fbm(column / 80.0f, row / 80.0f, 64, 64, 5, 52u) + mountains;
    // Gullies and ledges on the walls, strongest half way up.
    const float wallDetail =
        11.0f * fbm(column / 16.0f, row / 16.0f, 128, 128, 4, 61u) * 4.0f * t * (1.0f - t);
    return mix(floor, highland, t) + wallDetail;
}

Point restartPoint() {
    return {static_cast<float>(kRestartPosition[0] / 4.0), static_cast<float>(-kRestartPosition[2] / 4.0)};
}

std::vector<Pad> pads() {
    std::vector<Pad> result;
    auto floorAt = [](int column, int row) {
        return std::clamp(std::round(floorLevel(static_cast<float>(column), static_cast<float>(row))), -60.0f,
                          -6.0f);
    };
    for (const TownEntry& town : kTownTable) {
        const GridPlacement& g = town.placement;
        if (g.dx == 0.0 && g.dz == 0.0) {
            result.push_back({{float(g.column), float(g.row)}, floorAt(g.column, g.row)});
            continue;
        }
        // A town moved off its grid point (Nuernberg) lands dy lower on the valley floor; its grid point
        // becomes a ledge on the valley wall at exactly that height above the landing.
        const float landColumn = static_cast<float>(g.column + g.dx / 4.0);
        const float landRow = static_cast<float>(g.row - g.dz / 4.0);
        const float floor = floorAt(static_cast<int>(landColumn), static_cast<int>(landRow));
        const float wall = std::round(naturalHeight(float(g.column), float(g.row)));
        const float ledge =
            std::clamp(wall, static_cast<float>(floor - g.dy) - 8.0f, static_cast<float>(-g.dy) - 6.0f);
        result.push_back({{landColumn, landRow}, static_cast<float>(ledge + g.dy)});
        result.push_back({{float(g.column), float(g.row)}, ledge});
    }
    // Start points take the height of the town they start beside, so both pads agree.
    for (const GridPlacement& s : kStartPoints) {
        const Point grid{float(s.column), float(s.row)};
        const Point pos{static_cast<float>(s.column + s.dx / 4.0), static_cast<float>(s.row - s.dz / 4.0)};
        float height = floorAt(s.column, s.row);
        for (const Pad& pad : result)
            if (std::hypot(pad.centre.column - grid.column, pad.centre.row - grid.row) < 15.0f)
                height = pad.height;
        result.push_back({grid, height});
        result.push_back({pos, height});
    }
    return result;
}

float applyPad(float height, const Pad& pad, float column, float row) {
    const float d = std::hypot(column - pad.centre.column, row - pad.centre.row);
    return d < pad.blendRadius ? mix(pad.height, height, smoothstep(pad.flatRadius, pad.blendRadius, d))
                               : height;
}

float smoothMax(float a, float b, float k) {
    const float h = clamp01(0.5f + 0.5f * (a - b) / k);
    return mix(b, a, h) + k * h * (1.0f - h);
}

} // namespace

Relief makeRelief() {
    const std::vector<Pad> padList = pads();
    const Point restart = restartPoint();
    Relief relief;
    relief.height.resize(static_cast<size_t>(kReliefColumns) * kReliefRows);
    for (int row = 0; row < kReliefRows; ++row) {
        for (int column = 0; column < kReliefColumns; ++column) {
            const float c = static_cast<float>(column), r = static_cast<float>(row);
            // The restart position hangs in a deep basin against the northern wall, which the rim below
            // then closes off.
            float h = applyPad(naturalHeight(c, r), {restart, -62.0f, 4.0f, 14.0f}, c, r);
            // The valley is closed: the map's rim always rises out of the water. Only beside the restart
            // basin, ten rows from the rim, does it have to rise as a cliff.
            const float edge = static_cast<float>(std::min(std::min(column, kReliefColumns - 1 - column),
                                                           std::min(row, kReliefRows - 1 - row)));
            const float toRestart = std::hypot(c - restart.column, r - restart.row);
            const float rimSlope = mix(10.0f, 4.0f, smoothstep(16.0f, 40.0f, toRestart));
            h = smoothMax(h, 32.0f - rimSlope * edge, 4.0f);
            // Pads last, so nothing else tilts them; none lies near enough to the rim to lower it.
            for (const Pad& pad : padList)
                h = applyPad(h, pad, c, r);
            relief.height[static_cast<size_t>(row) * kReliefColumns + column] =
                std::clamp(static_cast<int>(std::lround(h)), -128, 127);
        }
    }
    return relief;
}

std::vector<uint8_t> reliefSamples(const Relief& relief) {
    std::vector<uint8_t> samples(relief.height.size());
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<uint8_t>(relief.height[i] + 128);
    return samples;
}

} // namespace assetgen
