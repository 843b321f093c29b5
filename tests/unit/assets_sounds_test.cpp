// The five sound effects: of the lengths the game's timing needs, loud but never clipped, ending without a
// click, and each with the character of what it is.

#include "core/Sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr double kRate = 22050.0;

struct Wave {
    std::vector<int16_t> samples;

    double seconds() const { return static_cast<double>(samples.size()) / kRate; }
    // Level between two times, as a fraction of full scale.
    double rms(double from, double to) const {
        const size_t a = std::min(samples.size(), static_cast<size_t>(from * kRate)),
                     b = std::min(samples.size(), static_cast<size_t>(to * kRate));
        double sum = 0;
        for (size_t i = a; i < b; ++i)
            sum += static_cast<double>(samples[i]) * samples[i];
        return std::sqrt(sum / static_cast<double>(std::max<size_t>(1, b - a))) / 32768.0;
    }
    // Crossings of zero per second: high for a crack, low for a rumble.
    double zeroCrossingRate() const {
        long crossings = 0;
        for (size_t i = 1; i < samples.size(); ++i)
            crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        return static_cast<double>(crossings) / seconds();
    }
};

Wave load(Sound sound) {
    std::ifstream in(std::string("Sounds/") + soundFile(sound), std::ios::binary);
    in.seekg(44); // past the header, which the file checks read
    Wave w;
    for (char b[2]; in.read(b, 2);)
        w.samples.push_back(
            static_cast<int16_t>(static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8));
    return w;
}

} // namespace

TEST(AssetSounds, LengthsLevelsAndEndings) {
    // Shortest and longest lengths in seconds.
    const std::tuple<Sound, double, double> effects[] = {
        {Sound::GunShot, 0.03, 0.12}, // the gun repeats every 80 ms and each shot cuts the last
        {Sound::EnemyBurst, 0.4, 0.65},    {Sound::TorpedoLaunch, 0.8, 1.25},
        {Sound::GreatExplosion, 2.0, 3.0}, {Sound::Explosion, 1.0, 1.5},
    };
    static_assert(std::size(effects) == kSoundFiles.size());
    for (const auto& [sound, shortest, longest] : effects) {
        SCOPED_TRACE(soundFile(sound));
        const Wave w = load(sound);
        ASSERT_GE(w.seconds(), shortest);
        EXPECT_LE(w.seconds(), longest);
        const auto [low, high] = std::minmax_element(w.samples.begin(), w.samples.end());
        const int peak = std::max(-*low, static_cast<int>(*high));
        EXPECT_GE(peak, 26000) << "not normalised";
        EXPECT_LT(peak, 32767) << "clipped";
        // No click when it stops: the last 5 ms fade to silence.
        for (size_t i = w.samples.size() - 110; i < w.samples.size(); ++i)
            ASSERT_LT(std::abs(w.samples[i]), 1200) << "sample " << i;
    }
}

TEST(AssetSounds, EachSoundsLikeWhatItIs) {
    const Wave shot = load(Sound::GunShot), burst = load(Sound::EnemyBurst),
               launch = load(Sound::TorpedoLaunch);
    const Wave big = load(Sound::GreatExplosion), small = load(Sound::Explosion);
    // A shot is loud at once and gone within its first 50 ms.
    EXPECT_GT(shot.rms(0.0, 0.02), 4 * shot.rms(0.06, 0.11));
    // A burst is a string of shots: loudness comes back again and again.
    int onsets = 0;
    for (double t = 0.01; t < burst.seconds() - 0.01; t += 0.01)
        onsets += burst.rms(t, t + 0.01) > 2.0 * burst.rms(t - 0.01, t);
    EXPECT_GE(onsets, 6);
    // Blasts rumble low, shots and the hiss of air crack high.
    EXPECT_LT(big.zeroCrossingRate(), 0.3 * shot.zeroCrossingRate());
    EXPECT_LT(small.zeroCrossingRate(), 0.3 * launch.zeroCrossingRate());
    // The big blast keeps rumbling after the small one would be over.
    EXPECT_GT(big.rms(1.0, 1.5), 2.0 * small.rms(1.0, 1.25));
    // The launch: the thump first, the hiss still audible half a second later.
    EXPECT_GT(launch.rms(0.3, 0.6), 0.1 * launch.rms(0.0, 0.15));
}
