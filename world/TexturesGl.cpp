#include "world/TexturesGl.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "world/CausticsGl.h"
#include "world/TextureFiles.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

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

} // namespace

void loadTextureGroup(TextureGroup group, std::span<unsigned int> names) {
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
        pixels[i] = {}; // the decoded picture is not needed once OpenGL has its copy
    }
}

void uploadTexture(unsigned int name, const TextureFile& file, const TexturePixels& pixels) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows of 3-byte pixels are packed
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, file.width, file.height, 0, file.declaredRgb ? GL_RGB : GL_BGR,
                 GL_UNSIGNED_BYTE, pixels.bytes.data());
}

void loadWorldTextures(GameState& state) {
    std::cout << groupMessage(TextureGroup::World);
    loadTextureGroup(TextureGroup::World, state.worldTextures);
}

void loadTextures(GameState& state) {
    std::cout << groupMessage(TextureGroup::Scene);
    loadTextureGroup(TextureGroup::Scene, state.sceneTextures);
    std::cout << groupMessage(TextureGroup::Hud);
    loadTextureGroup(TextureGroup::Hud, state.hudTextures);
    std::cout << groupMessage(TextureGroup::Caustic);
    loadTextureGroup(TextureGroup::Caustic, state.causticTextures);
    std::cout << "fertig\n";
    prepareCausticUnit(state);
}
