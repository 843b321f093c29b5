#include "core/GameState.h"

void resetPerGameFields(GameState& state) {
    state.heading = 0.0f;
    state.pitch = 0.0f;
    state.causticScale = 0.75f;
    state.sosFrame = 0;
    state.score = 0;
    state.torpedoes = kStartTorpedoes;
    state.torpedoState = kTorpedoReady;
    state.mouseLastX = 400;
    state.mouseLastY = 400;
    state.causticFrame = 0;
    state.gunBarrelAngle = 0;
    state.muzzleFlashFrame = 0;
    state.evacMessageCount = 0;
    state.shotsFired = 0;
    state.shotHits = 0;
    state.beamingActive = false;
}
