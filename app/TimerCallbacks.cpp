#include "app/TimerCallbacks.h"

#include "app/Frame.h"
#include "app/Game.h"
#include "app/Sound.h"
#include "core/Gl.h"
#include "player/Firing.h"
#include "player/MouseLook.h"
#include "player/Submarine.h"
#include "towns/Beaming.h"
#include "world/Caustics.h"
#include "world/Water.h"

#include <array>

namespace {

// In TimerId order.
constexpr std::array<void (*)(int), kTimerCount> kCallbacks{
    tick, townTimer, beamTimer, gunTimer, causticTimer, enemyTimer, lowerWaterTimer};

// The end of every run: what the rules recorded is heard at once, then the timer goes again.
void finishRun(TimerId id, int value) {
    playRecordedSounds(game);
    rearmTimer(game, id, value);
}

} // namespace

void scheduleGlutTimer(TimerId id, unsigned int delayMs, int value) {
    glutTimerFunc(delayMs, kCallbacks[static_cast<size_t>(id)], value);
}

void tick(int) {
    timerStarted(game, TimerId::Tick);
    for (int step = game.tickClock.stepsAt(std::chrono::steady_clock::now()); step > 0; --step) {
        advanceSubmarine(game);
        const Vec3 pos = game.playerPos.toFloat();
        game.playerBubbles.update(pos.x, pos.y, pos.z);
        game.weaponSystem.update(pos.x, pos.y, pos.z, game.aimPitch, game.aimHeading);
    }
    renderScene();
    // The end screen goes over a whole new frame: after the swap the back buffer holds nothing to draw on.
    if (endGameIfDestroyed(game)) {
        renderScene();
        game.tickClock.reset();
    }
    finishRun(TimerId::Tick, 1);
}

void townTimer(int) {
    timerStarted(game, TimerId::Town);
    townTimerStep(game, game.towns);
    finishRun(TimerId::Town, 1);
}

void beamTimer(int inhabitantsBefore) {
    timerStarted(game, TimerId::Beam);
    beamTimerStep(game, game.towns, inhabitantsBefore);
    if (const std::optional<PointerPosition> centre = recentrePointer(game); centre && game.warpPointer)
        game.warpPointer(centre->x, centre->y);
    finishRun(TimerId::Beam, beamTimerValue(game, game.towns));
}

void gunTimer(int) {
    timerStarted(game, TimerId::Gun);
    gunTimerStep(game, game.weaponSystem, game.enemyFleet.enemies);
    finishRun(TimerId::Gun, 1);
}

void causticTimer(int) {
    timerStarted(game, TimerId::Caustic);
    advanceCaustics(game);
    finishRun(TimerId::Caustic, 1);
}

void enemyTimer(int) {
    timerStarted(game, TimerId::Enemy);
    const Vec3 pos = game.playerPos.toFloat();
    game.lifePoints -= game.enemyFleet.update(pos.x, pos.y, pos.z, game.effects);
    finishRun(TimerId::Enemy, 1);
}

void lowerWaterTimer(int) {
    timerStarted(game, TimerId::LowerWater);
    lowerWater(game);
    finishRun(TimerId::LowerWater, 1);
}
