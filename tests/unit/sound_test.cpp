#include "app/Sound.h"
#include "core/GameState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Mono 16-bit 22050 Hz PCM, the game's own format, so the device needs no conversion.
std::vector<int16_t> tone(double frequency, double seconds, double amplitude) {
    std::vector<int16_t> samples(static_cast<size_t>(seconds * 22050));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(amplitude * 32767 * std::sin(2 * M_PI * frequency * i / 22050.0));
    return samples;
}

void writeWav(const fs::path& path, const std::vector<int16_t>& samples, uint32_t rate = 22050,
              uint16_t channels = 1) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(channels);
    u32(rate);
    u32(rate * channels * 2);
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

class SoundTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }
    const TempFolder folder{"sound"};
    const fs::path& dir = folder.path();
};

bool contains(const std::vector<char>& haystack, const std::vector<int16_t>& needle) {
    const char* begin = reinterpret_cast<const char*>(needle.data());
    const std::vector<char> bytes(begin, begin + needle.size() * 2);
    return std::search(haystack.begin(), haystack.end(), bytes.begin(), bytes.end()) != haystack.end();
}

} // namespace

TEST_F(SoundTest, RecordedSoundsPlayTheGamesFilesAndANewOneCutsTheOneStillSounding) {
    // The disk driver writes what the device plays to a file, so we can hear what came out.
    const fs::path played = dir / "played.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
    GameState state;
    state.effects.play(Sound::Explosion);
    state.effects.play(Sound::GunShot);
    {
        SoundPlayer player;
        ASSERT_TRUE(player.open());
        testing::internal::CaptureStderr();
        playRecordedSounds(state, player);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(state.effects.sounds.empty());
        // The game's own player forgets them too, even without a device, so they never pile up.
        state.effects.play(Sound::Explosion);
        playRecordedSounds(state);
        EXPECT_TRUE(state.effects.sounds.empty());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (player.queuedBytes() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // The game's files are PCM in the device's own format after a 44-byte header.
    const auto samples = [](const char* name) {
        std::ifstream in(std::string("Sounds/") + name, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<int16_t> out(bytes.size() > 44 ? (bytes.size() - 44) / 2 : 0);
        std::memcpy(out.data(), bytes.data() + 44, out.size() * 2);
        return out;
    };
    const std::vector<int16_t> shot = samples("30cal_shoot.wav"), blast = samples("explosion.wav");
    ASSERT_GT(blast.size(), 10000u);
    std::ifstream in(played, std::ios::binary);
    const std::vector<char> output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(contains(output, shot)) << "the shot, recorded last, must play to its end";
    const std::vector<int16_t> blastMiddle(blast.begin() + 8000, blast.begin() + 10000);
    EXPECT_FALSE(contains(output, blastMiddle)) << "the blast must have been cut";
}

TEST_F(SoundTest, MissingOrBrokenFileIsReportedOnceAndPlaysNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ofstream(dir / "broken.wav") << "RIFF but not really a wave file";
    SoundPlayer player;
    ASSERT_TRUE(player.open());
    for (const std::string name : {"missing.wav", "broken.wav"}) {
        const std::string path = (dir / name).string();
        testing::internal::CaptureStderr();
        player.play(path);
        player.play(path);
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_NE(reported.find(path), std::string::npos) << reported;
        EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
        EXPECT_FALSE(player.decodedSize(path).has_value());
        EXPECT_EQ(player.queuedBytes(), 0u);
    }
    // A good file after a bad one still plays.
    writeWav(dir / "good.wav", tone(300, 0.2, 0.5));
    player.play((dir / "good.wav").string());
    EXPECT_GT(player.queuedBytes(), 0u);
}

TEST_F(SoundTest, FilesInAnotherFormatAreConvertedOnceToTheDevicesFormat) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // 8820 samples as 44.1 kHz stereo are 0.1 s: 2205 samples of 2 bytes on the 22.05 kHz mono device.
    writeWav(dir / "stereo.wav", tone(300, 0.4, 0.5), 44100, 2);
    SoundPlayer player;
    ASSERT_TRUE(player.open());
    const std::string path = (dir / "stereo.wav").string();
    player.play(path);
    const auto converted = player.decodedSize(path);
    ASSERT_TRUE(converted);
    EXPECT_NEAR(static_cast<double>(*converted), 2205.0 * 2, 64.0);
    EXPECT_GT(player.queuedBytes(), 0u);
    fs::remove(path); // played again from the kept copy
    player.play(path);
    EXPECT_EQ(player.decodedSize(path), converted);
}

TEST_F(SoundTest, NoAudioDeviceMeansSilenceWithOneLine) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    writeWav(dir / "good.wav", tone(300, 0.2, 0.5));
    SoundPlayer player;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(player.open());
    player.play((dir / "good.wav").string());
    player.play((dir / "good.wav").string());
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.queuedBytes(), 0u);
}
