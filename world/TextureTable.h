// The game's picture files: the four loading groups with each file's name, size and declared byte order.
// Plain data, shared by the texture loader and the asset generator that paints the files.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

enum class TextureGroup { World, Scene, Hud, Caustic };

struct TextureFile {
    std::string name; // file name under Texturen/
    int width;
    int height;
    // Uploaded as GL_RGB although the image library hands over blue, green, red: red and blue trade places.
    bool declaredRgb;
};

// Named places in the environment group.
inline constexpr int kBubbleTexture = 0;
inline constexpr int kFirstSosTexture = 2;
inline constexpr int kMuzzleTexture = 12;
// The world group's floor and water.
inline constexpr int kValleyTexture = 0;
inline constexpr int kWaterTexture = 1;

namespace texture_table_detail {

inline std::vector<TextureFile> worldFiles() {
    return {{"valleyTex.bmp", 1024, 512, true},  {"wasser.bmp", 128, 128, false},
            {"sky_oben.bmp", 512, 512, false},   {"sky_links.bmp", 512, 512, false},
            {"sky_rechts.bmp", 512, 512, false}, {"sky_vorne.bmp", 512, 512, false},
            {"sky_hinten.bmp", 512, 512, false}, {"sky_unten.bmp", 512, 512, false}};
}

inline std::vector<TextureFile> sceneFiles() {
    return {{"luftblase1.bmp", 64, 64, true},     {"chtiles.bmp", 64, 64, true},
            {"SOS0.bmp", 128, 64, true},          {"SOS1.bmp", 128, 64, true},
            {"SOS2.bmp", 128, 64, true},          {"SOS3.bmp", 128, 64, true},
            {"hausfassade1.bmp", 256, 256, true}, {"hausfassade2.bmp", 256, 256, true},
            {"hausfassade3.bmp", 256, 256, true}, {"hausfassade4.bmp", 256, 96, true},
            {"hausfassade5.bmp", 128, 256, true}, {"hausfassade6.bmp", 256, 256, true},
            {"muzzle1.bmp", 256, 256, false},     {"sky_links.bmp", 512, 512, false},
            {"floor_bw.bmp", 256, 256, true}};
}

inline std::vector<TextureFile> hudFiles() {
    std::vector<TextureFile> files;
    for (int n = 1; n <= 11; ++n)
        files.push_back({"health" + std::to_string(n) + ".bmp", 512, 64, true});
    const std::vector<TextureFile> rest{
        {"leiste2.bmp", 64, 512, false},
        {"leiste2_mask.bmp", 64, 512, true},
        {"minigun_temp.bmp", 64, 512, false},
        {"leiste.bmp", 512, 64, true},
        {"leiste_mask.bmp", 512, 64, true},
        {"health_mask.bmp", 512, 64, true},
        {"crosshair1.bmp", 512, 512, false},
        {"crosshair1_mask.bmp", 512, 512, true},
        {"Mensch_rot.bmp", 128, 256, false},
        {"Mensch_gr\xFCn.bmp", 128, 256, false}, // Latin-1 u-umlaut: the file name is one byte 0xFC there
        {"Mensch_beam.bmp", 128, 256, false},
        {"valleyDepth_radar2.bmp", 1024, 512, false},
        {"Zeiger.bmp", 64, 32, false},
        {"valleyDepth_radar2_mask.bmp", 1024, 512, false},
    };
    files.insert(files.end(), rest.begin(), rest.end());
    return files;
}

inline std::vector<TextureFile> causticFiles() {
    std::vector<TextureFile> files;
    for (int k = 0; k < 32; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "caust%02d.bmp", k);
        files.push_back({name, 256, 256, true});
    }
    return files;
}

} // namespace texture_table_detail

// The files of a group in load order (= index order of the group's texture array).
inline const std::vector<TextureFile>& textureFiles(TextureGroup group) {
    static const std::vector<TextureFile> world = texture_table_detail::worldFiles();
    static const std::vector<TextureFile> scene = texture_table_detail::sceneFiles();
    static const std::vector<TextureFile> hud = texture_table_detail::hudFiles();
    static const std::vector<TextureFile> caustic = texture_table_detail::causticFiles();
    switch (group) {
    case TextureGroup::World:
        return world;
    case TextureGroup::Scene:
        return scene;
    case TextureGroup::Hud:
        return hud;
    case TextureGroup::Caustic:
        return caustic;
    }
    return world;
}
