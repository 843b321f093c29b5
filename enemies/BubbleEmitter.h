// The stream of air bubbles that rises from a moving source: behind the submarine and behind every enemy.
#pragma once

#include "core/Vec3.h"

class BubbleEmitter {
public:
    // Moves the source; the bubbles themselves arrive with the particle family.
    void update(float x, float y, float z) { position = {x, y, z}; }
    void draw() const {}

    Vec3 position;
};
