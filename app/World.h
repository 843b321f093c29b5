// Preparing a game: the valley floor, light, fog, textures, the towns, and the submarine's start point.
#pragma once

#include "app/Vec3.h"

struct GameState;

// Builds the world and resets the per-game fields; needs the game window's GL context.
void initWorld();

// The start point of the submarine for a draw k (taken modulo 5) on the current terrain grid.
Vec3d startPoint(int k);

// Puts the fields every new game starts from back to their values.
void resetPerGameFields(GameState& state);
