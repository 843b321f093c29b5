// Preparing a game: the valley floor, light, fog, textures, the towns, and the submarine's start point.
#pragma once

// Builds the world and resets the per-game fields of the game; needs the game window's GL context.
void initWorld();

// A new game after a lost one: the world again, the restart's own values, and every stopped timer armed.
void restartGame();
