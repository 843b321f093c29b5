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
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t i = 0; i < files.size(); ++i) {
        glBindTexture(GL_TEXTURE_2D, names[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, files[i].width, files[i].height, 0,
                     files[i].declaredRgb ? GL_RGB : GL_BGR, GL_UNSIGNED_BYTE, pixels[i].bytes.data());
        pixels[i] = {}; // the decoded picture is not needed once OpenGL has its copy
    }
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
