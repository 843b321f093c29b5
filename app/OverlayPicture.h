// Parts of the overlay that seldom change, drawn through pictures of the window pixels they cover.
#pragma once

#include <array>
#include <functional>
#include <string>

struct OverlayPicture;
struct PictureSupport;

// The window pixels (x, y, width, height) that hold a box of the overlay given in its -1..1 coordinates,
// under the translation in force, clipped to the viewport.
std::array<int, 4> pixelsCovered(float left, float bottom, float right, float top);

// Shows what `draw` draws into the box, exactly as drawing it there would: from the picture while it
// still shows `shows` in the same box, otherwise after drawing it into the picture anew; straight, where
// pictures cannot be drawn. `draw` must
// cover nothing outside the box, blend as (1, 1 - alpha) or not at all, and leave the GL state as it
// found it.
void drawThroughPicture(PictureSupport& support, OverlayPicture& picture, const std::string& shows,
                        const std::array<int, 4>& box, const std::function<void()>& draw);
