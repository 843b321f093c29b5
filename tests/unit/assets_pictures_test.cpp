// Pictures that come as sets: the sky box's faces meet edge to edge, the life bar fills frame by frame,
// and the SOS sign's frames make a running light.
#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <string>

namespace {

cv::Mat load(const std::string& name) {
    cv::Mat image = cv::imread("Texturen/" + name, cv::IMREAD_COLOR);
    EXPECT_FALSE(image.empty()) << name;
    return image;
}

// Mean absolute difference between a line of pixels in one picture and a line in another.
template <class PixelA, class PixelB> double lineDifference(int length, PixelA a, PixelB b) {
    double sum = 0;
    for (int k = 0; k < length; ++k)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(a(k)[c] - b(k)[c]);
    return sum / (length * 3);
}

long litPixels(const cv::Mat& m, int threshold) {
    long n = 0;
    for (int y = 0; y < m.rows; ++y)
        for (int x = 0; x < m.cols; ++x) {
            const cv::Vec3b p = m.at<cv::Vec3b>(y, x);
            n += std::max({p[0], p[1], p[2]}) > threshold;
        }
    return n;
}

double brightness(const cv::Mat& m) {
    double sum = 0;
    for (int y = 0; y < m.rows; ++y)
        for (int x = 0; x < m.cols; ++x)
            sum += m.at<cv::Vec3b>(y, x)[0];
    return sum / (m.rows * m.cols);
}

} // namespace

TEST(AssetPictures, SkyFacesMeetAtTheirEdges) {
    const cv::Mat front = load("sky_vorne.bmp"), left = load("sky_links.bmp"), right = load("sky_rechts.bmp");
    const cv::Mat back = load("sky_hinten.bmp"), top = load("sky_oben.bmp"), bottom = load("sky_unten.bmp");
    const int n = 512;
    auto column = [](const cv::Mat& m, int x) { return [&m, x](int k) { return m.at<cv::Vec3b>(k, x); }; };
    auto row = [](const cv::Mat& m, int y) { return [&m, y](int k) { return m.at<cv::Vec3b>(y, k); }; };
    // Going round: left, front, right, back, left again.
    EXPECT_LT(lineDifference(n, column(left, n - 1), column(front, 0)), 3.0);
    EXPECT_LT(lineDifference(n, column(front, n - 1), column(right, 0)), 3.0);
    EXPECT_LT(lineDifference(n, column(right, n - 1), column(back, 0)), 3.0);
    EXPECT_LT(lineDifference(n, column(back, n - 1), column(left, 0)), 3.0);
    // Up and down: the top face's lower edge is the front face's upper edge, the bottom face's upper edge
    // its lower one.
    EXPECT_LT(lineDifference(n, row(top, n - 1), row(front, 0)), 3.0);
    EXPECT_LT(lineDifference(n, row(bottom, 0), row(front, n - 1)), 3.0);
    // The measure tells edges that do not meet apart.
    EXPECT_GT(lineDifference(n, row(top, 0), row(front, 0)) +
                  lineDifference(n, column(front, 0), column(right, 0)),
              6.0);
}

TEST(AssetPictures, LifeBarFillsTenthByTenth) {
    long previous = 0;
    for (int k = 1; k <= 10; ++k) {
        const long lit = litPixels(load("health" + std::to_string(k) + ".bmp"), 100);
        EXPECT_GT(lit, previous) << "health" << k;
        previous = lit;
    }
    const long full = previous;
    EXPECT_NEAR(litPixels(load("health1.bmp"), 100) * 10.0, full, full * 0.15) << "one tenth is not a tenth";
    EXPECT_EQ(litPixels(load("health11.bmp"), 100), 0) << "the emptied bar still glows";
}

TEST(AssetPictures, SosFramesMakeARunningLight) {
    cv::Mat frames[4];
    for (int k = 0; k < 4; ++k)
        frames[k] = load("SOS" + std::to_string(k) + ".bmp");
    for (int k = 0; k < 3; ++k) {
        // Frame k lights letter k: that third of the sign is its brightest.
        double thirds[3];
        for (int t = 0; t < 3; ++t)
            thirds[t] = brightness(frames[k](cv::Rect(t * 128 / 3, 0, 128 / 3, 64)));
        for (int t = 0; t < 3; ++t) {
            if (t != k) {
                EXPECT_GT(thirds[k], 1.3 * thirds[t]) << "frame " << k << " letter " << t;
            }
        }
        EXPECT_LT(brightness(frames[k]), brightness(frames[3])) << "the last frame lights every letter";
    }
}
