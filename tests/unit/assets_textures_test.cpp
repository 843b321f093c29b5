// What the pictures must do on screen: tile without seams, meet edge to edge in the sky box, loop in time,
// animate the life bar and the SOS sign frame by frame, pair each HUD mask with its colour picture, keep
// added pictures black around the edges, and arrive in the colour and orientation the game's upload and
// quads expect.
#include "core/TextureTable.h"
#include "towns/TownTable.h"
#include "world/BitmapReader.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

cv::Mat load(const std::string& name) {
    cv::Mat image = cv::imread("Texturen/" + name, cv::IMREAD_COLOR);
    EXPECT_FALSE(image.empty()) << name;
    return image;
}

// Mean over all pixels, or those a mask selects, of the three samples' mean.
double meanLuma(const cv::Mat& m, const cv::Mat& mask = {}) {
    const cv::Scalar s = cv::mean(m, mask);
    return (s[0] + s[1] + s[2]) / 3;
}
// Each pixel's brightest colour sample.
cv::Mat brightest(const cv::Mat& m) {
    cv::Mat c[3];
    cv::split(m, c);
    cv::Mat out = cv::max(c[0], c[1]);
    return cv::max(out, c[2]);
}
bool isGrey(const cv::Mat& m) {
    cv::Mat c[3];
    cv::split(m, c);
    return cv::countNonZero(c[0] != c[1]) + cv::countNonZero(c[1] != c[2]) == 0;
}
double brightestIn(const cv::Mat& singleChannel) {
    double high = 0;
    cv::minMaxLoc(singleChannel, nullptr, &high);
    return high;
}

// Mean absolute difference per colour sample between two pictures, or two lines of pixels, of one size.
double difference(const cv::Mat& a, const cv::Mat& b) {
    return cv::norm(a, b, cv::NORM_L1) / static_cast<double>(a.total() * 3);
}

const char* causticFrame(int k) {
    return kCausticTextureFiles[static_cast<size_t>(k)].name;
}

} // namespace

TEST(AssetTextures, SeabedWaterAndCausticsTileWithoutSeams) {
    for (const char* name : {"valleyTex.bmp", "wasser.bmp", causticFrame(0), causticFrame(13),
                             causticFrame(kCausticFrames - 1)}) {
        SCOPED_TRACE(name);
        const cv::Mat m = load(name);
        // The wrap-around seam against the typical step between neighbouring columns and rows inside.
        double inside = 0;
        for (int k = 1; k < 8; ++k)
            inside += difference(m.col(m.cols * k / 8 - 1), m.col(m.cols * k / 8)) +
                      difference(m.row(m.rows * k / 8 - 1), m.row(m.rows * k / 8));
        const double allowed = 1.6 * inside / 14 + 1.0;
        EXPECT_LE(difference(m.col(m.cols - 1), m.col(0)), allowed);
        EXPECT_LE(difference(m.row(m.rows - 1), m.row(0)), allowed);
        // The measure does see a real edge: two columns far apart differ clearly more.
        EXPECT_GT(difference(m.col(m.cols / 3), m.col(0)), allowed);
    }
}

TEST(AssetTextures, SkyFacesMeetAtTheirEdges) {
    const cv::Mat front = load("sky_vorne.bmp"), left = load("sky_links.bmp"), right = load("sky_rechts.bmp");
    const cv::Mat back = load("sky_hinten.bmp"), top = load("sky_oben.bmp"), bottom = load("sky_unten.bmp");
    const int last = front.cols - 1;
    // Round from the left face to the left face again; then the top face's lower edge is the front face's
    // upper edge, the bottom face's upper edge its lower one.
    const std::pair<cv::Mat, cv::Mat> edges[] = {
        {left.col(last), front.col(0)}, {front.col(last), right.col(0)}, {right.col(last), back.col(0)},
        {back.col(last), left.col(0)},  {top.row(last), front.row(0)},   {bottom.row(0), front.row(last)}};
    for (size_t k = 0; k < std::size(edges); ++k)
        EXPECT_LT(difference(edges[k].first, edges[k].second), 3.0) << "edge " << k;
    // The measure tells edges that do not meet apart.
    EXPECT_GT(difference(top.row(0), front.row(0)) + difference(front.col(0), right.col(0)), 6.0);
}

