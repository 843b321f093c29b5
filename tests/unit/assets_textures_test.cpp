// What the pictures must do on screen: tile without seams, loop in time, pair each HUD mask with its
// colour picture, keep additive pictures black around the edges, and arrive in the colour and
// orientation the game's upload and quads expect.
#include "towns/TownTable.h"
#include "world/BitmapReader.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <cmath>
#include <string>
#include <vector>

namespace {

cv::Mat load(const std::string& name) {
    cv::Mat image = cv::imread("Texturen/" + name, cv::IMREAD_COLOR);
    EXPECT_FALSE(image.empty()) << name;
    return image;
}

std::string causticName(int k) {
    return "caust" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".bmp";
}

double luma(const cv::Vec3b& p) {
    return (p[0] + p[1] + p[2]) / 3.0;
}

// Mean absolute difference between two columns (or rows) of a picture.
double columnDifference(const cv::Mat& m, int a, int b) {
    double sum = 0;
    for (int y = 0; y < m.rows; ++y)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(m.at<cv::Vec3b>(y, a)[c] - m.at<cv::Vec3b>(y, b)[c]);
    return sum / (m.rows * 3);
}
double rowDifference(const cv::Mat& m, int a, int b) {
    return columnDifference(m.t(), a, b);
}

double meanDifference(const cv::Mat& a, const cv::Mat& b) {
    double sum = 0;
    for (int y = 0; y < a.rows; ++y)
        for (int x = 0; x < a.cols; ++x)
            sum += std::abs(luma(a.at<cv::Vec3b>(y, x)) - luma(b.at<cv::Vec3b>(y, x)));
    return sum / (a.rows * a.cols);
}

// The wrap-around seam compared with the typical step between neighbouring columns and rows inside.
void expectSeamless(const cv::Mat& m, const std::string& name) {
    SCOPED_TRACE(name);
    double inside = 0;
    for (int k = 1; k < 8; ++k)
        inside += columnDifference(m, m.cols * k / 8 - 1, m.cols * k / 8) +
                  rowDifference(m, m.rows * k / 8 - 1, m.rows * k / 8);
    inside /= 14;
    EXPECT_LE(columnDifference(m, m.cols - 1, 0), 1.6 * inside + 1.0);
    EXPECT_LE(rowDifference(m, m.rows - 1, 0), 1.6 * inside + 1.0);
    // The measure does see a real edge: two columns far apart differ clearly more.
    EXPECT_GT(columnDifference(m, m.cols / 3, 0), 1.6 * inside + 1.0);
}

} // namespace

TEST(AssetTextures, SeabedWaterAndCausticsTileWithoutSeams) {
    expectSeamless(load("valleyTex.bmp"), "valleyTex.bmp");
    expectSeamless(load("wasser.bmp"), "wasser.bmp");
    for (int k : {0, 13, 31})
        expectSeamless(load(causticName(k)), causticName(k));
}

TEST(AssetTextures, CausticsLoopSmoothlyOnAMidGreyBase) {
    std::vector<cv::Mat> frames;
    for (int k = 0; k < 32; ++k)
        frames.push_back(load(causticName(k)));
    double step = 0;
    for (int k = 0; k < 31; ++k)
        step += meanDifference(frames[k], frames[k + 1]);
    step /= 31;
    EXPECT_GT(step, 0.5) << "the light does not move";
    EXPECT_LE(meanDifference(frames[31], frames[0]), 1.3 * step) << "31 does not run into 00";
    EXPECT_GT(meanDifference(frames[0], frames[16]), 1.5 * step) << "frames far apart in the loop look alike";
    for (int k = 0; k < 32; ++k) {
        SCOPED_TRACE(causticName(k));
        double sum = 0, darkest = 255;
        bool grey = true;
        for (int y = 0; y < frames[k].rows; ++y)
            for (int x = 0; x < frames[k].cols; ++x) {
                const cv::Vec3b p = frames[k].at<cv::Vec3b>(y, x);
                grey = grey && p[0] == p[1] && p[1] == p[2];
                sum += p[0];
                darkest = std::min<double>(darkest, p[0]);
            }
        const double mean = sum / (frames[k].rows * frames[k].cols) / 255.0;
        EXPECT_TRUE(grey);
        EXPECT_GE(mean, 0.6);
        EXPECT_LE(mean, 0.75);
        EXPECT_GE(darkest / 255.0, 0.35) << "multiplying by it would black out the scene";
    }
}

