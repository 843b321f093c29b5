#include "world/Caustics.h"

#include "app/GameState.h"
#include "app/Timers.h"

void causticTimer(int) {
    timerStarted(game, TimerId::Caustic);
    rearmTimer(game, TimerId::Caustic, 1);
}
