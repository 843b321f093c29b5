#include "app/TimerCallbacks.h"

#include "app/Frame.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "player/Firing.h"
#include "player/Gamepad.h"
#include "player/MouseLook.h"
#include "player/Submarine.h"
#include "towns/Beaming.h"
#include "world/Caustics.h"
#include "world/Water.h"

namespace {

// The end of every run: what the rules recorded is heard at once, then the timer goes again.
void finishRun(Game& game, SoundPlayer& sound, TimerId id, int value) {
    playRecordedSounds(game, sound);
    rearmTimer(game, id, value);
}

} // namespace

void tick(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::Tick);
    for (int step = game.tickClock.stepsAt(std::chrono::steady_clock::now()); step > 0; --step) {
        padStep(game, game.pad, game.towns, game.terrainGrid);
        advanceSubmarine(game);
        const Vec3 pos = game.playerPos.toFloat();
        game.playerBubbles.update(pos.x, pos.y, pos.z);
        game.weaponSystem.update(pos.x, pos.y, pos.z, game.aimPitch, game.aimHeading);
    }
    renderScene(game);
    game.renderScale.frameShownAt(std::chrono::steady_clock::now());
    // The end screen goes over a whole new frame: after the swap the back buffer holds nothing to draw on.
    if (endGameIfDestroyed(game)) {
        renderScene(game);
        game.tickClock.reset();
    }
    finishRun(game, sound, TimerId::Tick, 1);
}

void townTimer(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::Town);
    townTimerStep(game, game.towns);
    finishRun(game, sound, TimerId::Town, 1);
}

void beamTimer(Game& game, SoundPlayer& sound, int inhabitantsBefore) {
    timerStarted(game, TimerId::Beam);
    beamTimerStep(game, game.towns, inhabitantsBefore);
    if (const std::optional<PointerPosition> centre = recentrePointer(game); centre && game.warpPointer)
        game.warpPointer(centre->x, centre->y);
    finishRun(game, sound, TimerId::Beam, beamTimerValue(game, game.towns));
}

void gunTimer(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::Gun);
    gunTimerStep(game, game.weaponSystem, game.enemyFleet.enemies);
    finishRun(game, sound, TimerId::Gun, 1);
}

void causticTimer(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::Caustic);
    advanceCaustics(game);
    finishRun(game, sound, TimerId::Caustic, 1);
}

void enemyTimer(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::Enemy);
    const Vec3 pos = game.playerPos.toFloat();
    game.lifePoints -= game.enemyFleet.update(pos.x, pos.y, pos.z, game.effects);
    finishRun(game, sound, TimerId::Enemy, 1);
}

void lowerWaterTimer(Game& game, SoundPlayer& sound, int) {
    timerStarted(game, TimerId::LowerWater);
    lowerWater(game);
    finishRun(game, sound, TimerId::LowerWater, 1);
}
