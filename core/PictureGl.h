// Making a picture's storage, and the context's answer to whether pictures can be drawn at all.
#pragma once

#include "core/Picture.h"

#include <array>

// Whether the context draws into framebuffer objects; asked of it the first time only.
bool framebuffersAvailable(PictureSupport& support);

// Gives the picture storage of this size (and a depth buffer if asked), keeping what it has when the size
// is the same. False when it cannot: the picture is then marked failed for good, and the first failure is
// reported on stderr.
bool fitPicture(PictureSupport& support, Picture& picture, int width, int height, bool withDepth);

// Lays the picture's texels, from its corner up to (s, t) of it, over the window pixels (x, y, width,
// height) of the viewport as they are: unlit, unfogged, untested, without caustics; added over what is there
// as (1, 1 - alpha), or replacing it.
void drawPicture(const Picture& picture, const std::array<int, 4>& pixels, float s, float t, bool blended);
