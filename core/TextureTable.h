// The game's picture files: the four loading groups with each file's name, size and declared byte order.
// The one source for the texture loader, the texture arrays of the game record and the asset generator.
#pragma once

#include <array>
#include <span>
#include <string_view>

enum class TextureGroup { World, Scene, Hud, Caustic };

struct TextureFile {
    const char* name; // file name under Texturen/
    int width;
    int height;
    // Uploaded as GL_RGB although the image library hands over blue, green, red: red and blue trade places.
    bool declaredRgb;
};

// Load order is index order of the group's texture array.
inline constexpr auto kWorldTextureFiles = std::to_array<TextureFile>({
    {"valleyTex.bmp", 1024, 512, true},
    {"wasser.bmp", 128, 128, false},
    {"sky_oben.bmp", 512, 512, false},
    {"sky_links.bmp", 512, 512, false},
    {"sky_rechts.bmp", 512, 512, false},
    {"sky_vorne.bmp", 512, 512, false},
    {"sky_hinten.bmp", 512, 512, false},
    {"sky_unten.bmp", 512, 512, false},
});

inline constexpr auto kSceneTextureFiles = std::to_array<TextureFile>({
    {"luftblase1.bmp", 64, 64, true},
    {"chtiles.bmp", 64, 64, true},
    {"SOS0.bmp", 128, 64, true},
    {"SOS1.bmp", 128, 64, true},
    {"SOS2.bmp", 128, 64, true},
    {"SOS3.bmp", 128, 64, true},
    {"hausfassade1.bmp", 256, 256, true},
    {"hausfassade2.bmp", 256, 256, true},
    {"hausfassade3.bmp", 256, 256, true},
    {"hausfassade4.bmp", 256, 96, true},
    {"hausfassade5.bmp", 128, 256, true},
    {"hausfassade6.bmp", 256, 256, true},
    {"muzzle1.bmp", 256, 256, false},
    {"sky_links.bmp", 512, 512, false}, // the only file loaded twice
    {"floor_bw.bmp", 256, 256, true},
});

inline constexpr auto kHudTextureFiles = std::to_array<TextureFile>({
    {"health1.bmp", 512, 64, true},          {"health2.bmp", 512, 64, true},
    {"health3.bmp", 512, 64, true},          {"health4.bmp", 512, 64, true},
    {"health5.bmp", 512, 64, true},          {"health6.bmp", 512, 64, true},
    {"health7.bmp", 512, 64, true},          {"health8.bmp", 512, 64, true},
    {"health9.bmp", 512, 64, true},          {"health10.bmp", 512, 64, true},
    {"health11.bmp", 512, 64, true},         {"leiste2.bmp", 64, 512, false},
    {"leiste2_mask.bmp", 64, 512, true},     {"minigun_temp.bmp", 64, 512, false},
    {"leiste.bmp", 512, 64, true},           {"leiste_mask.bmp", 512, 64, true},
    {"health_mask.bmp", 512, 64, true},      {"crosshair1.bmp", 512, 512, false},
    {"crosshair1_mask.bmp", 512, 512, true}, {"Mensch_rot.bmp", 128, 256, false},
    {"Mensch_gr\xFCn.bmp", 128, 256, false}, // Latin-1 u-umlaut: the file name is one byte 0xFC there
    {"Mensch_beam.bmp", 128, 256, false},    {"valleyDepth_radar2.bmp", 1024, 512, false},
    {"Zeiger.bmp", 64, 32, false},           {"valleyDepth_radar2_mask.bmp", 1024, 512, false},
});

inline constexpr auto kCausticTextureFiles = std::to_array<TextureFile>({
    {"caust00.bmp", 256, 256, true}, {"caust01.bmp", 256, 256, true}, {"caust02.bmp", 256, 256, true},
    {"caust03.bmp", 256, 256, true}, {"caust04.bmp", 256, 256, true}, {"caust05.bmp", 256, 256, true},
    {"caust06.bmp", 256, 256, true}, {"caust07.bmp", 256, 256, true}, {"caust08.bmp", 256, 256, true},
    {"caust09.bmp", 256, 256, true}, {"caust10.bmp", 256, 256, true}, {"caust11.bmp", 256, 256, true},
    {"caust12.bmp", 256, 256, true}, {"caust13.bmp", 256, 256, true}, {"caust14.bmp", 256, 256, true},
    {"caust15.bmp", 256, 256, true}, {"caust16.bmp", 256, 256, true}, {"caust17.bmp", 256, 256, true},
    {"caust18.bmp", 256, 256, true}, {"caust19.bmp", 256, 256, true}, {"caust20.bmp", 256, 256, true},
    {"caust21.bmp", 256, 256, true}, {"caust22.bmp", 256, 256, true}, {"caust23.bmp", 256, 256, true},
    {"caust24.bmp", 256, 256, true}, {"caust25.bmp", 256, 256, true}, {"caust26.bmp", 256, 256, true},
    {"caust27.bmp", 256, 256, true}, {"caust28.bmp", 256, 256, true}, {"caust29.bmp", 256, 256, true},
    {"caust30.bmp", 256, 256, true}, {"caust31.bmp", 256, 256, true},
});

