#include "world/TexturesGl.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "world/CausticsGl.h"
#include "world/TextureFiles.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// Every texture the game makes goes up here: filtered linearly, its rows packed without padding.
void uploadTexels(unsigned int name, const void* texels, int width, int height, GLint internalFormat,
                  GLenum format) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, texels);
}

const char* groupMessage(TextureGroup group) {
    switch (group) {
    case TextureGroup::World:
        return "\tWasser ...";
    case TextureGroup::Scene:
        return "\n\t\tLade Umgebungstexturen ...";
    case TextureGroup::Hud:
        return "fertig\n\t\tLade HUD-Texturen ...";
    case TextureGroup::Caustic:
        return "fertig\n\t\tLade Caustic-Texturen ...";
    }
    return "";
}

// Reads and uploads one group; the decoded pictures are handed back only when the caller asks to keep them.
std::vector<TexturePixels> uploadGroup(TextureGroup group, std::span<unsigned int> names, bool keepPixels) {
    const std::span<const TextureFile> files = textureFiles(group);
    std::vector<TexturePixels> pixels;
    pixels.reserve(files.size());
    for (const TextureFile& file : files)
        pixels.push_back(readTexturePixels(std::string("Texturen/") + file.name, file.width, file.height));

    // A reload (restart) replaces the earlier textures rather than leaking them.
    if (names[0] != 0)
        glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    glGenTextures(static_cast<GLsizei>(names.size()), names.data());
    for (size_t i = 0; i < files.size(); ++i) {
        uploadTexture(names[i], files[i], pixels[i]);
        if (!keepPixels)
            pixels[i] = {}; // the decoded picture is not needed once OpenGL has its copy
    }
    return keepPixels ? pixels : std::vector<TexturePixels>{};
}

// Replaces `name` (0 for none) by a texture of the given texels, or by none when there are none.
void replaceTexture(unsigned int& name, const std::vector<uint8_t>& texels, int width, int height,
                    GLenum format) {
    if (name != 0)
        glDeleteTextures(1, &name);
    name = 0;
    if (texels.empty())
        return;
    glGenTextures(1, &name);
    uploadTexels(name, texels.data(), width, height, static_cast<GLint>(format), format);
}

void foldHudMasks(GameState& state, const std::vector<TexturePixels>& pixels) {
    const auto uploaded = [&](int index) {
        return UploadedPixels{pixels[static_cast<size_t>(index)],
                              kHudTextureFiles[static_cast<size_t>(index)].declaredRgb};
    };
    const TextureFile& bottom = kHudTextureFiles[kBottomBarTexture];
    for (int frame = 0; frame < kHealthFrames; ++frame) {
        const UploadedPixels colours[] = {uploaded(kBottomBarTexture), uploaded(frame)};
        const std::vector<uint8_t> fold = foldMask(uploaded(kBottomBarMask), colours);
        replaceTexture(state.hudBottomBarFolds[static_cast<size_t>(frame)], fold, bottom.width, bottom.height,
                       GL_RGBA);
        state.hudBottomBarBoxes[static_cast<size_t>(frame)] =
            litBoxes(fold, 4, bottom.width, bottom.height, 16);
    }
    const TextureFile& right = kHudTextureFiles[kRightBarTexture];
    const UploadedPixels rightColour[] = {uploaded(kRightBarTexture)};
    const std::vector<uint8_t> rightFold = foldMask(uploaded(kRightBarMask), rightColour);
    replaceTexture(state.hudRightBarFold, rightFold, right.width, right.height, GL_RGBA);
    state.hudRightBarBoxes = litBoxes(rightFold, 4, right.width, right.height, 16);
    const TextureFile& crosshair = kHudTextureFiles[kCrosshairTexture];
    state.hudCrosshairBoxes =
        litBoxes(uploaded(kCrosshairTexture).pixels.bytes, 3, crosshair.width, crosshair.height, 16);
    const TextureFile& radar = kHudTextureFiles[kRadarMask];
    replaceTexture(state.hudRadarMaskAlpha, maskAlpha(uploaded(kRadarMask)), radar.width, radar.height,
                   GL_ALPHA);
}

} // namespace

void loadTextureGroup(TextureGroup group, std::span<unsigned int> names) {
    uploadGroup(group, names, false);
}

void uploadTexture(unsigned int name, const TextureFile& file, const TexturePixels& pixels) {
    uploadTexels(name, pixels.bytes.data(), file.width, file.height, GL_RGB,
                 file.declaredRgb ? GL_RGB : GL_BGR);
}

void loadWorldTextures(GameState& state) {
    std::cout << groupMessage(TextureGroup::World);
    loadTextureGroup(TextureGroup::World, state.worldTextures);
}

TexturePixels loadTextures(GameState& state) {
    std::cout << groupMessage(TextureGroup::Scene);
    std::vector<TexturePixels> scene = uploadGroup(TextureGroup::Scene, state.sceneTextures, true);
    const TextureFile& muzzle = kSceneTextureFiles[kMuzzleTexture];
    state.muzzleBoxes = litBoxes(scene[kMuzzleTexture].bytes, 3, muzzle.width, muzzle.height, 16);
    std::cout << groupMessage(TextureGroup::Hud);
    foldHudMasks(state, uploadGroup(TextureGroup::Hud, state.hudTextures, true));
    std::cout << groupMessage(TextureGroup::Caustic);
    loadTextureGroup(TextureGroup::Caustic, state.causticTextures);
    std::cout << "fertig\n";
    prepareCausticUnit(state);
    return std::move(scene[kBubbleTexture]);
}
