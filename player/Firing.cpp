#include "player/Firing.h"

#include "core/Effects.h"
#include "core/GameState.h"
#include "enemies/Enemy.h"
#include "player/WeaponSystem.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr float kLineTolerance = 0.3f;
constexpr int kGunDamage = 20;
constexpr float kBlastRadius = 30.0f;
constexpr int kTorpedoDamage = 100;

constexpr Colour kHitFlashColour{1.0f, 1.0f, 0.0f, 0.5f};
constexpr float kHitFlashRadius = 0.9f;
constexpr int kHitFlashDetail = 10;

// The barrel turns 20 degrees a shot, 360 wrapping to 20; the flash has five frames 72 degrees apart.
constexpr int kBarrelStep = 20;
constexpr int kFullTurn = 360;
constexpr int kFlashFrames = 5;
constexpr float kFlashFrameTurn = 72.0f;
constexpr int kFlashTiltRange = 40;

void pressRight(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    if (state.torpedoState == kTorpedoRunning) {
        state.effects.play(Sound::GreatExplosion);
        state.effects.shake(Rumble::TorpedoBlast);
        detonateTorpedo(weapons, enemies);
        state.torpedoState = kTorpedoDetonated;
    }
    if (state.torpedoes > 0 && state.torpedoState == kTorpedoReady) {
        state.effects.play(Sound::TorpedoLaunch);
        weapons.fire(kTorpedo);
        --state.torpedoes;
        state.torpedoState = kTorpedoRunning;
    } else if (state.torpedoState == kTorpedoDetonated) {
        // The press that detonated leaves the launcher ready for the next one.
        state.torpedoState = kTorpedoReady;
    }
}

void shoot(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    state.effects.play(Sound::GunShot);
    ++state.shotsFired;
    const Vec3 d = shotDirection(-state.aimPitch, -state.aimHeading);
    const Vec3 player = state.playerPos.toFloat();
    // The shot hits at once; the tracer only shows it.
    for (Enemy& enemy : enemies) {
        const Vec3 o{player.x - enemy.position.x, player.y - enemy.position.y, player.z - enemy.position.z};
        if (isInLineOfFire(d, o)) {
            gunHit(enemy, state.effects);
            ++state.shotHits;
        }
    }
    weapons.fire(kTracer);
    state.gunHeat += kHeatPerShot;
    state.gunBarrelAngle =
        state.gunBarrelAngle == kFullTurn ? kBarrelStep : state.gunBarrelAngle + kBarrelStep;
    const float turn = static_cast<float>(state.gunBarrelAngle) + kFlashFrameTurn * state.muzzleFlashFrame;
    state.effects.muzzleFlash = MuzzleFlash{turn, static_cast<float>(std::rand() % kFlashTiltRange)};
    state.muzzleFlashFrame = state.muzzleFlashFrame == kFlashFrames - 1 ? 0 : state.muzzleFlashFrame + 1;
}

} // namespace

void pressMouseButton(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies, int button,
                      int buttonState) {
    if (button == kLeftButton && (buttonState == kButtonDown || buttonState == kButtonUp))
        state.gunTriggerHeld = buttonState == kButtonDown;
    else if (button == kRightButton && buttonState == kButtonDown)
        pressRight(state, weapons, enemies);
}

void gunTimerStep(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    if (state.gunTriggerHeld && state.gunHeat < kOverheated)
        shoot(state, weapons, enemies);
    if (state.gunHeat > 0)
        --state.gunHeat;
}

bool isInLineOfFire(const Vec3& d, const Vec3& o) {
    const float k[] = {d.y * o.z - d.z * o.y, d.z * o.x - d.x * o.z, d.x * o.y - d.y * o.x};
    return std::ranges::all_of(k, [](float c) { return c > -kLineTolerance && c < kLineTolerance; });
}

void gunHit(Enemy& enemy, PendingEffects& effects) {
    enemy.health -= kGunDamage;
    effects.addSphere(enemy.position, kHitFlashRadius, kHitFlashDetail, kHitFlashColour, true);
}

void detonateTorpedo(WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    // A blast already growing is not set off again: the press belongs to the torpedo still running.
    const auto torpedo =
        std::ranges::find_if(weapons.runningTorpedoes, [](const w2particle& t) { return !t.detonated; });
    if (torpedo == weapons.runningTorpedoes.end())
        return;
    torpedo->detonated = true;
    for (Enemy& enemy : enemies)
        if (distance(enemy.position, torpedo->position) <= kBlastRadius)
            enemy.health -= kTorpedoDamage;
}
