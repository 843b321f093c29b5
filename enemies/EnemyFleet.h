// The enemy craft around the submarine and the count of those destroyed.
#pragma once

#include "app/Vec3.h"

class EnemyFleet {
public:
    void draw() const {}

    int destroyed = 0;
    int tickCounter = 0;
    Vec3 playerPosition;
    int damage = 0;
};

// Timer callback: one fleet update per run.
void enemyTimer(int value);
