// Puts enemies into a game's fleet for tests that run or draw them.
#pragma once

#include "game/Game.h"

// An enemy at a place, its spawn ball already recorded and forgotten, so a frame shows only the craft.
inline Enemy& placeEnemy(Game& game, float x, float y, float z) {
    game.enemyFleet.enemies.emplace_back(x, y, z, game.effects);
    game.effects.worldShapes.clear();
    return game.enemyFleet.enemies.back();
}
