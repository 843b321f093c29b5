#include "towns/Beaming.h"

#include "app/GameState.h"
#include "app/Timers.h"

void townTimer(int) {
    timerStarted(game, TimerId::Town);
    rearmTimer(game, TimerId::Town, 1);
}

void beamTimer(int) {
    timerStarted(game, TimerId::Beam);
    const int inhabitants = game.nearestTown >= 0 ? game.towns[game.nearestTown].inhabitants : 0;
    rearmTimer(game, TimerId::Beam, inhabitants);
}
