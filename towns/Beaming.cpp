#include "towns/Beaming.h"

#include "core/GameState.h"
#include "towns/Stadt.h"
#include "towns/TownList.h"

#include <string>
#include <utility>

namespace {

constexpr Colour kBeamColour{0.0f, 1.0f, 1.0f, 1.0f};
constexpr float kBeamWidth = 20.0f;
// The camera sits at the submarine's position, so a beam ending there runs along a line of sight and shows
// as nothing; it ends at the hull under the viewer instead.
constexpr float kHullBelowEye = 1.0f;
constexpr int kLastInhabitantPoints = 5;
// The message is set in the HUD's text colour, where the original left it.
constexpr Colour kMessageColour{0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kMessageX = -0.3f;
constexpr float kMessageY = 0.2f;

} // namespace

const Stadt* nearestTownOf(const GameState& state, const std::vector<Stadt>& towns) {
    if (state.nearestTown < 0 || state.nearestTown >= static_cast<int>(towns.size()))
        return nullptr;
    return &towns[static_cast<size_t>(state.nearestTown)];
}

Stadt* nearestTownOf(const GameState& state, std::vector<Stadt>& towns) {
    return const_cast<Stadt*>(nearestTownOf(state, std::as_const(towns)));
}

void updateNearestTown(GameState& state, const std::vector<Stadt>& towns) {
    const int found = findNearestTown(towns, state.playerPos.toFloat());
    if (found >= 0)
        state.nearestTown = found;
    else if (!nearestTownOf(state, towns))
        state.nearestTown = -1;
}

bool isNearTown(const GameState& state, const std::vector<Stadt>& towns, const Vec3& pos) {
    const Stadt* town = nearestTownOf(state, towns);
    return town && distance(pos, town->position) < kBeamRange && town->inhabitants != 0;
}

void townTimerStep(GameState& state, const std::vector<Stadt>& towns) {
    state.sosFrame = state.sosFrame == kSosFrames - 1 ? 0 : state.sosFrame + 1;
    updateNearestTown(state, towns);
}

int beamOnce(GameState& state, std::vector<Stadt>& towns, const Vec3& pos) {
    Stadt* town = nearestTownOf(state, towns);
    if (!town || town->inhabitants <= 0)
        return 0;
    --town->inhabitants;
    state.effects.addLine(town->position, {pos.x, pos.y - kHullBelowEye, pos.z}, kBeamColour, kBeamWidth);
    return town->inhabitants == 0 ? kLastInhabitantPoints : 1;
}

void beamTimerStep(GameState& state, std::vector<Stadt>& towns, int inhabitantsBefore) {
    // A message stays on screen until the next run, which shows it again or lets it go.
    state.effects.clearTexts();
    if (inhabitantsBefore == 0) {
        state.beamingActive = false;
        const Stadt* town = nearestTownOf(state, towns);
        // The run that follows the end of a game keeps the end screen clear.
        if (town && !state.gameOver && state.evacMessageCount < kEvacMessageShowings) {
            state.effects.showText("Stadt evakuiiert: " + town->name, kMessageX, kMessageY, kMessageColour);
            ++state.evacMessageCount;
        }
    } else if (state.beamingActive) {
        state.evacMessageCount = 0;
        state.score += beamOnce(state, towns, state.playerPos.toFloat());
        if (inhabitantsBefore == 1)
            ++state.torpedoes;
    }
}

int beamTimerValue(const GameState& state, const std::vector<Stadt>& towns) {
    const Stadt* town = nearestTownOf(state, towns);
    return town ? town->inhabitants : 0;
}
