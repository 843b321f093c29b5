// contactsheet <build folder> <docs folder>: renders docs/textures.png (every texture, labelled, as the
// game shows it) and docs/relief.png (the valley relief, from above and in an oblique view).
#include "tools/assetgen/AssetList.h"
#include "tools/contactsheet/Font.h"
#include "tools/contactsheet/Relief.h"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using contactsheet::drawText;

namespace {

const cv::Vec3b kBackground(40, 36, 32), kLabel(225, 230, 232), kHeading(120, 200, 255);

// Undo what storing did: the game swaps red and blue on upload for GL_RGB files and shows quads drawn
// with t = 0 at the bottom upside down relative to the file.
cv::Mat asShown(const cv::Mat& file, const assetgen::BmpLayout& layout) {
    cv::Mat shown = file.clone();
    for (int y = 0; y < shown.rows; ++y)
        for (int x = 0; x < shown.cols; ++x) {
            cv::Vec3b p = file.at<cv::Vec3b>(layout.drawnBottomUp ? file.rows - 1 - y : y, x);
            if (layout.swapRedBlue)
                std::swap(p[0], p[2]);
            shown.at<cv::Vec3b>(y, x) = p;
        }
    return shown;
}

// Area-average scaling (nearest neighbour when enlarging), so thumbnails keep fine lines visible.
cv::Mat scaled(const cv::Mat& source, int width, int height) {
    cv::Mat out(height, width, CV_8UC3);
    const double fx = static_cast<double>(source.cols) / width,
                 fy = static_cast<double>(source.rows) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(x * fx), y0 = static_cast<int>(y * fy);
            const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * fx)),
                      y1 = std::max(y0 + 1, static_cast<int>((y + 1) * fy));
            int sum[3] = {0, 0, 0}, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx, ++n)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += source.at<cv::Vec3b>(sy, sx)[c];
            for (int c = 0; c < 3; ++c)
                out.at<cv::Vec3b>(y, x)[c] = static_cast<uchar>((sum[c] + n / 2) / n);
        }
    return out;
}

void renderTextures(const fs::path& build, const fs::path& docs) {
    const std::vector<assetgen::TextureAsset> files = assetgen::textureAssets();
    const std::string titles[] = {"World", "Scene", "HUD",
                                  "Caustics (00 to " + std::to_string(kCausticFrames - 1) + ")"};
    struct Group {
        std::string title;
        size_t count;
    };
    std::vector<Group> groups;
    for (size_t g = 0; g < kTextureGroups.size(); ++g)
        groups.push_back(
            {titles[g], static_cast<size_t>(std::count_if(files.begin(), files.end(), [&](const auto& file) {
                 return file.group == kTextureGroups[g];
             }))});
    constexpr int kColumns = 6, kCellW = 310, kCellH = 250, kThumbW = 290, kThumbH = 200, kHeadingH = 44;
    int height = 70;
    for (const auto& g : groups)
        height += kHeadingH + static_cast<int>((g.count + kColumns - 1) / kColumns) * kCellH;
    cv::Mat sheet(height, kColumns * kCellW + 20, CV_8UC3,
                  cv::Scalar(kBackground[0], kBackground[1], kBackground[2]));
    drawText(sheet, 14, 16,
             "Zarnowell textures, as the game shows them (colour order and orientation applied)", kLabel, 3);

    int y = 70;
    size_t index = 0;
    for (const auto& g : groups) {
        drawText(sheet, 14, y + 12, g.title, kHeading, 3);
        y += kHeadingH;
        for (size_t k = 0; k < g.count; ++k, ++index) {
            const assetgen::TextureAsset& file = files[index];
            const int cx = 10 + static_cast<int>(k % kColumns) * kCellW,
                      cy = y + static_cast<int>(k / kColumns) * kCellH;
            const cv::Mat image = cv::imread((build / "Texturen" / file.name).string(), cv::IMREAD_COLOR);
            if (image.empty()) {
                drawText(sheet, cx, cy + 100, "missing", cv::Vec3b(60, 60, 255), 2);
            } else {
                const double s = std::min({static_cast<double>(kThumbW) / image.cols,
                                           static_cast<double>(kThumbH) / image.rows, 2.0});
                const int w = std::max(1, static_cast<int>(image.cols * s)),
                          h = std::max(1, static_cast<int>(image.rows * s));
                const int tx = cx + (kThumbW - w) / 2, ty = cy + (kThumbH - h) / 2;
                cv::Mat border = sheet(cv::Rect(tx - 1, ty - 1, w + 2, h + 2));
                border.setTo(cv::Scalar(110, 110, 110));
                scaled(asShown(image, file.layout), w, h).copyTo(sheet(cv::Rect(tx, ty, w, h)));
            }
            const std::string label =
                file.name + "  " + std::to_string(file.width) + "x" + std::to_string(file.height);
            // Long names drop the size and close up their letters to stay inside the cell.
            const bool fits = contactsheet::textWidth(label, 2) <= kCellW - 10;
            drawText(sheet, cx, cy + kThumbH + 12, fits ? label : file.name, kLabel, 2, fits ? 1 : 0);
        }
        y += static_cast<int>((g.count + kColumns - 1) / kColumns) * kCellH;
    }
    cv::imwrite((docs / "textures.png").string(), sheet, {cv::IMWRITE_PNG_COMPRESSION, 9});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet <build folder> <docs folder>\n");
        return 2;
    }
    fs::create_directories(argv[2]);
    renderTextures(argv[1], argv[2]);
    if (!contactsheet::renderRelief(fs::path(argv[1]) / "Texturen" / assetgen::kDepthMapFile,
                                    fs::path(argv[2]) / "relief.png"))
        return 1;
    return 0;
}
