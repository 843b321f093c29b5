#include "app/HudText.h"

#include "core/GameState.h"
#include "core/Gl.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <map>
#include <tuple>
#include <vector>

namespace {

constexpr int kFullHdHeight = 1080;
constexpr std::array<const char*, 2> kFaceFiles{"NimbusSans-Regular.otf", "NimbusRoman-Regular.otf"};
// The bitmap fonts' capitals, in pixels: what the grown text keeps in proportion to the window's height.
constexpr std::array<double, 2> kBitmapCapitals{14.0, 17.0};
// Lines kept drawn; the HUD shows a handful, and a score that keeps changing must not grow the cache.
constexpr size_t kKeptLines = 64;

void* bitmapFont(Typeface face) {
    return face == Typeface::Helvetica18 ? GLUT_BITMAP_HELVETICA_18 : GLUT_BITMAP_TIMES_ROMAN_24;
}

// A line drawn by FreeType in one colour, premultiplied, bottom row first, as glDrawPixels takes it.
struct DrawnLine {
    TextExtent extent;
    int left = 0; // pixels from the picture's left edge to the pen's start
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

using LineKey = std::tuple<int, long, std::string, std::array<int, 3>>;

} // namespace

struct TextFaces {
    FT_Library library = nullptr;
    std::array<FT_Face, 2> faces{};
    std::map<LineKey, DrawnLine> lines;

    TextFaces() = default;
    TextFaces(const TextFaces&) = delete;
    TextFaces& operator=(const TextFaces&) = delete;
    ~TextFaces() {
        for (FT_Face face : faces)
            if (face)
                FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

double textCapitalHeight(Typeface face, int windowHeight) {
    if (windowHeight <= kFullHdHeight)
        return 0.0;
    return kBitmapCapitals[static_cast<size_t>(face)] * windowHeight / kFullHdHeight;
}

std::shared_ptr<TextFaces> loadTextFaces(const std::string& folder) {
    auto loaded = std::make_shared<TextFaces>();
    const bool library = FT_Init_FreeType(&loaded->library) == 0;
    for (size_t k = 0; k < kFaceFiles.size(); ++k) {
        const std::string path = folder + "/" + kFaceFiles[k];
        if (!library || FT_New_Face(loaded->library, path.c_str(), 0, &loaded->faces[k]) != 0) {
            loaded->faces[k] = nullptr;
            std::cerr << "Fonts: cannot load " << path << "; its text stays at its bitmap size" << std::endl;
        }
    }
    return loaded;
}

namespace {

int windowHeight() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    return v[3];
}

DrawnLine drawLine(FT_Face face, const std::string& text, const std::array<int, 3>& colour) {
    struct Glyph {
        int x, top;
        unsigned width, height; // pixels; FreeType's own bitmap is gone with the next glyph
        std::vector<unsigned char> rows;
    };
    std::vector<Glyph> glyphs;
    int pen = 0, left = 0, right = 0, above = 0, below = 0;
    for (const char c : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& b = slot->bitmap;
        Glyph glyph{pen + slot->bitmap_left, slot->bitmap_top, b.width, b.rows, {}};
        for (unsigned row = 0; row < b.rows; ++row)
            glyph.rows.insert(glyph.rows.end(), b.buffer + static_cast<long>(row) * b.pitch,
                              b.buffer + static_cast<long>(row) * b.pitch + b.width);
        left = std::min(left, glyph.x);
        right = std::max(right, glyph.x + static_cast<int>(b.width));
        above = std::max(above, glyph.top);
        below = std::max(below, static_cast<int>(b.rows) - glyph.top);
        pen += static_cast<int>((slot->advance.x + 32) >> 6);
        glyphs.push_back(std::move(glyph));
    }
    DrawnLine line;
    line.extent = {std::max(pen, right), below, above};
    line.left = -left;
    line.width = right - left;
    line.height = above + below;
    line.rgba.assign(static_cast<size_t>(line.width) * static_cast<size_t>(line.height) * 4, 0);
    for (const Glyph& g : glyphs)
        for (unsigned row = 0; row < g.height; ++row)
            for (unsigned col = 0; col < g.width; ++col) {
                const int coverage = g.rows[row * g.width + col];
                // Bottom row first; a glyph's row 0 is its top, `top` pixels above the baseline.
                const int y = below + g.top - 1 - static_cast<int>(row);
                const int x = g.x - left + static_cast<int>(col);
                unsigned char* p = &line.rgba[(static_cast<size_t>(y) * line.width + x) * 4];
                const int alpha = std::max<int>(p[3], coverage);
                for (int channel = 0; channel < 3; ++channel)
                    p[channel] = static_cast<unsigned char>((colour[channel] * alpha + 127) / 255);
                p[3] = static_cast<unsigned char>(alpha);
            }
    return line;
}

// The line as FreeType draws it for this window, in the current colour; nothing where the bitmap font
// serves.
const DrawnLine* grownLine(GameState& state, Typeface face, const std::string& text) {
    const double capitals = textCapitalHeight(face, windowHeight());
    if (capitals == 0.0)
        return nullptr;
    if (!state.textFaces)
        state.textFaces = loadTextFaces(kFontFolder);
    TextFaces& faces = *state.textFaces;
    FT_Face ft = faces.faces[static_cast<size_t>(face)];
    if (!ft)
        return nullptr;
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    std::array<int, 3> colour{};
    for (size_t k = 0; k < 3; ++k)
        colour[k] = static_cast<int>(std::lround(std::clamp(current[k], 0.0f, 1.0f) * 255.0f));
    // The em that gives the face's own capitals that height; the bitmap fonts' capitals stand taller in
    // their em than URW's outlines do.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const double capitalsPerEm =
        os2 && os2->sCapHeight > 0 ? static_cast<double>(os2->sCapHeight) / ft->units_per_EM : 0.72;
    const long size64 = std::lround(capitals / capitalsPerEm * 64.0);
    const LineKey key{static_cast<int>(face), size64, text, colour};
    if (const auto found = faces.lines.find(key); found != faces.lines.end())
        return &found->second;
    if (faces.lines.size() >= kKeptLines)
        faces.lines.clear();
    FT_Set_Char_Size(ft, 0, size64, 72, 72);
    return &faces.lines.emplace(key, drawLine(ft, text, colour)).first->second;
}

} // namespace

TextExtent measureText(GameState& state, Typeface face, const std::string& text) {
    if (const DrawnLine* line = grownLine(state, face, text))
        return line->extent;
    void* font = bitmapFont(face);
    const int height = glutBitmapHeight(font);
    return {glutBitmapLength(font, reinterpret_cast<const unsigned char*>(text.c_str())), height / 2 - 1,
            height};
}

void drawText(GameState& state, Typeface face, const std::string& text, float x, float y) {
    glLoadIdentity();
    glRasterPos3f(x, y, 1.0f);
    const DrawnLine* line = grownLine(state, face, text);
    if (!line) {
        for (const char c : text)
            glutBitmapCharacter(bitmapFont(face), static_cast<unsigned char>(c));
        return;
    }
    if (line->rgba.empty())
        return;
    // Premultiplied coverage over what is there, as the bitmap font's pixels would cover it; fog would
    // tint the clear pixels around the glyphs.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // From the baseline's start to the picture's lower left corner, in window pixels.
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(-line->left), static_cast<float>(-line->extent.below),
             nullptr);
    glDrawPixels(line->width, line->height, GL_RGBA, GL_UNSIGNED_BYTE, line->rgba.data());
    glPopClientAttrib();
    glPopAttrib();
}
