#include "tools/assetgen/Sounds.h"

#include "tools/assetgen/Random.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kTau = 6.283185307179586;
constexpr double kRate = kSampleRate;

int samples(double seconds) {
    return static_cast<int>(seconds * kRate);
}

// RBJ biquad; enough for the low, band and high passes these effects need.
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass };
    Biquad(Kind kind, double frequency, double q) { set(kind, frequency, q); }
    void set(Kind kind, double frequency, double q) {
        const double w = kTau * frequency / kRate, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
        double b0 = 0, b1 = 0, b2 = 0;
        switch (kind) {
        case Kind::LowPass:
            b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
            break;
        case Kind::HighPass:
            b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
            break;
        case Kind::BandPass:
            b0 = alpha, b1 = 0, b2 = -alpha;
            break;
        }
        const double a0 = 1 + alpha;
        b0_ = b0 / a0, b1_ = b1 / a0, b2_ = b2 / a0, a1_ = -2 * c / a0, a2_ = (1 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

private:
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Fast attack, exponential decay with time constant `decay`.
double envelope(double t, double attack, double decay) {
    if (t < 0)
        return 0;
    return (t < attack ? t / attack : 1.0) * std::exp(-std::max(0.0, t - attack) / decay);
}

// A sine whose frequency glides exponentially from `from` to `to` over time constant `glide`.
class Sweep {
public:
    Sweep(double from, double to, double glide) : from_(from), to_(to), glide_(glide) {}
    double next(double t) {
        const double f = to_ + (from_ - to_) * std::exp(-t / glide_);
        phase_ += kTau * f / kRate;
        return std::sin(phase_);
    }

private:
    double from_, to_, glide_, phase_ = 0;
};

// One gun crack: a noise snap through a high band and a short body thump.
void addShot(std::vector<float>& out, int start, Rng& rng, double weight, double brightness) {
    Biquad snap(Biquad::Kind::BandPass, 2400.0 * brightness, 0.8);
    Biquad body(Biquad::Kind::LowPass, 900.0 * brightness, 0.7);
    Sweep thump(190.0, 55.0, 0.018);
    for (int i = 0; i < samples(0.12) && start + i < static_cast<int>(out.size()); ++i) {
        const double t = i / kRate, noise = rng.signedUnit();
        const double s = snap(noise) * envelope(t, 0.0006, 0.010) * 2.2 +
                         body(noise) * envelope(t, 0.001, 0.028) * 1.1 +
                         thump.next(t) * envelope(t, 0.002, 0.030) * 0.9;
        out[static_cast<size_t>(start + i)] += static_cast<float>(s * weight);
    }
}

// Ends every effect on silence, so no click when it stops.
void fadeTail(std::vector<float>& out, double seconds) {
    const int n = std::min(samples(seconds), static_cast<int>(out.size()));
    for (int i = 0; i < n; ++i)
        out[out.size() - 1 - static_cast<size_t>(i)] *= static_cast<float>(i) / n;
}

// Rumbling blast: shock, low boom, bubble pulses and a long filtered-noise rumble.
std::vector<float> blast(double seconds, double size, uint64_t seed) {
    std::vector<float> out(static_cast<size_t>(samples(seconds)));
    Rng rng(seed);
    Biquad crackFilter(Biquad::Kind::LowPass, 3200.0, 0.7);
    Biquad rumbleFilter(Biquad::Kind::LowPass, 180.0, 0.9);
    Biquad rumbleFilter2(Biquad::Kind::LowPass, 260.0, 0.7);
    Biquad gurgleFilter(Biquad::Kind::BandPass, 420.0, 2.0);
    Sweep boom(110.0 / size, 30.0 / size, 0.25 * size);
    // An underwater blast's gas bubble collapses and rebounds: later, weaker thumps.
    const double pulses[] = {0.0, 0.34 * size, 0.60 * size, 0.80 * size};
    const double pulseWeight[] = {1.0, 0.45, 0.22, 0.1};
    std::vector<Sweep> pulseTones;
    for (double p : pulses)
        pulseTones.emplace_back(80.0 / size, 34.0 / size, 0.12 + 0.05 * p);
    double slowNoise = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate, noise = rng.signedUnit();
        double s = crackFilter(noise) * envelope(t, 0.001, 0.05 * size) * 1.2;
        s += boom.next(t) * envelope(t, 0.004, 0.35 * size) * 1.0;
        for (int k = 0; k < 4; ++k)
            s += pulseTones[static_cast<size_t>(k)].next(std::max(0.0, t - pulses[k])) *
                 envelope(t - pulses[k], 0.02, 0.12 * size) * pulseWeight[k] * 0.7;
        slowNoise = slowNoise * 0.995 + noise * 0.1; // brown noise for the rumble's body
        const double rumble = rumbleFilter2(rumbleFilter(slowNoise * 3.0 + noise * 0.2));
        s += rumble * envelope(t, 0.05, 0.55 * size) * 2.2;
        s += gurgleFilter(noise) * envelope(t - 0.15 * size, 0.2, 0.3 * size) * 0.35 *
             (0.6 + 0.4 * std::sin(kTau * 7.0 * t));
        out[i] = static_cast<float>(std::tanh(s * 0.45)); // gentle: hard saturation crackles
    }
    fadeTail(out, 0.25 * size);
    return out;
}

} // namespace

std::vector<float> synthGunShot() {
    std::vector<float> out(static_cast<size_t>(samples(0.11)));
    Rng rng(1001);
    addShot(out, 0, rng, 1.0, 1.0);
    fadeTail(out, 0.02);
    return out;
}

std::vector<float> synthEnemyBurst() {
    // About twenty rounds a second, each slightly different in time, weight and tone.
    std::vector<float> out(static_cast<size_t>(samples(0.55)));
    Rng rng(1002);
    for (int shot = 0; shot < 9; ++shot) {
        const int start = samples(shot * 0.048 + rng.range(-0.003, 0.003));
        addShot(out, std::max(0, start), rng, rng.range(0.8, 1.0), rng.range(0.75, 0.9));
    }
    fadeTail(out, 0.05);
    return out;
}

std::vector<float> synthTorpedoLaunch() {
    std::vector<float> out(static_cast<size_t>(samples(1.05)));
    Rng rng(1003);
    Biquad hissBand(Biquad::Kind::BandPass, 3000.0, 0.6);
    Biquad hissHigh(Biquad::Kind::HighPass, 1200.0, 0.7);
    Biquad thudFilter(Biquad::Kind::LowPass, 400.0, 0.8);
    Sweep thump(95.0, 38.0, 0.08);
    Sweep motor(140.0, 210.0, 0.4); // the torpedo's screw spinning up as it leaves
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate, noise = rng.signedUnit();
        double s = thump.next(t) * envelope(t, 0.004, 0.11) * 1.2 +
                   thudFilter(noise) * envelope(t, 0.002, 0.04) * 1.2;
        // Compressed air: a hiss that swells just after the thump and dies away, fluttering as it goes.
        const double flutter = 0.75 + 0.25 * std::sin(kTau * 23.0 * t);
        s += hissHigh(hissBand(noise)) * envelope(t - 0.03, 0.06, 0.30) * 1.6 * flutter;
        s += motor.next(t) * envelope(t - 0.15, 0.15, 0.35) * 0.12;
        out[i] = static_cast<float>(s);
    }
    fadeTail(out, 0.2);
    return out;
}

std::vector<float> synthGreatExplosion() {
    return blast(2.6, 1.0, 1004);
}

std::vector<float> synthExplosion() {
    return blast(1.3, 0.55, 1005);
}

} // namespace assetgen
