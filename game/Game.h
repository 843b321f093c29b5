// The game: the game record together with what hangs off it (the submarine's bubbles, its weapons, the
// enemy fleet, the towns, the terrain grid, the pad's hold), and how a game starts on each occasion it knows.
#pragma once

#include "core/GameState.h"
#include "enemies/BubbleEmitter.h"
#include "enemies/EnemyFleet.h"
#include "player/Gamepad.h"
#include "player/WeaponSystem.h"
#include "towns/Stadt.h"
#include "world/Terrain.h"

#include <vector>

struct Game : GameState {
    BubbleEmitter playerBubbles;
    WeaponSystem weaponSystem;
    EnemyFleet enemyFleet;
    std::vector<Stadt> towns; // nearestTown indexes this list
    TerrainGrid terrainGrid;
    PadControls pad; // what the gamepad holds, kept across restarts as the hand on it is
};

// Load: the values before anything runs, which a new Game already holds; a used Game set back to them
// forgets its world's texture names and lists without deleting them.
// WorldInit: what every world initialisation resets, once the towns stand on the new grid; it also finds
// the nearest town and draws the submarine's start point with a generator seeded from the calendar time.
// Restart: what the restart key sets after the world initialisation it runs.
enum class Occasion { Load, WorldInit, Restart };

// Sets the fields the occasion gives a value; every other field, and whatever the occasion leaves alone
// (on a restart the velocity, the gun's heat and the fleet, among others), keeps what it had.
void startGame(Game& game, Occasion occasion);
