// The player's projectiles in flight, tracers and torpedoes: made where the last tick left the submarine
// and its aim, moved and retired by age every tick, drawn by the frame. They hit nothing themselves.
#pragma once

#include "core/Vec3.h"
#include "particles/Particle.h"

#include <vector>

// A tracer goes after ten moves; a torpedo after kTorpedoRetirementAge.
inline constexpr int kTracerRetirementAge = 10;

// Kinds of projectile WeaponSystem::fire makes.
inline constexpr int kTracer = 1;
inline constexpr int kTorpedo = 2;

class WeaponSystem {
public:
    // One tick for the submarine at (x, y, z) with the aim's angles in degrees: takes them over for the
    // next projectiles, then moves the ones in flight.
    void update(float x, float y, float z, float aimPitch, float aimHeading);
    // Tracers first, then torpedoes, oldest first.
    void draw() const;
    // A tracer (kTracer) with a little spread or a torpedo (kTorpedo) straight along the aim; any other
    // kind makes nothing.
    void fire(int kind);

    std::vector<w1particle> tracers;
    std::vector<w2particle> runningTorpedoes;
    Vec3 origin;
    float shotPitch = 0.0f;
    float shotHeading = 0.0f;
};
