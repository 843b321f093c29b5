#include "world/Textures.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <filesystem>
#include <fstream>
#include <set>

TEST(TextureTables, GroupsHoldTheFilesTheGameDrawsByIndex) {
    EXPECT_EQ(textureFiles(TextureGroup::World).size(), 8u);
    EXPECT_EQ(textureFiles(TextureGroup::Scene).size(), 15u);
    EXPECT_EQ(textureFiles(TextureGroup::Hud).size(), 25u);
    EXPECT_EQ(textureFiles(TextureGroup::Caustic).size(), 32u);

    const auto& world = textureFiles(TextureGroup::World);
    EXPECT_EQ(world[kValleyTexture].name, "valleyTex.bmp");
    EXPECT_EQ(world[kWaterTexture].name, "wasser.bmp");
    const auto& scene = textureFiles(TextureGroup::Scene);
    EXPECT_EQ(scene[kBubbleTexture].name, "luftblase1.bmp");
    for (int frame = 0; frame < 4; ++frame)
        EXPECT_EQ(scene[kFirstSosTexture + frame].name, "SOS" + std::to_string(frame) + ".bmp");
    EXPECT_EQ(scene[kMuzzleTexture].name, "muzzle1.bmp");
    const auto& hud = textureFiles(TextureGroup::Hud);
    EXPECT_EQ(hud[4].name, "health5.bmp");
    EXPECT_EQ(hud[10].name, "health11.bmp");
    EXPECT_EQ(hud[17].name, "crosshair1.bmp");
    EXPECT_EQ(hud[20].name, std::string("Mensch_gr") + '\xFC' + "n.bmp");
    EXPECT_EQ(hud[24].name, "valleyDepth_radar2_mask.bmp");
    EXPECT_EQ(textureFiles(TextureGroup::Caustic)[17].name, "caust17.bmp");

    // 80 textures from 79 files: only the left sky face is loaded twice.
    std::set<std::string> names;
    int entries = 0;
    for (TextureGroup group :
         {TextureGroup::World, TextureGroup::Scene, TextureGroup::Hud, TextureGroup::Caustic})
        for (const TextureFile& file : textureFiles(group)) {
            names.insert(file.name);
            ++entries;
        }
    EXPECT_EQ(entries, 80);
    EXPECT_EQ(names.size(), 79u);
}

TEST(TextureTables, SizesAndDeclaredOrdersMatchWhatTheFilesHold) {
    const auto& world = textureFiles(TextureGroup::World);
    EXPECT_EQ(world[0].width, 1024);
    EXPECT_EQ(world[0].height, 512);
    EXPECT_TRUE(world[0].declaredRgb); // the floor's red reaches OpenGL as blue
    EXPECT_FALSE(world[1].declaredRgb);
    const auto& scene = textureFiles(TextureGroup::Scene);
    EXPECT_EQ(scene[9].width, 256);
    EXPECT_EQ(scene[9].height, 96);
    EXPECT_EQ(scene[10].width, 128);
    EXPECT_FALSE(scene[kMuzzleTexture].declaredRgb);
    const auto& hud = textureFiles(TextureGroup::Hud);
    EXPECT_FALSE(hud[11].declaredRgb);
    EXPECT_TRUE(hud[12].declaredRgb);
    EXPECT_EQ(hud[23].width, 64);
    EXPECT_EQ(hud[23].height, 32);
    for (const TextureFile& file : textureFiles(TextureGroup::Caustic)) {
        EXPECT_EQ(file.width, 256);
        EXPECT_TRUE(file.declaredRgb);
    }
}

TEST(TextureFiles, UnusableFilesBecomeAGreyStandInOfTheFixedSizeWithOneLine) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zarnowell-tex-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    cv::Mat good(8, 16, CV_8UC3, cv::Scalar(10, 20, 30));
    good.at<cv::Vec3b>(0, 0) = {1, 2, 3};
    ASSERT_TRUE(cv::imwrite((dir / "good.bmp").string(), good));
    ASSERT_TRUE(cv::imwrite((dir / "wrong.bmp").string(), cv::Mat(8, 8, CV_8UC3, cv::Scalar(9, 9, 9))));
    std::ofstream(dir / "junk.bmp") << "BM but nothing else";

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
    fs::remove_all(dir);
}
