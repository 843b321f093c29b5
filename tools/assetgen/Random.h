// Our own hashing and random stream: the pictures and sounds must come out byte for byte the same on
// every run and every standard library, which rules out rand() and the std distributions.
#pragma once

#include <cstdint>

namespace assetgen {

inline uint64_t splitmix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

inline uint32_t hash2(int32_t a, int32_t b, uint32_t seed) {
    const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
    return static_cast<uint32_t>(splitmix64(key ^ (static_cast<uint64_t>(seed) * 0xD6E8FEB86659FD93ull)) >>
                                 32);
}

// Uniform in [0, 1).
inline float hashUnit(int32_t a, int32_t b, uint32_t seed) {
    return static_cast<float>(hash2(a, b, seed) >> 8) * (1.0f / 16777216.0f);
}

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next() { return splitmix64(state_++ * 0x9E3779B97F4A7C15ull); }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform in [-1, 1).
    double signedUnit() { return uniform() * 2.0 - 1.0; }

private:
    uint64_t state_;
};

} // namespace assetgen
