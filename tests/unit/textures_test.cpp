#include "support/TempFolder.h"
#include "world/TextureFiles.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

TEST(TextureFiles, UnusableFilesBecomeAGreyStandInOfTheFixedSizeWithOneLine) {
    const TempFolder folder("tex");
    const std::filesystem::path& dir = folder.path();
    cv::Mat good(8, 16, CV_8UC3, cv::Scalar(10, 20, 30));
    good.at<cv::Vec3b>(0, 0) = {1, 2, 3};
    ASSERT_TRUE(cv::imwrite((dir / "good.bmp").string(), good));
    ASSERT_TRUE(cv::imwrite((dir / "wrong.bmp").string(), cv::Mat(8, 8, CV_8UC3, cv::Scalar(9, 9, 9))));
    folder.write("junk.bmp", {'B', 'M', ' ', 'b', 'u', 't'});

    const TexturePixels read = readTexturePixels((dir / "good.bmp").string(), 16, 8);
    EXPECT_FALSE(read.placeholder);
    ASSERT_EQ(read.bytes.size(), 16u * 8u * 3u);
    // Top row first, blue-green-red, as the image library hands it over.
    EXPECT_EQ(read.bytes[0], 1);
    EXPECT_EQ(read.bytes[1], 2);
    EXPECT_EQ(read.bytes[2], 3);
    EXPECT_EQ(read.bytes[3], 10);

    for (const char* name : {"missing.bmp", "wrong.bmp", "junk.bmp"}) {
        testing::internal::CaptureStderr();
        const TexturePixels standIn = readTexturePixels((dir / name).string(), 16, 8);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(standIn.placeholder) << name;
        EXPECT_EQ(standIn.bytes.size(), 16u * 8u * 3u) << name;
        EXPECT_EQ(std::count(standIn.bytes.begin(), standIn.bytes.end(), 128), 16 * 8 * 3) << name;
        EXPECT_NE(said.find(name), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}
