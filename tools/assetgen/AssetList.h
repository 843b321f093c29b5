// The texture files the game loads: names, sizes and how each must be stored. The game uploads some files
// declared GL_RGB (red and blue exchanged on the way) and draws most HUD and sign quads with t = 0 at the
// bottom; both facts are recorded here once, for the generator and the contact sheet.
#pragma once

#include "tools/assetgen/Files.h"

#include <string>
#include <vector>

namespace assetgen {

struct TextureFile {
    std::string name; // under Texturen/
    int width;
    int height;
    BmpLayout layout;
};

inline constexpr BmpLayout kPlain{false, false};
inline constexpr BmpLayout kSwapped{true, false};
inline constexpr BmpLayout kPlainOnQuad{false, true};
inline constexpr BmpLayout kSwappedOnQuad{true, true};

// Mensch_grün: the ü is the single Latin-1 byte the game's file table uses.
inline const std::string kPersonGreen = "Mensch_gr\xFCn.bmp";

inline std::vector<TextureFile> textureFiles() {
    std::vector<TextureFile> files = {
        {"valleyTex.bmp", 1024, 512, kSwapped},     {"wasser.bmp", 128, 128, kPlain},
        {"sky_oben.bmp", 512, 512, kPlain},         {"sky_links.bmp", 512, 512, kPlain},
        {"sky_rechts.bmp", 512, 512, kPlain},       {"sky_vorne.bmp", 512, 512, kPlain},
        {"sky_hinten.bmp", 512, 512, kPlain},       {"sky_unten.bmp", 512, 512, kPlain},
        {"luftblase1.bmp", 64, 64, kSwappedOnQuad}, {"chtiles.bmp", 64, 64, kSwapped},
        {"SOS0.bmp", 128, 64, kSwappedOnQuad},      {"SOS1.bmp", 128, 64, kSwappedOnQuad},
        {"SOS2.bmp", 128, 64, kSwappedOnQuad},      {"SOS3.bmp", 128, 64, kSwappedOnQuad},
        {"hausfassade1.bmp", 256, 256, kSwapped},   {"hausfassade2.bmp", 256, 256, kSwapped},
        {"hausfassade3.bmp", 256, 256, kSwapped},   {"hausfassade4.bmp", 256, 96, kSwapped},
        {"hausfassade5.bmp", 128, 256, kSwapped},   {"hausfassade6.bmp", 256, 256, kSwapped},
        {"muzzle1.bmp", 256, 256, kPlainOnQuad},    {"floor_bw.bmp", 256, 256, kSwapped},
    };
    for (int i = 1; i <= 11; ++i)
        files.push_back({"health" + std::to_string(i) + ".bmp", 512, 64, kSwappedOnQuad});
    const std::vector<TextureFile> hud = {
        {"leiste2.bmp", 64, 512, kPlainOnQuad},
        {"leiste2_mask.bmp", 64, 512, kSwappedOnQuad},
        {"minigun_temp.bmp", 64, 512, kPlainOnQuad},
        {"leiste.bmp", 512, 64, kSwappedOnQuad},
        {"leiste_mask.bmp", 512, 64, kSwappedOnQuad},
        {"health_mask.bmp", 512, 64, kSwappedOnQuad},
        {"crosshair1.bmp", 512, 512, kPlainOnQuad},
        {"crosshair1_mask.bmp", 512, 512, kSwappedOnQuad},
        {"Mensch_rot.bmp", 128, 256, kPlainOnQuad},
        {kPersonGreen, 128, 256, kPlainOnQuad},
        {"Mensch_beam.bmp", 128, 256, kPlainOnQuad},
        // The radar map and pointer are drawn with t from 0 to -1, upright; the mask is laid out for its
        // own quad by its painter.
        {"valleyDepth_radar2.bmp", 1024, 512, kPlain},
        {"Zeiger.bmp", 64, 32, kPlain},
        {"valleyDepth_radar2_mask.bmp", 1024, 512, kPlain},
    };
    files.insert(files.end(), hud.begin(), hud.end());
    for (int i = 0; i < 32; ++i)
        files.push_back({std::string("caust") + static_cast<char>('0' + i / 10) +
                             static_cast<char>('0' + i % 10) + ".bmp",
                         256, 256, kSwapped});
    return files;
}

inline const char* const kDepthMapFile = "valleyDepth.bmp";
inline const char* const kSoundFiles[] = {"30cal_shoot.wav", "mg42_shoot.wav", "Torpedo_Tubes.wav",
                                          "great_explosion.wav", "explosion.wav"};

} // namespace assetgen
