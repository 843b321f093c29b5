// The running program's one game: the game record together with the program-wide objects that hang off
// it (the submarine's bubbles, its weapons, the enemy fleet and the towns).
#pragma once

#include "core/GameState.h"
#include "enemies/BubbleEmitter.h"
#include "enemies/EnemyFleet.h"
#include "player/WeaponSystem.h"
#include "towns/Stadt.h"

#include <vector>

struct Game : GameState {
    // Created in this order with the record, before main, and never destroyed.
    BubbleEmitter playerBubbles;
    WeaponSystem weaponSystem;
    EnemyFleet enemyFleet;
    std::vector<Stadt> towns; // nearestTown indexes this list
};

// The game's instance: allocated before main, reachable for the whole run, never destroyed.
extern Game& game;
