#include "enemies/EnemyFleet.h"

#include <cstdlib>

namespace {

constexpr int kCounterWrap = 30;
constexpr int kSpawnEvery = 10;

float spawnOffset() {
    return static_cast<float>(std::rand() % 250 - 125);
}

} // namespace

int EnemyFleet::update(float x, float y, float z, PendingEffects& effects) {
    playerPosition = {x, y, z};
    damage = 0;
    tickCounter = tickCounter == kCounterWrap ? 0 : tickCounter + 1;
    if (tickCounter % kSpawnEvery == 0 && enemies.size() < kMaxEnemies)
        spawn(effects);

    // A removal ends the walk; the enemies behind it wait for the next update.
    for (size_t i = 0; i < enemies.size(); ++i) {
        Enemy& enemy = enemies[i];
        if (distance(enemy.position, playerPosition) >= kDropRange) {
            drop(i);
            return damage;
        }
        if (enemy.health <= 0 && enemy.explosionDone) {
            drop(i);
            ++destroyed;
            return damage;
        }
        if (distance(enemy.position, playerPosition) <= kActiveRange) {
            enemy.update(x, y, z, effects);
            damage += kDamagePerHit * enemy.fire(x, y, z, effects);
        }
    }
    return damage;
}

void EnemyFleet::spawn(PendingEffects& effects) {
    const float dz = spawnOffset();
    const float dy = spawnOffset();
    const float dx = spawnOffset();
    enemies.emplace_back(playerPosition.x + dx, playerPosition.y + dy, playerPosition.z + dz, effects);
}

void EnemyFleet::drop(size_t index) {
    if (enemies[index].bubbleTexture != 0)
        texturesToRelease.push_back(enemies[index].bubbleTexture);
    enemies.erase(enemies.begin() + static_cast<long>(index));
}
