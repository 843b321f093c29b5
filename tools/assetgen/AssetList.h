// The files the generator writes, taken from the game's own loading table, with how each must be stored:
// files uploaded as GL_RGB get red and blue exchanged, and pictures drawn on quads are stored upside down.
#pragma once

#include "core/Sounds.h"
#include "core/TextureTable.h"
#include "tools/assetgen/Files.h"

#include <string>
#include <vector>

namespace assetgen {

struct TextureAsset {
    std::string name; // under Texturen/
    int width;
    int height;
    BmpLayout layout;
    TextureGroup group; // the first group that loads the file
};

// Mensch_grün: the ü is the single Latin-1 byte the game's file table uses.
inline const std::string kPersonGreen = "Mensch_gr\xFCn.bmp";
// The same picture under its UTF-8 spelling, for the package: Debian's tools take UTF-8 file names only.
inline const std::string kPersonGreenUtf8 = "Mensch_gr\xC3\xBCn.bmp";

// Pictures the game draws on quads with t = 0 at the bottom: stored upside down so they show upright.
inline bool drawnOnQuad(const std::string& name) {
    for (const char* prefix :
         {"luftblase1", "SOS", "muzzle1", "health", "leiste", "minigun_temp", "crosshair1", "Mensch_"})
        if (name.rfind(prefix, 0) == 0)
            return true;
    return false;
}

// Every file the game loads, once each (the left sky face is loaded twice), in the game's load order.
inline std::vector<TextureAsset> textureAssets() {
    std::vector<TextureAsset> files;
    for (TextureGroup group : kTextureGroups)
        for (const ::TextureFile& loaded : ::textureFiles(group)) {
            bool known = false;
            for (const TextureAsset& file : files)
                known = known || file.name == loaded.name;
            if (!known)
                files.push_back({loaded.name, loaded.width, loaded.height,
                                 BmpLayout{loaded.declaredRgb, drawnOnQuad(loaded.name)}, group});
        }
    return files;
}

inline const char* const kDepthMapFile = "valleyDepth.bmp";

} // namespace assetgen
