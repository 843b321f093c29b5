#include "player/WeaponSystem.h"

#include <cstdlib>

namespace {

// A retirement ends the walk: the projectiles behind it skip this tick.
template <typename Projectile> void stepOldestFirst(std::vector<Projectile>& projectiles, int retirementAge) {
    for (auto projectile = projectiles.begin(); projectile != projectiles.end(); ++projectile) {
        projectile->update();
        if (projectile->age >= retirementAge) {
            projectiles.erase(projectile);
            return;
        }
    }
}

// From -0.7 to 0.699 degrees in thousandths.
float spread() {
    return static_cast<float>(std::rand() % 1400 - 700) / 1000.0f;
}

} // namespace

void WeaponSystem::update(float x, float y, float z, float aimPitch, float aimHeading) {
    origin = {x, y, z};
    shotPitch = -aimPitch;
    shotHeading = -aimHeading;
    stepOldestFirst(tracers, kTracerRetirementAge);
    stepOldestFirst(runningTorpedoes, kTorpedoRetirementAge);
}

void WeaponSystem::fire(int kind) {
    // Both are drawn whatever the kind, pitch first.
    const float pitchSpread = spread();
    const float headingSpread = spread();
    if (kind == kTracer)
        tracers.emplace_back(origin, shotPitch + pitchSpread, shotHeading + headingSpread);
    else if (kind == kTorpedo)
        runningTorpedoes.emplace_back(origin, shotPitch, shotHeading);
}