TEST(AssetTextures, CausticsLoopSmoothlyOnAMidGreyBase) {
    std::vector<cv::Mat> frames;
    for (int k = 0; k < kCausticFrames; ++k)
        frames.push_back(load(causticFrame(k)));
    const int last = kCausticFrames - 1;
    double step = 0;
    for (int k = 0; k < last; ++k)
        step += difference(frames[k], frames[k + 1]) / last;
    EXPECT_GT(step, 0.5) << "the light does not move";
    const double wrap = difference(frames[last], frames[0]);
    EXPECT_LE(wrap, 1.3 * step) << "the last frame does not run into the first";
    EXPECT_GE(wrap, 0.7 * step) << "the loop shows one picture twice";
    EXPECT_GT(difference(frames[0], frames[kCausticFrames / 2]), 1.5 * step)
        << "frames far apart in the loop look alike";
    for (int k = 0; k < kCausticFrames; ++k) {
        SCOPED_TRACE(causticFrame(k));
        EXPECT_TRUE(isGrey(frames[k]));
        EXPECT_GE(meanLuma(frames[k]) / 255, 0.6);
        EXPECT_LE(meanLuma(frames[k]) / 255, 0.75);
        double darkest = 0;
        cv::minMaxLoc(brightest(frames[k]), &darkest);
        EXPECT_GE(darkest / 255, 0.35) << "multiplying by it would black out the scene";
    }
}

TEST(AssetTextures, LifeBarFillsTenthByTenthAndTheSosSignRunsLetterByLetter) {
    std::vector<long> lit;
    for (int k = 0; k < kHealthFrames; ++k)
        lit.push_back(cv::countNonZero(brightest(load(kHudTextureFiles[static_cast<size_t>(k)].name)) > 100));
    for (int k = 1; k < kHealthFrames - 1; ++k)
        EXPECT_GT(lit[k], lit[k - 1]) << "frame " << k;
    const long full = lit[kHealthFrames - 2];
    EXPECT_NEAR(lit[0] * 10.0, full, full * 0.15) << "one tenth is not a tenth";
    EXPECT_EQ(lit[kHealthFrames - 1], 0) << "the emptied bar still glows";

    // Frames 0 to 2 each light their letter, counted from the left; the last frame lights all three.
    std::vector<cv::Mat> sos;
    for (int k = 0; k < kSosFrames; ++k)
        sos.push_back(load(kSceneTextureFiles[static_cast<size_t>(kFirstSosTexture + k)].name));
    for (int k = 0; k < 3; ++k) {
        double letter[3];
        for (int t = 0; t < 3; ++t)
            letter[t] = meanLuma(sos[k].colRange(t * sos[k].cols / 3, (t + 1) * sos[k].cols / 3));
        EXPECT_GT(letter[k], 1.3 * std::max(letter[(k + 1) % 3], letter[(k + 2) % 3])) << "frame " << k;
        EXPECT_LT(meanLuma(sos[k]), meanLuma(sos.back())) << "the last frame lights every letter";
    }
}

TEST(AssetTextures, EveryHudMaskPairsWithItsColourPicture) {
    const std::pair<std::string, std::string> pairs[] = {
        {"leiste_mask.bmp", "leiste.bmp"},         {"leiste2_mask.bmp", "leiste2.bmp"},
        {"crosshair1_mask.bmp", "crosshair1.bmp"}, {"health_mask.bmp", "health1.bmp"},
        {"health_mask.bmp", "health5.bmp"},        {"health_mask.bmp", "health10.bmp"},
        {"health_mask.bmp", "health11.bmp"}};
    for (const auto& [maskName, colourName] : pairs) {
        SCOPED_TRACE(maskName + " / " + colourName);
        const cv::Mat mask = load(maskName), colour = load(colourName);
        ASSERT_EQ(mask.size(), colour.size());
        ASSERT_TRUE(isGrey(mask));
        cv::Mat level;
        cv::extractChannel(mask, level, 0);
        const cv::Mat clear = level >= 250, solid = level <= 5;
        EXPECT_EQ(cv::countNonZero(clear & (brightest(colour) > 8)), 0)
            << "colour where the scene must show through";
        EXPECT_GT(cv::countNonZero(clear), 0);
        EXPECT_GT(cv::countNonZero(solid), 0);
        if (colourName != "health11.bmp") { // the emptied bar is nearly dark by design
            EXPECT_GT(meanLuma(colour, solid), 5.0) << "mask covers nothing that is drawn";
        }
    }
}

