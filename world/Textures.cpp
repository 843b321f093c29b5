#include "world/Textures.h"

#include "app/GameState.h"
#include "app/Gl.h"
#include "world/Caustics.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <unistd.h>

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

constexpr uint8_t kNeutralGrey = 128;

// We say what is wrong with a file in one line of our own; the image library writes several lines straight
// to stderr for a broken file, which would only repeat it.
cv::Mat decodeQuietly(const std::string& path) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    if (saved >= 0 && devNull >= 0)
        dup2(devNull, STDERR_FILENO);
    cv::Mat image = cv::imread(path, cv::IMREAD_COLOR);
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (devNull >= 0)
        close(devNull);
    return image;
}

} // namespace

TexturePixels readTexturePixels(const std::string& path, int width, int height) {
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    TexturePixels result;
    std::string problem;
    std::error_code ignored;
    // Checked first: the image library would print a warning of its own for a missing file.
    if (!std::filesystem::is_regular_file(path, ignored)) {
        problem = "missing";
    } else {
        const cv::Mat image = decodeQuietly(path);
        if (image.empty())
            problem = "cannot be decoded";
        else if (image.cols != width || image.rows != height)
            problem = "is " + std::to_string(image.cols) + " x " + std::to_string(image.rows) + ", not " +
                      std::to_string(width) + " x " + std::to_string(height);
        else {
            const cv::Mat packed = image.isContinuous() ? image : image.clone();
            result.bytes.assign(packed.data, packed.data + size);
            return result;
        }
    }
    std::cerr << "Texture " << path << " " << problem << ": using a plain grey stand-in" << std::endl;
    result.bytes.assign(size, kNeutralGrey);
    result.placeholder = true;
    return result;
}

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

void loadWorldTextures() {
    std::cout << groupMessage(TextureGroup::World);
    loadTextureGroup(TextureGroup::World, game.worldTextures);
}

void loadTextures() {
    std::cout << groupMessage(TextureGroup::Scene);
    loadTextureGroup(TextureGroup::Scene, game.sceneTextures);
    std::cout << groupMessage(TextureGroup::Hud);
    loadTextureGroup(TextureGroup::Hud, game.hudTextures);
    std::cout << groupMessage(TextureGroup::Caustic);
    loadTextureGroup(TextureGroup::Caustic, game.causticTextures);
    std::cout << "fertig\n";
    prepareCausticUnit();
}
