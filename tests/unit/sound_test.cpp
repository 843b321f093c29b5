#include "app/Sound.h"
#include "core/GameState.h"
#include "support/DiskAudio.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        // A player without a device forgets them too, so they never pile up.
        state.effects.play(Sound::Explosion);
        SoundPlayer closed;
        playRecordedSounds(state, closed);
        EXPECT_TRUE(state.effects.sounds.empty());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (player.queuedBytes() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(player.queuedBytes(), 0u) << "the device did not take the shot within 20 s";
    } // closing the device writes out the last of what it took
    const size_t shot = std::filesystem::file_size("Sounds/30cal_shoot.wav") - 44;
    EXPECT_TRUE(playedStretchOf(played, "Sounds/30cal_shoot.wav", 0, shot))
        << "the shot, played last, is cut short";
    EXPECT_FALSE(playedStretchOf(played, "Sounds/explosion.wav", 16000, 20000)) << "the blast was not cut";
}

TEST(Sound, ABadDeviceOrFileOrACutFileGivesOneLineWhatIsThereIsPlayedAndConvertedOnce) {
    const TempFolder folder("sound");
    const std::string missing = folder.file("none.wav"), bad = folder.write("bad.wav", {'R', 'I', 'F', 'F'});
    const std::string cut = folder.file("cut.wav");
    std::filesystem::copy_file("Sounds/30cal_shoot.wav", cut);
    const uintmax_t sound = std::filesystem::file_size(cut) - 44, kept = (sound / 2) | 1; // inside a sample
    std::filesystem::resize_file(cut, 44 + kept);
    testing::internal::CaptureStderr();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SoundPlayer silent;
        EXPECT_FALSE(silent.open());
        silent.play("Sounds/30cal_shoot.wav");
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundPlayer player;
    EXPECT_TRUE(player.open());
    for (const std::string& path : {missing, bad, cut, missing, bad, cut})
        player.play(path);
    const std::string reported = testing::internal::GetCapturedStderr();
    // One line for the missing device and one for each bad or cut file, however often it is played; a cut
    // file plays the whole samples it holds.
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 4) << reported;
    const std::string cutLine = "Sound: " + cut + " is cut short: " + std::to_string(kept) + " of its " +
                                std::to_string(sound) + " bytes of sound are there; playing those\n";
    for (const std::string& named : {missing, bad, cutLine})
        EXPECT_NE(reported.find(named), std::string::npos) << reported;
    EXPECT_FALSE(player.decodedSize(missing) || player.decodedSize(bad));
    EXPECT_EQ(player.decodedSize(cut), kept - 1);

    // The game's shot with a header claiming half its rate reaches the device resampled to twice the bytes.
    const std::string slow = folder.file("slow.wav");
    std::filesystem::copy_file("Sounds/30cal_shoot.wav", slow);
    std::fstream header(slow, std::ios::in | std::ios::out | std::ios::binary);
    header.seekp(24).write("\x11\x2B\0\0\x22\x56\0\0", 8).flush();
    player.play(slow);
    const auto converted = player.decodedSize(slow);
    ASSERT_TRUE(converted);
    EXPECT_NEAR(static_cast<double>(*converted),
                2.0 * static_cast<double>(std::filesystem::file_size(slow) - 44), 64.0);
    std::filesystem::remove(slow); // played again from the kept copy
    player.play(slow);
    EXPECT_EQ(player.decodedSize(slow), converted);
}
