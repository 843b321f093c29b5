// The enemy craft around the submarine and the count of those destroyed.
#pragma once

#include "core/Vec3.h"

class EnemyFleet {
public:
    void draw() const {}

    int destroyed = 0;
    int tickCounter = 0;
    Vec3 playerPosition;
    int damage = 0;
};