TEST(AssetTextures, EveryHudMaskPairsWithItsColourPicture) {
    const std::pair<const char*, std::vector<std::string>> pairs[] = {
        {"leiste_mask.bmp", {"leiste.bmp"}},
        {"leiste2_mask.bmp", {"leiste2.bmp"}},
        {"crosshair1_mask.bmp", {"crosshair1.bmp"}},
        {"health_mask.bmp", {"health1.bmp", "health5.bmp", "health10.bmp", "health11.bmp"}},
    };
    for (const auto& [maskName, colourNames] : pairs) {
        const cv::Mat mask = load(maskName);
        for (const std::string& colourName : colourNames) {
            SCOPED_TRACE(std::string(maskName) + " / " + colourName);
            const cv::Mat colour = load(colourName);
            ASSERT_EQ(mask.size, colour.size);
            long leaks = 0, clear = 0, solid = 0;
            double solidLight = 0;
            for (int y = 0; y < mask.rows; ++y)
                for (int x = 0; x < mask.cols; ++x) {
                    const cv::Vec3b m = mask.at<cv::Vec3b>(y, x), c = colour.at<cv::Vec3b>(y, x);
                    ASSERT_TRUE(m[0] == m[1] && m[1] == m[2]) << "mask not grey at " << x << "," << y;
                    if (m[0] >= 250) {
                        ++clear;
                        leaks += std::max({c[0], c[1], c[2]}) > 8;
                    } else if (m[0] <= 5) {
                        ++solid;
                        solidLight += luma(c);
                    }
                }
            EXPECT_EQ(leaks, 0) << "colour where the scene must show through";
            EXPECT_GT(clear, 0);
            EXPECT_GT(solid, 0);
            if (std::string(colourName) != "health11.bmp") { // the emptied bar is nearly dark by design
                EXPECT_GT(solidLight / std::max(solid, 1L), 5.0) << "mask covers nothing that is drawn";
            }
        }
    }
}

TEST(AssetTextures, RadarMaskMatchesTheMapWhereTheHudDrawsIt) {
    // The mask quad runs t 0..1 upward over 0.45 of the screen, the map t 0..-1 over 0.4: mask row r
    // (as read, top first) shows what the map's row (1 - 1.125 (r + 0.5) / 512) * 512 shows.
    const cv::Mat mask = load("valleyDepth_radar2_mask.bmp"), map = load("valleyDepth_radar2.bmp");
    long clear = 0, leaks = 0, covered = 0;
    for (int r = 0; r < 512; ++r) {
        const double above = 1.125 * (r + 0.5) / 512;
        for (int x = 0; x < 1024; x += 3) {
            const int m = mask.at<cv::Vec3b>(r, x)[0];
            if (above >= 1.0) {
                ASSERT_GE(m, 250) << "mask hides the scene above the map, row " << r;
                continue;
            }
            const int mapRow = std::clamp(static_cast<int>((1.0 - above) * 512), 1, 510);
            double brightest = 0;
            for (int dy = -1; dy <= 1; ++dy)
                brightest = std::max(brightest,
                                     static_cast<double>(std::max({map.at<cv::Vec3b>(mapRow + dy, x)[0],
                                                                   map.at<cv::Vec3b>(mapRow + dy, x)[1],
                                                                   map.at<cv::Vec3b>(mapRow + dy, x)[2]})));
            if (m >= 250) {
                ++clear;
                leaks += brightest > 8;
            } else {
                ++covered;
            }
        }
    }
    EXPECT_EQ(leaks, 0);
    EXPECT_GT(clear, 0);
    EXPECT_GT(covered, clear);
}

TEST(AssetTextures, RadarShowsEachTownWhereThePointerWouldBe) {
    // The pointer puts x = 0 at the map's left and z = 0 at its bottom; the map stands upright, so the
    // file's bottom row is grid row 0, just like the depth map.
    BitmapImage radar;
    ASSERT_EQ(loadBitmap("Texturen/valleyDepth_radar2.bmp", radar), bitmap_result::ok);
    const cv::Mat mask = load("valleyDepth_radar2_mask.bmp");
    for (const TownEntry& town : kTownTable) {
        SCOPED_TRACE(town.name);
        const int i = town.placement.column, j = town.placement.row;
        const uint8_t* p = radar.pixels.get() + (static_cast<size_t>(j) * 1024 + i) * 3; // red, green, blue
        EXPECT_GT(p[0], 200);
        EXPECT_GT(p[1], 150);
        EXPECT_LT(p[2], 100);
        // And the mask hides the scene under the marker.
        const int maskRow = static_cast<int>(((j + 0.5) / 512.0) / 1.125 * 512);
        EXPECT_LE(mask.at<cv::Vec3b>(maskRow, i)[0], 5);
    }
}

