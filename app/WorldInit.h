// Preparing a game: the valley floor, light, fog, textures, the towns, and the submarine's start point.
#pragma once

// Builds the world and resets the per-game fields of the game; needs the game window's GL context.
void initWorld();
