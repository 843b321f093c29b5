#include "app/Sound.h"
#include "core/GameState.h"
#include "support/DiskAudio.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

TEST(Sound, RecordedSoundsPlayTheGamesFilesAndANewOneCutsTheOneStillSounding) {
    // The disk driver writes what the device plays to a file, so we can hear what came out.
    const TempFolder folder("sound");
    const std::string played = folder.file("played.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played.c_str(), 1);
    GameState state;
    state.effects.play(Sound::Explosion);
    state.effects.play(Sound::GunShot);
    {
        SoundPlayer player;
        ASSERT_TRUE(player.open());
        playRecordedSounds(state, player);
        EXPECT_TRUE(state.effects.sounds.empty());
        // The game's own player forgets them too, even without a device, so they never pile up.
        state.effects.play(Sound::Explosion);
        playRecordedSounds(state);
        EXPECT_TRUE(state.effects.sounds.empty());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (player.queuedBytes() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(player.queuedBytes(), 0u) << "the device did not take the shot within 20 s";
    } // closing the device writes out the last of what it took
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const size_t shot = std::filesystem::file_size("Sounds/30cal_shoot.wav") - 44;
    EXPECT_TRUE(playedStretchOf(played, "Sounds/30cal_shoot.wav", 0, shot))
        << "the shot, recorded last, must play to its end";
    EXPECT_FALSE(playedStretchOf(played, "Sounds/explosion.wav", 16000, 20000))
        << "the blast must have been cut";
}

TEST(Sound, BadFilesAreReportedOnceAndOthersAreConvertedToTheDevicesFormatOnce) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const TempFolder folder("sound");
    // The game's shot, its header claiming half the rate: the device must get it resampled to twice the
    // bytes.
    std::ifstream in("Sounds/30cal_shoot.wav", std::ios::binary);
    std::vector<uint8_t> slow{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const auto& [at, value] : {std::pair{24, 11025}, {28, 22050}})
        for (int k = 0; k < 4; ++k)
            slow.at(at + k) = static_cast<uint8_t>(value >> 8 * k);
    const std::string slowPath = folder.write("slow.wav", slow),
                      broken = folder.write("broken.wav", {'R', 'I', 'F', 'F'});
    SoundPlayer player;
    ASSERT_TRUE(player.open());
    for (const std::string& path : {folder.file("missing.wav"), broken}) {
        testing::internal::CaptureStderr();
        player.play(path);
        player.play(path);
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_NE(reported.find(path), std::string::npos) << reported;
        EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
        EXPECT_FALSE(player.decodedSize(path).has_value());
        EXPECT_EQ(player.queuedBytes(), 0u);
    }
    player.play(slowPath);
    const auto converted = player.decodedSize(slowPath);
    ASSERT_TRUE(converted);
    EXPECT_NEAR(static_cast<double>(*converted), 2.0 * static_cast<double>(slow.size() - 44), 64.0);
    std::filesystem::remove(slowPath); // played again from the kept copy
    player.play(slowPath);
    EXPECT_EQ(player.decodedSize(slowPath), converted);
}

TEST(Sound, NoAudioDeviceMeansSilenceWithOneLine) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundPlayer player;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(player.open());
    player.play("Sounds/30cal_shoot.wav");
    player.play("Sounds/30cal_shoot.wav");
    const std::string reported = testing::internal::GetCapturedStderr();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.queuedBytes(), 0u);
}
