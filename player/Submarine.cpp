#include "player/Submarine.h"

#include "core/GameState.h"

namespace {

constexpr double kCeilingMargin = 1.0;
constexpr double kDamping = 0.97;
constexpr double kRestThreshold = 0.00025;

double damped(double component) {
    if (component >= -kRestThreshold && component <= kRestThreshold)
        return 0.0;
    return component * kDamping;
}

} // namespace

void advanceSubmarine(GameState& state) {
    Vec3d& pos = state.playerPos;
    Vec3d& vel = state.playerVel;
    const double ceiling = state.waterLevel;

    pos.x += vel.x;
    if (pos.y >= ceiling)
        pos.y = ceiling - kCeilingMargin;
    // A vertical move that would end within the margin of the ceiling is dropped; the velocity is kept.
    if (pos.y + vel.y + kCeilingMargin < ceiling)
        pos.y += vel.y;
    pos.z += vel.z;

    vel.x = damped(vel.x);
    vel.y = damped(vel.y);
    vel.z = damped(vel.z);
}

bool endGameIfDestroyed(GameState& state) {
    if (state.lifePoints >= 1)
        return false;
    state.gameOver = true;
    state.gameEnded = true;
    // The end screen stands alone: a message about the game just lost would cover its lines.
    state.effects.clearTexts();
    state.effects.shake(Rumble::GameLost);
    return true;
}
