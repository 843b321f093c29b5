#include "enemies/Explosion.h"

#include <cstdlib>

namespace {

constexpr float kSparkRadius = 0.125f;
constexpr float kCoreGrowth = 0.025f;

// From -1.0 to 0.99 in hundredths.
float sparkComponent() {
    return static_cast<float>(std::rand() % 200 - 100) / 100.0f;
}

} // namespace

void Explosion::start(float x, float y, float z) {
    center = {x, y, z};
    started = true;
    for (int spark = 0; spark < kSparks; ++spark) {
        const float slices = static_cast<float>(std::rand() % 8 + 2);
        // Drawn z first, x last.
        const float dz = sparkComponent();
        const float dy = sparkComponent();
        const float dx = sparkComponent();
        particles.emplace_back(center, Vec3{dx, dy, dz}, slices, kSparkRadius);
    }
}

// The sparks were thrown together, so the walk ends only on the last update, after the first spark.
void Explosion::update() {
    coreRadius += kCoreGrowth;
    for (explosionparticle& spark : particles) {
        spark.update();
        if (spark.age >= kExplosionUpdates)
            return;
    }
}
