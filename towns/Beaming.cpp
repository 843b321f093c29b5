#include "towns/Beaming.h"

#include "core/GameState.h"
#include "towns/Stadt.h"

int beamTimerValue(const GameState& state, const std::vector<Stadt>& towns) {
    if (state.nearestTown < 0 || state.nearestTown >= static_cast<int>(towns.size()))
        return 0;
    return towns[static_cast<size_t>(state.nearestTown)].inhabitants;
}
