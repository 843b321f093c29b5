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

std::vector<TextureFile> worldFiles() {
    return {{"valleyTex.bmp", 1024, 512, true},  {"wasser.bmp", 128, 128, false},
            {"sky_oben.bmp", 512, 512, false},   {"sky_links.bmp", 512, 512, false},
            {"sky_rechts.bmp", 512, 512, false}, {"sky_vorne.bmp", 512, 512, false},
            {"sky_hinten.bmp", 512, 512, false}, {"sky_unten.bmp", 512, 512, false}};
}

std::vector<TextureFile> sceneFiles() {
    return {{"luftblase1.bmp", 64, 64, true},     {"chtiles.bmp", 64, 64, true},
            {"SOS0.bmp", 128, 64, true},          {"SOS1.bmp", 128, 64, true},
            {"SOS2.bmp", 128, 64, true},          {"SOS3.bmp", 128, 64, true},
            {"hausfassade1.bmp", 256, 256, true}, {"hausfassade2.bmp", 256, 256, true},
            {"hausfassade3.bmp", 256, 256, true}, {"hausfassade4.bmp", 256, 96, true},
            {"hausfassade5.bmp", 128, 256, true}, {"hausfassade6.bmp", 256, 256, true},
            {"muzzle1.bmp", 256, 256, false},     {"sky_links.bmp", 512, 512, false},
            {"floor_bw.bmp", 256, 256, true}};
}

std::vector<TextureFile> hudFiles() {
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

std::vector<TextureFile> causticFiles() {
    std::vector<TextureFile> files;
    for (int k = 0; k < 32; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "caust%02d.bmp", k);
        files.push_back({name, 256, 256, true});
    }
    return files;
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

const std::vector<TextureFile>& textureFiles(TextureGroup group) {
    static const std::vector<TextureFile> world = worldFiles();
    static const std::vector<TextureFile> scene = sceneFiles();
    static const std::vector<TextureFile> hud = hudFiles();
    static const std::vector<TextureFile> caustic = causticFiles();
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
    const std::vector<TextureFile>& files = textureFiles(group);
    std::vector<TexturePixels> pixels;
    pixels.reserve(files.size());
    for (const TextureFile& file : files)
        pixels.push_back(readTexturePixels("Texturen/" + file.name, file.width, file.height));

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
