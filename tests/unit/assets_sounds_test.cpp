// The five sound effects: plain 16-bit mono PCM WAVE files at 22050 Hz that any decoder (SDL's among
// them) accepts, of the lengths the game's timing needs, loud but never clipped, and each with the
// character of what it is.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wave {
    std::vector<uint8_t> bytes;
    std::vector<int16_t> samples;
    double seconds() const { return samples.size() / 22050.0; }
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

Wave load(const std::string& name) {
    std::ifstream in("Sounds/" + name, std::ios::binary);
    Wave w{{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}, {}};
    if (w.bytes.size() >= 44)
        for (size_t i = 44; i + 1 < w.bytes.size(); i += 2)
            w.samples.push_back(static_cast<int16_t>(le16(w.bytes, i)));
    return w;
}

// Crossings of zero per second: high for a crack, low for a rumble.
double zeroCrossingRate(const Wave& w) {
    long crossings = 0;
    for (size_t i = 1; i < w.samples.size(); ++i)
        crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0);
    return crossings / w.seconds();
}

double rms(const Wave& w, double from, double to) {
    double sum = 0;
    const size_t a = static_cast<size_t>(from * 22050),
                 b = std::min(w.samples.size(), static_cast<size_t>(to * 22050));
    for (size_t i = a; i < b; ++i)
        sum += static_cast<double>(w.samples[i]) * w.samples[i];
    return std::sqrt(sum / std::max<size_t>(1, b - a)) / 32768.0;
}

const struct {
    const char* name;
    double shortest, longest;
} kEffects[] = {
    {"30cal_shoot.wav", 0.03, 0.12}, // the gun repeats every 80 ms and each shot cuts the last
    {"mg42_shoot.wav", 0.4, 0.65},     {"Torpedo_Tubes.wav", 0.8, 1.25},
    {"great_explosion.wav", 2.0, 3.0}, {"explosion.wav", 1.0, 1.5},
};

} // namespace

TEST(AssetSounds, HeadersDescribePlainMonoPcm) {
    for (const auto& effect : kEffects) {
        SCOPED_TRACE(effect.name);
        const Wave w = load(effect.name);
        ASSERT_GE(w.bytes.size(), 44u);
        EXPECT_EQ(std::string(w.bytes.begin(), w.bytes.begin() + 4), "RIFF");
        EXPECT_EQ(le32(w.bytes, 4), w.bytes.size() - 8);
        EXPECT_EQ(std::string(w.bytes.begin() + 8, w.bytes.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le32(w.bytes, 16), 16u);
        EXPECT_EQ(le16(w.bytes, 20), 1) << "PCM";
        EXPECT_EQ(le16(w.bytes, 22), 1) << "mono";
        EXPECT_EQ(le32(w.bytes, 24), 22050u);
        EXPECT_EQ(le32(w.bytes, 28), 44100u) << "byte rate";
        EXPECT_EQ(le16(w.bytes, 32), 2) << "block align";
        EXPECT_EQ(le16(w.bytes, 34), 16);
        EXPECT_EQ(std::string(w.bytes.begin() + 36, w.bytes.begin() + 40), "data");
        EXPECT_EQ(le32(w.bytes, 40), w.bytes.size() - 44);
    }
}

TEST(AssetSounds, LengthsLevelsAndEndings) {
    for (const auto& effect : kEffects) {
        SCOPED_TRACE(effect.name);
        const Wave w = load(effect.name);
        EXPECT_GE(w.seconds(), effect.shortest);
        EXPECT_LE(w.seconds(), effect.longest);
        int peak = 0;
        long atFullScale = 0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            atFullScale += std::abs(static_cast<int>(s)) >= 32767;
        }
        EXPECT_GE(peak, 26000) << "not normalised";
        EXPECT_EQ(atFullScale, 0) << "clipped";
        // No click when it stops: the last 5 ms fade to silence.
        for (size_t i = w.samples.size() - 110; i < w.samples.size(); ++i)
            ASSERT_LT(std::abs(w.samples[i]), 1200) << "sample " << i;
    }
}

TEST(AssetSounds, EachSoundsLikeWhatItIs) {
    const Wave shot = load("30cal_shoot.wav"), burst = load("mg42_shoot.wav"),
               launch = load("Torpedo_Tubes.wav");
    const Wave big = load("great_explosion.wav"), small = load("explosion.wav");
    // A shot is loud at once and gone within its first 50 ms.
    EXPECT_GT(rms(shot, 0.0, 0.02), 4 * rms(shot, 0.06, 0.11));
    // A burst is a string of shots: loudness comes back again and again.
    int onsets = 0;
    for (double t = 0.01; t < burst.seconds() - 0.01; t += 0.01)
        onsets += rms(burst, t, t + 0.01) > 2.0 * rms(burst, t - 0.01, t);
    EXPECT_GE(onsets, 6);
    // Blasts rumble low, shots and the hiss of air crack high.
    EXPECT_LT(zeroCrossingRate(big), 0.3 * zeroCrossingRate(shot));
    EXPECT_LT(zeroCrossingRate(small), 0.3 * zeroCrossingRate(launch));
    // The big blast keeps rumbling after the small one would be over.
    EXPECT_GT(rms(big, 1.0, 1.5), 2.0 * rms(small, 1.0, 1.25));
    // The launch: the thump first, the hiss still audible half a second later.
    EXPECT_GT(rms(launch, 0.3, 0.6), 0.1 * rms(launch, 0.0, 0.15));
}
