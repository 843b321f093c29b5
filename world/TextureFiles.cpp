#include "world/TextureFiles.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <algorithm>
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

namespace {

uint8_t uploadedChannel(const UploadedPixels& picture, size_t texel, int channel) {
    return picture.pixels.bytes[3 * texel + static_cast<size_t>(picture.declaredRgb ? channel : 2 - channel)];
}

} // namespace

std::vector<uint8_t> maskAlpha(UploadedPixels mask) {
    const size_t texels = mask.pixels.bytes.size() / 3;
    std::vector<uint8_t> alpha(texels);
    for (size_t i = 0; i < texels; ++i) {
        const uint8_t* texel = &mask.pixels.bytes[3 * i];
        if (texel[0] != texel[1] || texel[1] != texel[2])
            return {};
        alpha[i] = static_cast<uint8_t>(255 - texel[0]);
    }
    return alpha;
}

std::vector<uint8_t> foldMask(UploadedPixels mask, std::span<const UploadedPixels> colours) {
    for (const UploadedPixels& colour : colours)
        if (colour.pixels.bytes.size() != mask.pixels.bytes.size())
            return {};
    const std::vector<uint8_t> alpha = maskAlpha(mask);
    if (alpha.empty())
        return {};
    std::vector<uint8_t> rgba(4 * alpha.size());
    for (size_t i = 0; i < alpha.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            int sum = 0;
            for (const UploadedPixels& colour : colours)
                sum += uploadedChannel(colour, i, c);
            rgba[4 * i + static_cast<size_t>(c)] = static_cast<uint8_t>(std::min(sum, 255));
        }
        rgba[4 * i + 3] = alpha[i];
    }
    return rgba;
}

std::vector<std::array<int, 4>> litBoxes(const std::vector<uint8_t>& texels, int channels, int width,
                                         int height, int cell) {
    if (texels.size() != static_cast<size_t>(channels * width * height) || cell <= 0)
        return {};
    const auto black = [&](int x, int y) {
        const auto at = texels.begin() + channels * (((y + height) % height) * width + (x + width) % width);
        return std::all_of(at, at + channels, [](uint8_t c) { return c == 0; });
    };
    const auto lit = [&](int left, int bottom) {
        for (int y = bottom - 1; y <= std::min(bottom + cell, height); ++y)
            for (int x = left - 1; x <= std::min(left + cell, width); ++x)
                if (!black(x, y))
                    return true;
        return false;
    };
    std::vector<std::array<int, 4>> boxes;
    for (int bottom = 0; bottom < height; bottom += cell) {
        const int top = std::min(bottom + cell, height);
        for (int left = 0; left < width; left += cell) {
            if (!lit(left, bottom))
                continue;
            const int right = std::min(left + cell, width);
            // A run of lit cells in a row is one box.
            if (!boxes.empty() && boxes.back()[1] == bottom && boxes.back()[2] == left)
                boxes.back()[2] = right;
            else
                boxes.push_back({left, bottom, right, top});
        }
    }
    return boxes;
}
