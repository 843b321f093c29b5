#include "tools/assetgen/Textures.h"

#include "tools/assetgen/HudLayout.h"
#include "tools/assetgen/Noise.h"

#include <cmath>

namespace assetgen {
namespace {

using namespace hud;

// Brushed gunmetal with a lit top edge; `d` is the panel's signed distance.
Rgb metal(float x, float y, float d, float height) {
    const float brushed = 0.03f * gradientNoise(x / 40.0f, y * 2.0f, 64, 1024, 901u);
    Rgb c = mix(hex(0x56606a), hex(0x252b31), y / height) + grey(brushed);
    c = c + grey(0.25f * cover(std::abs(d + 2.0f) - 1.0f)); // bevel highlight just inside the edge
    return c;
}

float rivet(float x, float y, float cx, float cy) {
    return cover(sdCircle(x, y, cx, cy, 2.5f));
}

float bottomPanel(float x, float y) {
    return sdBox(x, y, (2.0f + kPanelRight) / 2, 32.0f, (kPanelRight - 2.0f) / 2, 30.0f, 10.0f);
}

float sidePanel(float x, float y) {
    return sdBox(x, y, 32.0f, (kSideTop + 510.0f) / 2, 30.0f, (510.0f - kSideTop) / 2, 10.0f);
}

Rgb segmentColour(int filled) {
    if (filled <= 3)
        return hex(0xff3a22);
    if (filled <= 6)
        return hex(0xffb21e);
    return hex(0x46f06a);
}

Image maskOf(int width, int height, float (*panel)(float, float)) {
    Image image(width, height);
    image.forEach([panel](float x, float y) { return grey(1.0f - cover(panel(x, y))); });
    return image;
}

// A standing person: head, torso, arms and legs in a 128 x 256 picture.
float personShape(float x, float y) {
    float d = sdCircle(x, y, 64, 46, 21);
    d = std::min(d, sdBox(x, y, 64, 118, 25, 42, 14));
    d = std::min(d, sdSegment(x, y, 38, 90, 24, 160, 8.5f));
    d = std::min(d, sdSegment(x, y, 90, 90, 104, 160, 8.5f));
    d = std::min(d, sdSegment(x, y, 53, 150, 49, 226, 11.0f));
    d = std::min(d, sdSegment(x, y, 75, 150, 79, 226, 11.0f));
    return d;
}

} // namespace

Image paintBottomBar() {
    Image image(512, 64);
    image.forEach([](float x, float y) {
        const float d = bottomPanel(x, y);
        if (d > 1.0f)
            return Rgb{};
        Rgb c = metal(x, y, d, 64.0f);
        for (float rx : {12.0f, kPanelRight - 10.0f})
            for (float ry : {12.0f, 52.0f})
                c = mix(c, hex(0x8d979f), rivet(x, y, rx, ry));
        // Light plate under the black score and life lines.
        const float plate = sdBox(x, y, (kTextPlateLeft + kTextPlateRight) / 2, 32.0f,
                                  (kTextPlateRight - kTextPlateLeft) / 2, 29.0f, 4.0f);
        c = mix(c, hex(0x1a1e22), cover(plate - 1.5f, 2.0f)); // groove round it
        c = mix(c, mix(hex(0xdfe4da), hex(0xc3cabf), y / 64.0f), cover(plate));
        // Recessed slot for the life segments: black, so that the segments added on top show pure.
        const float slot = sdBox(x, y, (kSlotLeft + kSlotRight) / 2, (kSlotTop + kSlotBottom) / 2,
                                 (kSlotRight - kSlotLeft) / 2, (kSlotBottom - kSlotTop) / 2, 3.0f);
        c = mix(c, hex(0x0b0d0f), cover(slot - 1.5f, 2.0f));
        c = mix(c, grey(0.01f), cover(slot));
        return c * cover(d);
    });
    return image;
}

Image paintBottomBarMask() {
    return maskOf(512, 64, bottomPanel);
}

Image paintHealthBar(int number) {
    // Every frame but the last lights that many segments; the last is the emptied bar.
    const int filled = number < kHealthFrames ? number : 0;
    Image image(512, 64);
    image.forEach([filled](float x, float y) {
        Rgb c;
        for (int k = 0; k < kSegments; ++k) {
            const float left = kSlotLeft + 3.0f + k * kSegmentPitch;
            const float d =
                sdBox(x, y, left + (kSegmentPitch - 1.5f) / 2, (kSlotTop + kSlotBottom) / 2,
                      (kSegmentPitch - 1.5f) / 2 - 0.5f, (kSlotBottom - kSlotTop) / 2 - 4.0f, 1.5f);
            if (k < filled) {
                const float sheen = 1.0f - 0.35f * ((y - kSlotTop) / (kSlotBottom - kSlotTop));
                c += segmentColour(filled) * (cover(d) * sheen) +
                     segmentColour(filled) * (0.25f * std::exp(-std::max(d, 0.0f) / 2.0f));
            } else {
                // Dead segment: a faint outline, reddish once the bar is empty.
                const Rgb dead = filled == 0 ? hex(0x5a1008) : hex(0x1e2628);
                c += dead * cover(std::abs(d) - 0.6f);
            }
        }
        // Nothing may spill past the slot: outside it the scene shows through.
        const float slot =
            sdBox(x, y, (kSlotLeft + kSlotRight) / 2, (kSlotTop + kSlotBottom) / 2,
                  (kSlotRight - kSlotLeft) / 2 - 1.0f, (kSlotBottom - kSlotTop) / 2 - 1.0f, 3.0f);
        return Rgb{clamp01(c.r), clamp01(c.g), clamp01(c.b)} * cover(slot);
    });
    return image;
}

Image paintHealthMask() {
    Image image(512, 64);
    image.forEach([](float x, float y) {
        const float slot = sdBox(x, y, (kSlotLeft + kSlotRight) / 2, (kSlotTop + kSlotBottom) / 2,
                                 (kSlotRight - kSlotLeft) / 2, (kSlotBottom - kSlotTop) / 2, 3.0f);
        return grey(1.0f - cover(slot));
    });
    return image;
}

Image paintSideBar() {
    Image image(64, 512);
    image.forEach([](float x, float y) {
        const float d = sidePanel(x, y);
        if (d > 1.0f)
            return Rgb{};
        Rgb c = metal(y, x, d, 64.0f); // brushed across the narrow side
        for (float ry : {kSideTop + 12.0f, 498.0f})
            c = mix(c, hex(0x8d979f), rivet(x, y, 32.0f, ry));
        // Heat track, black inside so the fill shows pure; a scale of faint ticks and the overheat mark.
        const float track =
            sdBox(x, y, 32.0f, (kTrackTop + kTrackBottom) / 2, 30.5f, (kTrackBottom - kTrackTop) / 2, 3.0f);
        c = mix(c, hex(0x0b0d0f), cover(track - 1.5f, 2.0f));
        const float tick = std::abs(std::fmod(kTrackBottom - y, 14.6f) - 7.3f) > 6.8f ? 0.05f : 0.0f;
        c = mix(c, grey(0.01f + tick * (std::abs(x - 32.0f) > 22.0f ? 1.0f : 0.0f)), cover(track));
        const float mark =
            std::min(sdConvex(x, y, {{1, kOverheatRow - 4}, {1, kOverheatRow + 4}, {7, kOverheatRow}}),
                     sdConvex(x, y, {{63, kOverheatRow + 4}, {63, kOverheatRow - 4}, {57, kOverheatRow}}));
        c = mix(c, hex(0xe02a1a), cover(mark));
        // Torpedo silhouette above the count plate.
        const float torpedo = std::min(sdBox(x, y, 32.0f, 405.0f, 6.0f, 22.0f, 6.0f),
                                       sdConvex(x, y, {{20, 433}, {44, 433}, {32, 417}}));
        c = mix(c, hex(0xc9b27a), cover(torpedo));
        const float plate = sdBox(x, y, 32.0f, (kCountPlateTop + kCountPlateBottom) / 2, 27.0f,
                                  (kCountPlateBottom - kCountPlateTop) / 2, 4.0f);
        c = mix(c, hex(0x1a1e22), cover(plate - 1.5f, 2.0f));
        c = mix(c, mix(hex(0xdfe4da), hex(0xc3cabf), (y - kCountPlateTop) / 56.0f), cover(plate));
        return c * cover(d);
    });
    return image;
}

Image paintSideBarMask() {
    return maskOf(64, 512, sidePanel);
}

Image paintHeatGradient() {
    // Row 0 (the top of the fill) glows white hot; the bottom is dull, cool metal red.
    Image image(64, 512);
    const Rgb stops[] = {hex(0xfff6d8), hex(0xffd23c), hex(0xff7a12), hex(0xc8260a), hex(0x4a0a04)};
    image.forEach([&](float x, float y) {
        const float t = y / 512.0f * 4.0f;
        const int k = std::min(static_cast<int>(t), 3);
        Rgb c = mix(stops[k], stops[k + 1], t - k);
        const float across = std::abs(x - 32.0f) / 32.0f;
        c = c * (1.0f - 0.45f * across * across); // rounded like a glowing rod
        const float band = std::abs(std::fmod(y, 32.0f) - 16.0f) > 15.0f ? 0.8f : 1.0f;
        return c * band;
    });
    return image;
}

Image paintCrosshair() {
    Image image(512, 512);
    image.forEach([](float x, float y) {
        const float c = 256.0f;
        float d = sdSegment(x, y, c, c - 150, c, c - 34, 1.4f);
        d = std::min(d, sdSegment(x, y, c, c + 34, c, c + 150, 1.4f));
        d = std::min(d, sdSegment(x, y, c - 150, c, c - 34, c, 1.4f));
        d = std::min(d, sdSegment(x, y, c + 34, c, c + 150, c, 1.4f));
        const float r = std::hypot(x - c, y - c);
        const float angle = std::atan2(y - c, x - c);
        const float gap = std::abs(std::sin(2.0f * angle)); // the ring breaks where the arms cross it
        d = std::min(d, gap > 0.35f ? std::abs(r - 96.0f) - 0.9f : 1e9f);
        d = std::min(d, sdCircle(x, y, c, c, 3.5f));
        const float line = cover(d, 1.2f);
        return hex(0xd8ffe4) * line;
    });
    return image;
}

Image paintCrosshairMask() {
    Image cross = paintCrosshair();
    for (Rgb& p : cross.pixels)
        p = grey(1.0f - clamp01(p.g * 1.6f));
    return cross;
}

Image paintPerson(PersonState state) {
    Image image(128, 256);
    const Rgb colour = state == PersonState::OutOfReach ? hex(0xff3b2a)
                       : state == PersonState::InReach  ? hex(0x3dff62)
                                                        : hex(0xb8f4ff);
    image.forEach([&](float x, float y) {
        const float d = personShape(x, y);
        const float glow = 0.35f * std::exp(-std::max(d, 0.0f) / 6.0f);
        if (state != PersonState::Beaming) {
            const float inner = 0.75f + 0.25f * smoothstep(-10.0f, 0.0f, d); // brighter outline
            return colour * std::min(1.0f, cover(d) * inner + glow) *
                   smoothstep(0.0f, 6.0f, std::min(x, 128.0f - x));
        }
        // Beaming: a column of light, the figure dissolving into bright bands that run up it.
        const float column = std::exp(-std::pow((x - 64.0f) / 34.0f, 4.0f)) * smoothstep(0.0f, 18.0f, y) *
                             smoothstep(256.0f, 238.0f, y);
        const float bands = 0.55f + 0.45f * std::sin(y * 0.35f);
        const float sparkle =
            std::pow(std::max(0.0f, gradientNoise(x / 5.0f, y / 5.0f, 32, 64, 905u)), 3.0f) * 3.0f;
        Rgb c = hex(0x2a7fd0) * (column * 0.55f) + hex(0xe8fbff) * (column * sparkle);
        c += colour * ((cover(d) * bands + glow) * 0.95f);
        return Rgb{clamp01(c.r), clamp01(c.g), clamp01(c.b)} *
               smoothstep(0.0f, 4.0f, std::min(x, 128.0f - x));
    });
    return image;
}

Image paintPointer() {
    Image image(64, 32);
    image.forEach([](float x, float y) {
        const float shaft = sdBox(x, y, 21.0f, 16.0f, 15.0f, 3.5f, 2.0f);
        const float head = sdConvex(x, y, {{33, 5}, {56, 16}, {33, 27}});
        const float d = std::min(shaft, head);
        return mix(hex(0xffc83a), hex(0xfffbe6), smoothstep(-4.0f, 0.0f, -d)) * cover(d) +
               hex(0xffc83a) * (0.3f * std::exp(-std::max(d, 0.0f) / 2.0f) * cover(d - 3.0f));
    });
    return image;
}

} // namespace assetgen
