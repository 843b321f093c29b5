#include "enemies/Enemy.h"

#include "core/Effects.h"

#include <cstdlib>

namespace {

constexpr Colour kCraftColour{1.0f, 0.05f, 0.05f, 1.0f};
constexpr float kSpawnRadius = 0.5f;
constexpr int kSpawnDetail = 120;
constexpr Colour kHitFlashColour{1.0f, 0.0f, 0.0f, 0.1f};
constexpr float kHitFlashRadius = 2.0f;
constexpr int kHitFlashDetail = 5;
// Within this distance an enemy only trembles; farther away it closes 1/45 of the gap per update.
constexpr float kHoverDistance = 8.0f;
constexpr float kApproachDivisor = 45.0f;
constexpr float kHitRadius = 0.2f;

// From -0.25 to 0.249 in thousandths.
float jitter() {
    return static_cast<float>(std::rand() % 500 - 250) / 1000.0f;
}

} // namespace

Enemy::Enemy(float x, float y, float z, PendingEffects& effects) : position{x, y, z} {
    fireTimer.start();
    effects.addSphere(position, kSpawnRadius, kSpawnDetail, kCraftColour, false);
    emitter.update(x, y, z);
}

void Enemy::update(float x, float y, float z, PendingEffects& effects) {
    if (health <= 0) {
        explode(effects);
        return;
    }
    emitter.update(position.x, position.y, position.z);
    move(x, y, z);
    stepBullets();
}

// The start is a step of its own; the explosion then gets kExplosionUpdates updates, and the last one
// marks the enemy done for the fleet to remove and count.
void Enemy::explode(PendingEffects& effects) {
    if (!explosionStarted) {
        effects.play(Sound::Explosion);
        explosion.start(position.x, position.y, position.z);
        ++explosionTicks;
        explosionStarted = true;
        return;
    }
    explosion.update();
    if (explosionTicks == kExplosionUpdates)
        explosionDone = true;
    else
        ++explosionTicks;
}

void Enemy::move(float x, float y, float z) {
    const float jx = jitter();
    const float jy = jitter();
    const float jz = jitter();
    if (distance(position, {x, y, z}) < kHoverDistance) {
        position = {position.x + jx, position.y + jy, position.z + jz};
        return;
    }
    position.x += ((x - position.x) + jx) / kApproachDivisor;
    position.y += ((y - position.y) + jy) / kApproachDivisor;
    position.z += ((z - position.z) + jz) / kApproachDivisor;
}

// A retired bullet ends the walk: the ones behind it wait for the next update.
void Enemy::stepBullets() {
    for (auto bullet = bullets.begin(); bullet != bullets.end(); ++bullet) {
        bullet->update();
        if (bullet->age >= kBulletLifetime) {
            bullets.erase(bullet);
            return;
        }
    }
}

int Enemy::fire(float x, float y, float z, PendingEffects& effects) {
    if (fireTimer.elapsed() < kFirePause || health <= 0)
        return 0;
    int hits = 0;
    if (distance(position, {x, y, z}) <= kFireRange) {
        effects.play(Sound::EnemyBurst);
        for (int shot = 0; shot < 3; ++shot)
            hits += shoot(x, y, z, effects);
    }
    // A decision out of range is spent all the same.
    fireTimer.restart();
    return hits;
}

int Enemy::shoot(float x, float y, float z, PendingEffects& effects) {
    const float ex = jitter();
    const float ey = jitter();
    const float ez = jitter();
    bullets.emplace_back(position, Vec3{x - position.x + ex, y - position.y + ey, z - position.z + ez});
    // Only the aim error decides: a hit lands within 0.2 of the player.
    const Vec3 player{x, y, z};
    if (distance({x + ex, y + ey, z + ez}, player) > kHitRadius)
        return 0;
    effects.addSphere(player, kHitFlashRadius, kHitFlashDetail, kHitFlashColour, true);
    effects.shake(Rumble::Hit);
    return 1;
}
