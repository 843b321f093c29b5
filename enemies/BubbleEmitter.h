// The stream of air bubbles that rises from a moving source: behind the submarine and behind every enemy.
// It grows to 31 bubbles, then recycles each one at the source once it has risen for 30 updates.
#pragma once

#include "core/Vec3.h"
#include "particles/Particle.h"

#include <vector>

inline constexpr int kMaxBubbles = 31;
inline constexpr int kBubbleLifetime = 30; // updates

class BubbleEmitter {
public:
    // Starts with two bubbles at the world origin; touches no OpenGL, as one exists before any window.
    BubbleEmitter();
    void update(float x, float y, float z);
    void addBubble();
    // Uses whatever texture and blending the caller has set.
    void draw() const;

    std::vector<bubbleparticle> bubbles;
    int updateCount = 0; // its parity paces the growth
    Vec3 position;
    float sizeJitter = 0.0f; // rolled only when a bubble is added, so recycled bubbles reuse the last roll

private:
    bubbleparticle freshBubble() const;
};
