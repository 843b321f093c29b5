// Puts enemies into the program's fleet for GL tests that draw them.
#pragma once

#include "app/Game.h"

// An enemy at a place, its spawn ball already recorded and forgotten, so a frame shows only the craft.
inline Enemy& placeEnemy(float x, float y, float z) {
    game.enemyFleet.enemies.emplace_back(x, y, z, game.effects);
    game.effects.worldShapes.clear();
    return game.enemyFleet.enemies.back();
}
