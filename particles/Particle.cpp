#include "particles/Particle.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

constexpr float kExplosionSpeed = 0.175f;
constexpr float kTracerSpeed = 25.0f;
constexpr float kTorpedoSpeed = 1.0f;
constexpr float kEnemyBulletSpeed = 10.0f;
// An enemy's bullet steps by its aim over this, so at its speed it covers the aim in four updates.
constexpr float kAimSteps = 40.0f;
constexpr float kTorpedoStartRadius = 0.35f;
constexpr float kBlastGrowth = 0.25f;
constexpr float kFullBlastRadius = 6.0f;

void advance(Vec3& position, float speed, const Vec3& step) {
    position.x += speed * step.x;
    position.y += speed * step.y;
    position.z += speed * step.z;
}

} // namespace

bubbleparticle::bubbleparticle(Vec3 position, float size) : particle(position, size * 0.5f), size(size) {}

void bubbleparticle::update() {
    // Odd draws drift one way and even draws the other, so the bubble wobbles as it rises.
    const int r = std::rand() % 100;
    const float sideways = (r % 2 == 1 ? r : -r) / 60.0f;
    advance(position, speed, {sideways, 1.0f, sideways});
    ++age;
}

explosionparticle::explosionparticle(Vec3 position, Vec3 direction, float slices, float radius)
    : particle(position, kExplosionSpeed), slices(slices), radius(radius), direction(direction) {}

void explosionparticle::update() {
    // The fall grows with age, so fragments curve down ever faster.
    advance(position, speed, {direction.x, direction.y - (age + 1) / 20.0f, direction.z});
    ++age;
}

void weaponparticle::flyStraight() {
    advance(position, speed, direction);
    ++age;
}

Vec3 shotDirection(float a, float b) {
    const double cosA = std::cos(radians(a));
    return {static_cast<float>(std::sin(radians(b)) * cosA), static_cast<float>(std::sin(radians(a))),
            static_cast<float>(-cosA * std::cos(radians(b)))};
}

w1particle::w1particle(Vec3 origin, float a, float b)
    : weaponparticle(origin, kTracerSpeed, shotDirection(a, b)) {}

w2particle::w2particle(Vec3 origin, float a, float b)
    : weaponparticle(origin, kTorpedoSpeed, shotDirection(a, b)), blastRadius(kTorpedoStartRadius) {
    // Flushed at once: a console behind a pipe shows the launch when it happens, not at exit.
    std::cout << "halo " << blastRadius << " xplode " << detonated << "\n" << std::flush;
}

void w2particle::update() {
    if (detonated)
        blastRadius += kBlastGrowth;
    else
        advance(position, speed, direction);
    if (blastRadius >= kFullBlastRadius)
        age = kTorpedoRetirementAge;
    else
        ++age;
}

w4particle::w4particle(Vec3 position, Vec3 aim)
    : weaponparticle(position, kEnemyBulletSpeed, {aim.x / kAimSteps, aim.y / kAimSteps, aim.z / kAimSteps}) {
}
