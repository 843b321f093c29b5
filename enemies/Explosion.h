// An enemy's explosion: the record each enemy carries from its spawn. It is started, advanced and drawn
// only once the enemy is destroyed; before that it draws nothing.
#pragma once

#include "core/Vec3.h"
#include "particles/Particle.h"

#include <vector>

class Explosion {
public:
    // Draws the core and the sparks once started; nothing before.
    void draw() const;

    bool started = false;
    std::vector<explosionparticle> particles;
    Vec3 center;
    float coreRadius = 0.1f;
};
