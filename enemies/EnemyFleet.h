// The enemy craft around the submarine: spawning near it, moving and firing those within reach, dropping
// those done or left far behind, and the count of those destroyed.
#pragma once

#include "core/Vec3.h"
#include "enemies/Enemy.h"
#include "world/TextureFiles.h"

#include <vector>

struct PendingEffects;

// At most this many enemies at once; a spawn check every tenth count of the 0..30 counter.
inline constexpr int kMaxEnemies = 6;
// Enemies this far or farther are dropped; beyond kActiveRange they are frozen.
inline constexpr float kDropRange = 200.0f;
inline constexpr float kActiveRange = 100.0f;

class EnemyFleet {
public:
    // One fleet update for the player at (x, y, z); returns the life points enemy fire took.
    int update(float x, float y, float z, PendingEffects& effects);
    // Appends an enemy within 125 units of playerPosition along each axis.
    void spawn(PendingEffects& effects);
    // Draws every enemy, frozen ones included, after letting go of the textures of dropped ones.
    void draw();

    std::vector<Enemy> enemies;
    int destroyed = 0;
    int tickCounter = 0;
    Vec3 playerPosition;
    int damage = 0;
    // Texture names of dropped enemies, deleted by the next draw.
    std::vector<unsigned int> texturesToRelease;
    // The bubble picture every enemy's own texture is made from, as the world's texture loading read it.
    TexturePixels bubblePicture;

private:
    void drop(size_t index);
};
