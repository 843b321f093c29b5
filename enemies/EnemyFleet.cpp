#include "enemies/EnemyFleet.h"

#include "app/GameState.h"
#include "app/Timers.h"

void enemyTimer(int) {
    timerStarted(game, TimerId::Enemy);
    rearmTimer(game, TimerId::Enemy, 1);
}
