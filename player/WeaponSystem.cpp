#include "player/WeaponSystem.h"

#include "app/GameState.h"
#include "app/Timers.h"

void gunTimer(int) {
    timerStarted(game, TimerId::Gun);
    rearmTimer(game, TimerId::Gun, 1);
}