// Counts that drawing code and the asset generator need as numbers.
inline constexpr int kCausticFrames = static_cast<int>(kCausticTextureFiles.size());
inline constexpr int kHealthFrames = 11; // health1..health10 filled tenths, health11 emptied
inline constexpr int kSosFrames = 4;

// Named places in the groups, checked against the file names below.
inline constexpr int kValleyTexture = 0;
inline constexpr int kWaterTexture = 1;
inline constexpr int kBubbleTexture = 0;
inline constexpr int kFirstSosTexture = 2;
inline constexpr int kMuzzleTexture = 12;
// The HUD's pictures; the life bar's frames come first, at 0 to kHealthFrames - 1.
inline constexpr int kRightBarTexture = 11;
inline constexpr int kRightBarMask = 12;
inline constexpr int kHeatFillTexture = 13;
inline constexpr int kBottomBarTexture = 14;
inline constexpr int kBottomBarMask = 15;
inline constexpr int kCrosshairTexture = 17;
inline constexpr int kPersonRedTexture = 19;
inline constexpr int kPersonGreenTexture = 20;
inline constexpr int kPersonBeamTexture = 21;
inline constexpr int kRadarTexture = 22;
inline constexpr int kRadarPointerTexture = 23;
inline constexpr int kRadarMask = 24;

static_assert(std::string_view(kWorldTextureFiles[kValleyTexture].name) == "valleyTex.bmp");
static_assert(std::string_view(kWorldTextureFiles[kWaterTexture].name) == "wasser.bmp");
static_assert(std::string_view(kSceneTextureFiles[kBubbleTexture].name) == "luftblase1.bmp");
static_assert(std::string_view(kSceneTextureFiles[kFirstSosTexture].name) == "SOS0.bmp");
static_assert(std::string_view(kSceneTextureFiles[kFirstSosTexture + kSosFrames - 1].name) == "SOS3.bmp");
static_assert(std::string_view(kSceneTextureFiles[kMuzzleTexture].name) == "muzzle1.bmp");
static_assert(std::string_view(kHudTextureFiles[kHealthFrames - 1].name) == "health11.bmp");
static_assert(std::string_view(kHudTextureFiles[kRightBarTexture].name) == "leiste2.bmp");
static_assert(std::string_view(kHudTextureFiles[kRightBarMask].name) == "leiste2_mask.bmp");
static_assert(std::string_view(kHudTextureFiles[kHeatFillTexture].name) == "minigun_temp.bmp");
static_assert(std::string_view(kHudTextureFiles[kBottomBarTexture].name) == "leiste.bmp");
static_assert(std::string_view(kHudTextureFiles[kBottomBarMask].name) == "leiste_mask.bmp");
static_assert(std::string_view(kHudTextureFiles[kCrosshairTexture].name) == "crosshair1.bmp");
static_assert(std::string_view(kHudTextureFiles[kPersonRedTexture].name) == "Mensch_rot.bmp");
static_assert(std::string_view(kHudTextureFiles[kPersonBeamTexture].name) == "Mensch_beam.bmp");
static_assert(std::string_view(kHudTextureFiles[kRadarTexture].name) == "valleyDepth_radar2.bmp");
static_assert(std::string_view(kHudTextureFiles[kRadarPointerTexture].name) == "Zeiger.bmp");
static_assert(std::string_view(kHudTextureFiles[kRadarMask].name) == "valleyDepth_radar2_mask.bmp");
static_assert(std::string_view(kCausticTextureFiles[kCausticFrames - 1].name) == "caust31.bmp");

inline constexpr std::span<const TextureFile> textureFiles(TextureGroup group) {
    switch (group) {
    case TextureGroup::World:
        return kWorldTextureFiles;
    case TextureGroup::Scene:
        return kSceneTextureFiles;
    case TextureGroup::Hud:
        return kHudTextureFiles;
    case TextureGroup::Caustic:
        return kCausticTextureFiles;
    }
    return {};
}

inline constexpr std::array<TextureGroup, 4> kTextureGroups{TextureGroup::World, TextureGroup::Scene,
                                                            TextureGroup::Hud, TextureGroup::Caustic};