TEST(AssetTextures, AddedPicturesAreBlackAroundTheirEdges) {
    for (const char* name : {"health1.bmp", "health10.bmp", "health11.bmp", "crosshair1.bmp",
                             "Mensch_rot.bmp", "Mensch_gr\xFCn.bmp", "Mensch_beam.bmp", "muzzle1.bmp",
                             "luftblase1.bmp", "SOS0.bmp", "SOS3.bmp", "Zeiger.bmp"}) {
        SCOPED_TRACE(name);
        const cv::Mat m = load(name);
        double edge = 0, brightest = 0;
        for (int y = 0; y < m.rows; ++y)
            for (int x = 0; x < m.cols; ++x) {
                const cv::Vec3b p = m.at<cv::Vec3b>(y, x);
                brightest = std::max<double>(brightest, std::max({p[0], p[1], p[2]}));
                if (x == 0 || y == 0 || x == m.cols - 1 || y == m.rows - 1)
                    edge = std::max<double>(edge, std::max({p[0], p[1], p[2]}));
            }
        EXPECT_LE(edge, 10);
        // The emptied life bar only hints at its dead segments.
        EXPECT_GE(brightest, std::string(name) == "health11.bmp" ? 40 : 200) << "nothing drawn";
    }
}

TEST(AssetTextures, ColoursArriveAsPaintedAfterTheUpload) {
    // GL_RGB uploads take the image library's first byte as red; GL_BGR_EXT uploads take it as blue.
    // Means over the lit pixels, so black backgrounds and faint outlines do not decide.
    auto meanChannels = [](const cv::Mat& m) {
        cv::Vec3d sum(0, 0, 0);
        int n = 0;
        for (int y = 0; y < m.rows; ++y)
            for (int x = 0; x < m.cols; ++x) {
                const cv::Vec3b p = m.at<cv::Vec3b>(y, x);
                if (std::max({p[0], p[1], p[2]}) < 100)
                    continue;
                ++n;
                for (int c = 0; c < 3; ++c)
                    sum[c] += p[c];
            }
        return sum / static_cast<double>(std::max(n, 1));
    };
    const cv::Vec3d seabed = meanChannels(load("valleyTex.bmp")); // GL_RGB: byte 0 is red
    EXPECT_GT(seabed[0], seabed[2]) << "sand should be warm, not blue";
    const cv::Vec3d water = meanChannels(load("wasser.bmp")); // GL_BGR_EXT: byte 0 is blue
    EXPECT_GT(water[0], water[2]) << "water should be blue";
    const cv::Vec3d redPerson = meanChannels(load("Mensch_rot.bmp")); // GL_BGR_EXT
    EXPECT_GT(redPerson[2], 3 * redPerson[0]);
    const cv::Vec3d greenPerson = meanChannels(load("Mensch_gr\xFCn.bmp"));
    EXPECT_GT(greenPerson[1], 3 * greenPerson[2]);
    const cv::Vec3d lowLife = meanChannels(load("health1.bmp")); // GL_RGB: the last tenth glows red
    EXPECT_GT(lowLife[0], 3 * lowLife[2]);
    const cv::Vec3d fullLife = meanChannels(load("health10.bmp"));
    EXPECT_GT(fullLife[1], 2 * fullLife[0]);
}

TEST(AssetTextures, PicturesStandUprightOnTheirQuads) {
    // Most HUD quads put t = 0, the first row the image library returns, at the bottom of the screen.
    const cv::Mat person = load("Mensch_rot.bmp");
    EXPECT_GT(luma(person.at<cv::Vec3b>(256 - 46, 64)), 60) << "head not at the top of the screen";
    EXPECT_LT(luma(person.at<cv::Vec3b>(30, 64)), 30) << "no gap between the legs at the bottom";

    const cv::Mat heat = load("minigun_temp.bmp"); // cool at the bottom of the bar, glowing at the top
    double previous = -1;
    for (int block = 0; block < 8; ++block) {
        double sum = 0;
        for (int y = block * 64; y < block * 64 + 64; ++y)
            sum += luma(heat.at<cv::Vec3b>(y, 32));
        EXPECT_GT(sum / 64, previous) << "block " << block;
        previous = sum / 64;
    }

    const cv::Mat pointer = load("Zeiger.bmp"); // points to the picture's right
    double left = 0, right = 0;
    for (int y = 0; y < pointer.rows; ++y)
        for (int x = 0; x < pointer.cols; ++x)
            (x < 32 ? left : right) += luma(pointer.at<cv::Vec3b>(y, x));
    EXPECT_GT(right, 1.3 * left);

    // The SOS running light starts with the left letter.
    const cv::Mat sos0 = load("SOS0.bmp");
    double sLeft = 0, sRight = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 40; ++x) {
            sLeft += luma(sos0.at<cv::Vec3b>(y, x));
            sRight += luma(sos0.at<cv::Vec3b>(y, 127 - x));
        }
    EXPECT_GT(sLeft, 1.5 * sRight);
}
