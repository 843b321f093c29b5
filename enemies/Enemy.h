// One enemy craft: its place and health, its firing clock and bullets, its bubble trail and explosion,
// and its own bubble texture name; the rules of its motion and fire.
#pragma once

#include "core/Vec3.h"
#include "enemies/BubbleEmitter.h"
#include "enemies/Explosion.h"
#include "enemies/Stopwatch.h"
#include "particles/Particle.h"

#include <vector>

struct TexturePixels;

struct PendingEffects;

// An enemy fires only this long after its last firing decision, and only this close to the player.
inline constexpr double kFirePause = 3.0; // seconds
inline constexpr float kFireRange = 35.0f;
// Bullets retire at this age (fleet updates).
inline constexpr int kBulletLifetime = 30;
// Life points a hit costs the player.
inline constexpr int kDamagePerHit = 3;

class Enemy {
public:
    // A new craft at (x, y, z); the next frame shows a red ball where it appeared.
    Enemy(float x, float y, float z, PendingEffects& effects);

    // One step for the player at (x, y, z): trail, motion and bullets while alive; once destroyed, one
    // step of its explosion, whose start is heard.
    void update(float x, float y, float z, PendingEffects& effects);
    // The firing decision: returns the number of hits on the player (0 to 3).
    int fire(float x, float y, float z, PendingEffects& effects);
    // One bullet at the player: 1 on a hit, 0 on a miss.
    int shoot(float x, float y, float z, PendingEffects& effects);
    // The fleet draws its enemies in three passes, each setting its state once: the solid craft while
    // alive, its explosion once destroyed; all their bullets in one draw; the trails, under the fleet's
    // blending, each in its enemy's own bubble texture, made from the picture on first use.
    void drawBody() const;
    unsigned int trailTexture(const TexturePixels& bubblePicture);

    Vec3 position;
    int health = 100;
    Stopwatch fireTimer;
    std::vector<w4particle> bullets;
    bool explosionDone = false;
    bool explosionStarted = false;
    int explosionTicks = 0;
    Explosion explosion;
    BubbleEmitter emitter;
    unsigned int bubbleTexture = 0; // the enemy's own name, 0 until its first drawing

private:
    void move(float x, float y, float z);
    void explode(PendingEffects& effects);
    void stepBullets();
};
