// The overlay's text: GLUT's bitmap fonts up to a window 1080 pixels high, as the game always drew them;
// above that the same faces (URW's Nimbus Sans and Nimbus Roman) from FreeType, grown with the height,
// so that the HUD reads the same on a 4K screen.
#pragma once

#include <memory>
#include <string>

struct GameState;
struct TextFaces;

enum class Typeface { Helvetica18, TimesRoman24 };

// Where the faces are looked for.
inline constexpr const char* kFontFolder = "/usr/share/fonts/opentype/urw-base35";

// How high a typeface's capitals are drawn in a window this high, in pixels, or 0 where its bitmap font
// serves.
double textCapitalHeight(Typeface face, int windowHeight);

// Loads both faces from the folder; a face that cannot be loaded gets one line on stderr, and its text
// stays at its bitmap size.
std::shared_ptr<TextFaces> loadTextFaces(const std::string& folder);

// The pixels a line covers around its raster position: right of it, below and above its baseline.
struct TextExtent {
    int width = 0, below = 0, above = 0;
};
TextExtent measureText(GameState& state, Typeface face, const std::string& text);

// Draws a line in the current colour with its baseline starting at (x, y) of the overlay's -1..1 space.
void drawText(GameState& state, Typeface face, const std::string& text, float x, float y);
