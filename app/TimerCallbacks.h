// The seven GLUT timer callbacks: each marks its run started, applies its rules to the game, plays what
// they recorded and re-arms. Also the scheduler that hands a timer id to GLUT.
#pragma once

#include "core/Timers.h"

void tick(int value);            // every 5 ms: motion, bubbles, projectiles, the frame, the end of a game
void townTimer(int value);       // every 300 ms: SOS animation and nearest-town search
void beamTimer(int value);       // every 550 ms: one beaming step
void gunTimer(int value);        // every 80 ms: one possible shot of the machine gun
void causticTimer(int value);    // every 50 ms: the next caustic frame
void enemyTimer(int value);      // every 125 ms: one fleet update
void lowerWaterTimer(int value); // every 20 s: the water ceiling sinks

// The game's TimerScheduler: runs the timer's callback through glutTimerFunc.
void scheduleGlutTimer(TimerId id, unsigned int delayMs, int value);