TEST(AssetTextures, RadarMapShowsTheTownsAndItsMaskCoversItWhereTheHudDrawsIt) {
    // The mask quad runs t 0..1 upward over 0.45 of the screen, the map t 0..-1 over 0.4: mask row r
    // (as read, top first) shows what the map's row (1 - 1.125 (r + 0.5) / rows) * rows shows.
    const cv::Mat mask = load("valleyDepth_radar2_mask.bmp"), map = brightest(load("valleyDepth_radar2.bmp"));
    const int rows = map.rows;
    long clear = 0, leaks = 0, covered = 0;
    for (int r = 0; r < rows; ++r) {
        const double above = 1.125 * (r + 0.5) / rows;
        for (int x = 0; x < map.cols; x += 3) {
            const int m = mask.at<cv::Vec3b>(r, x)[0];
            if (above >= 1.0) {
                ASSERT_GE(m, 250) << "mask hides the scene above the map, row " << r;
            } else if (m >= 250) {
                const int mapRow = std::clamp(static_cast<int>((1.0 - above) * rows), 1, rows - 2);
                ++clear;
                for (int dy = -1; dy <= 1; ++dy)
                    leaks += map.at<uint8_t>(mapRow + dy, x) > 8;
            } else {
                ++covered;
            }
        }
    }
    EXPECT_EQ(leaks, 0);
    EXPECT_GT(clear, 0);
    EXPECT_GT(covered, clear);

    // Each town where the pointer would be: it puts x = 0 at the map's left and z = 0 at its bottom; the
    // map stands upright, so the file's bottom row is grid row 0, just like the depth map.
    BitmapImage radar;
    ASSERT_EQ(loadBitmap("Texturen/valleyDepth_radar2.bmp", radar), bitmap_result::ok);
    for (const TownEntry& town : kTownTable) {
        SCOPED_TRACE(town.name);
        const int i = town.placement.column, j = town.placement.row;
        const uint8_t* p =
            radar.pixels.get() + (static_cast<size_t>(j) * radar.width + i) * 3; // red, green, blue
        EXPECT_GT(p[0], 200);
        EXPECT_GT(p[1], 150);
        EXPECT_LT(p[2], 100);
        // And the mask hides the scene under the marker.
        const int maskRow = static_cast<int>((j + 0.5) / 1.125);
        EXPECT_LE(mask.at<cv::Vec3b>(maskRow, i)[0], 5);
    }
}

TEST(AssetTextures, AddedPicturesAreBlackAroundTheirEdges) {
    for (const char* name : {"health1.bmp", "health10.bmp", "health11.bmp", "crosshair1.bmp",
                             "Mensch_rot.bmp", "Mensch_gr\xFCn.bmp", "Mensch_beam.bmp", "muzzle1.bmp",
                             "luftblase1.bmp", "SOS0.bmp", "SOS3.bmp", "Zeiger.bmp"}) {
        SCOPED_TRACE(name);
        const cv::Mat b = brightest(load(name));
        for (const cv::Mat& edge : {b.row(0), b.row(b.rows - 1), b.col(0), b.col(b.cols - 1)})
            EXPECT_LE(brightestIn(edge), 10);
        // The emptied life bar only hints at its dead segments.
        EXPECT_GE(brightestIn(b), std::string(name) == "health11.bmp" ? 40 : 200) << "nothing drawn";
    }
}

TEST(AssetTextures, ColoursArriveAsPaintedAfterTheUpload) {
    // GL_RGB uploads take the image library's first sample as red, GL_BGR_EXT uploads as blue. Means over
    // the lit pixels, so black backgrounds and faint outlines do not decide.
    // Each picture, the sample (in the image library's order) that must outweigh another, and by how much.
    const std::tuple<const char*, int, int, double> cases[] = {
        {"valleyTex.bmp", 0, 2, 1.0},      // GL_RGB: sand is warm, not blue
        {"wasser.bmp", 0, 2, 1.0},         // GL_BGR_EXT: water is blue
        {"Mensch_rot.bmp", 2, 0, 3.0},     // GL_BGR_EXT
        {"Mensch_gr\xFCn.bmp", 1, 2, 3.0}, // GL_BGR_EXT
        {"health1.bmp", 0, 2, 3.0},        // GL_RGB: the last tenth glows red
        {"health10.bmp", 1, 0, 2.0},       // GL_RGB: a full bar is green
    };
    for (const auto& [name, stronger, weaker, by] : cases) {
        const cv::Mat m = load(name);
        const cv::Scalar lit = cv::mean(m, brightest(m) >= 100);
        EXPECT_GT(lit[stronger], by * lit[weaker]) << name;
    }
}

TEST(AssetTextures, PicturesStandUprightOnTheirQuads) {
    // Most HUD quads put t = 0, the first row the image library returns, at the bottom of the screen.
    const cv::Mat person = load("Mensch_rot.bmp");
    EXPECT_GT(meanLuma(person(cv::Rect(64, 256 - 46, 1, 1))), 60) << "head not at the top of the screen";
    EXPECT_LT(meanLuma(person(cv::Rect(64, 30, 1, 1))), 30) << "no gap between the legs at the bottom";

    const cv::Mat heat = load("minigun_temp.bmp"); // cool at the bottom of the bar, glowing at the top
    for (int block = 1; block < 8; ++block)
        EXPECT_GT(meanLuma(heat(cv::Rect(32, block * 64, 1, 64))),
                  meanLuma(heat(cv::Rect(32, block * 64 - 64, 1, 64))))
            << "block " << block;

    const cv::Mat pointer = load("Zeiger.bmp"); // points to the picture's right
    EXPECT_GT(meanLuma(pointer.colRange(32, 64)), 1.3 * meanLuma(pointer.colRange(0, 32)));
}
