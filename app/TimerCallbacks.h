// The seven timer callbacks: each marks its run started, applies its rules to the game, plays what they
// recorded and re-arms.
#pragma once

class SoundPlayer;
struct Game;

// every 5 ms: motion, bubbles, projectiles, the frame, the end of a game
void tick(Game& game, SoundPlayer& sound, int value);
// every 300 ms: SOS animation and nearest-town search
void townTimer(Game& game, SoundPlayer& sound, int value);
// every 550 ms: one beaming step
void beamTimer(Game& game, SoundPlayer& sound, int value);
// every 80 ms: one possible shot of the machine gun
void gunTimer(Game& game, SoundPlayer& sound, int value);
// every 50 ms: the next caustic frame
void causticTimer(Game& game, SoundPlayer& sound, int value);
// every 125 ms: one fleet update
void enemyTimer(Game& game, SoundPlayer& sound, int value);
// every 20 s: the water ceiling sinks
void lowerWaterTimer(Game& game, SoundPlayer& sound, int value);
