#include "world/TextureFiles.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

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

// The name with each Latin-1 byte spelled in UTF-8, as an installed package stores it.
std::string utf8Spelling(const std::string& latin1) {
    std::string utf8;
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | byte >> 6);
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

} // namespace

TexturePixels readTexturePixels(const std::string& path, int width, int height) {
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    TexturePixels result;
    std::string problem;
    std::error_code ignored;
    // Checked first: the image library would print a warning of its own for a missing file.
    std::string found = path;
    if (!std::filesystem::is_regular_file(found, ignored))
        found = utf8Spelling(path);
    if (!std::filesystem::is_regular_file(found, ignored)) {
        problem = "missing";
    } else {
        const cv::Mat image = decodeQuietly(found);
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
