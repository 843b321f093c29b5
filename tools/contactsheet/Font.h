// A 5 x 7 pixel font for labels on the contact sheets, so they need no font files.
#pragma once

#include <opencv2/core.hpp>

#include <string>

namespace contactsheet {

inline constexpr int kGlyphWidth = 5, kGlyphHeight = 7;

// Writes `text` with its top-left corner at (x, y); each font pixel becomes scale x scale pixels, and
// characters advance by 5 * scale + spacing. Bytes are Latin-1 (the game's ü is 0xFC).
void drawText(cv::Mat& image, int x, int y, const std::string& text, cv::Vec3b colour, int scale,
              int spacing = 1);
int textWidth(const std::string& text, int scale, int spacing = 1);

} // namespace contactsheet
