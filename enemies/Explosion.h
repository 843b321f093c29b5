// An enemy's explosion: the record each enemy carries from its spawn. It is started, advanced and drawn
// only once the enemy is destroyed; before that it draws nothing.
#pragma once

#include "core/Vec3.h"
#include "particles/Particle.h"

#include <vector>

// Sparks of one explosion; the enemy is done after this many explosion updates.
inline constexpr int kSparks = 10;
inline constexpr int kExplosionUpdates = 40;

class Explosion {
public:
    // Sets the centre and throws the ten sparks.
    void start(float x, float y, float z);
    // The core grows and fades; the sparks fly on.
    void update();
    // Draws the core and the sparks once started; nothing before.
    void draw() const;

    bool started = false;
    std::vector<explosionparticle> particles;
    Vec3 center;
    float coreRadius = 0.1f;
};
