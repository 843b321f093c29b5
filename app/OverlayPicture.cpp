#include "app/OverlayPicture.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "core/PictureGl.h"

#include <algorithm>
#include <cmath>
#include <string>

std::array<int, 4> pixelsCovered(float leftEdge, float bottomEdge, float rightEdge, float topEdge) {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const auto window = [](float ndc, float shift, int origin, int size) {
        return static_cast<float>(origin) + (ndc + shift + 1.0f) * 0.5f * static_cast<float>(size);
    };
    const int left = std::max(v[0], static_cast<int>(std::floor(window(leftEdge, m[12], v[0], v[2]))));
    const int right =
        std::min(v[0] + v[2], static_cast<int>(std::ceil(window(rightEdge, m[12], v[0], v[2]))));
    const int bottom = std::max(v[1], static_cast<int>(std::floor(window(bottomEdge, m[13], v[1], v[3]))));
    const int top = std::min(v[1] + v[3], static_cast<int>(std::ceil(window(topEdge, m[13], v[1], v[3]))));
    return {left, bottom, std::max(right - left, 0), std::max(top - bottom, 0)};
}

namespace {

// Storage in steps of this many pixels, so that a score line one digit longer keeps its picture.
constexpr int kStoragePixels = 64;

int storageFor(int pixels) {
    return (pixels + kStoragePixels - 1) / kStoragePixels * kStoragePixels;
}

// Draws into the picture, shifted by whole pixels so that the same pixels are covered, now counted from
// the picture's corner; unblended, so the picture keeps the fragments as they would have been blended.
bool redraw(PictureSupport& support, Picture& picture, const std::array<int, 4>& box,
            const std::function<void()>& draw) {
    if (!fitPicture(support, picture, storageFor(box[2]), storageFor(box[3]), false))
        return false;
    GLint v[4], target = 0;
    glGetIntegerv(GL_VIEWPORT, v);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &target);
    GLfloat water[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, water);
    glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    glViewport(v[0] - box[0], v[1] - box[1], v[2], v[3]);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(water[0], water[1], water[2], water[3]);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    draw();
    glPopAttrib();
    glViewport(v[0], v[1], v[2], v[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));
    return true;
}

} // namespace

// Parts that change seldom cost as much to draw as the rest of the overlay: the radar's map and mask are
// four times the size they are drawn at, bitmap text goes glyph by glyph, and the gun is lit triangle by
// triangle. Copied back texel for pixel, the picture gives dst * (1 - alpha) + colour: exactly what the
// part's own blending gave.
void drawThroughPicture(PictureSupport& support, OverlayPicture& picture, const std::string& shows,
                        const std::array<int, 4>& box, const std::function<void()>& draw) {
    if (box[2] == 0 || box[3] == 0)
        return;
    if (picture.storage.texture == 0 || picture.pixels != box || picture.shows != shows) {
        picture.pixels = redraw(support, picture.storage, box, draw) ? box : std::array<int, 4>{};
        picture.shows = shows;
    }
    if (picture.pixels != box) {
        draw();
        return;
    }
    // A part may be drawn depth-tested: a picture's clear texels must not hide what is drawn after it.
    drawPicture(picture.storage, box, static_cast<float>(box[2]) / static_cast<float>(picture.storage.width),
                static_cast<float>(box[3]) / static_cast<float>(picture.storage.height), true);
}
