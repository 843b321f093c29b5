// The submarine's two weapons as rules: the mouse buttons, the machine gun's heat and its shots that hit
// at once along the aim line, and the torpedo's launch and blast. Sounds and flashes are recorded for the
// shell and the next frame.
#pragma once

#include "core/Vec3.h"

#include <vector>

class Enemy;
class WeaponSystem;
struct GameState;
struct PendingEffects;

// Mouse buttons and states, by GLUT's codes.
inline constexpr int kLeftButton = 0;
inline constexpr int kRightButton = 2;
inline constexpr int kButtonDown = 0;
inline constexpr int kButtonUp = 1;

// The gun fires only below this heat; each shot adds kHeatPerShot, each gun-timer run takes 1 away.
inline constexpr int kOverheated = 70;
inline constexpr int kHeatPerShot = 5;

// The left button holds the trigger; a right press detonates the running torpedo or launches the next.
void pressMouseButton(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies, int button,
                      int buttonState);

// One run of the gun timer: a shot if the trigger is held and the gun cool enough, then the cooling.
void gunTimerStep(GameState& state, WeaponSystem& weapons, std::vector<Enemy>& enemies);

// Whether an enemy lies on the aim line: d is the unit aim direction, o the player's position minus the
// enemy's. A box around the whole line, behind the submarine as well as ahead.
bool isInLineOfFire(const Vec3& d, const Vec3& o);

// One machine-gun hit: 20 health and a yellow flash on the enemy in the next frame.
void gunHit(Enemy& enemy, PendingEffects& effects);

// The blast of the oldest torpedo still running: 100 health off every enemy within 30 of it. Nothing is
// hurt when no torpedo is running.
void detonateTorpedo(WeaponSystem& weapons, std::vector<Enemy>& enemies);
