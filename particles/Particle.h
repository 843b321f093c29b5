// The particle family: every small moving thing (tracers, torpedoes, enemy bullets, explosion fragments,
// bubbles) as a plain value with a virtual draw and update; owners hold them by value and retire them by age.
#pragma once

#include "core/Vec3.h"

#include <span>

// Torpedoes leave their owner's list at this age; a full-grown blast jumps straight to it.
inline constexpr int kTorpedoRetirementAge = 90;

// The family keeps the game's lower-case class names so that the code reads like the game's own terms.
class particle {
public:
    virtual void draw() const {}
    virtual void update() {}
    virtual ~particle() = default;

    int age = 0;
    float speed = 0.0f;
    Vec3 position;

protected:
    // Only the concrete classes are made and copied, so a copy never slices one down to a bare particle.
    particle() = default;
    particle(Vec3 position, float speed) : speed(speed), position(position) {}
    particle(const particle&) = default;
    particle& operator=(const particle&) = default;
};

class bubbleparticle : public particle {
public:
    bubbleparticle(Vec3 position, float size);
    void draw() const override;
    void update() override;

    float size = 0.0f; // half the side of the square
};

// A trail's bubbles as one run of quads without depth writes, under the caller's texture and blending.
void drawBubbles(std::span<const bubbleparticle> bubbles);

// Several trails, each in a texture of its own, under the caller's blending.
struct BubbleTrail {
    unsigned int texture;
    std::span<const bubbleparticle> bubbles;
};
void drawBubbleTrails(std::span<const BubbleTrail> trails);

class explosionparticle : public particle {
public:
    explosionparticle(Vec3 position, Vec3 direction, float slices, float radius);
    void draw() const override;
    void update() override;

    float slices = 0.0f; // also the stacks; drawn truncated
    float radius = 0.0f;
    Vec3 direction; // the first step; gravity bends the path, never this
};

class weaponparticle : public particle {
public:
    Vec3 direction;

protected:
    weaponparticle(Vec3 position, float speed, Vec3 direction)
        : particle(position, speed), direction(direction) {}
    // The straight flight that tracers and enemy bullets share.
    void flyStraight();
};

// The direction of a shot for angles a (up) and b (left) in degrees: with a = -aimPitch and
// b = -aimHeading it is the view's forward direction.
Vec3 shotDirection(float a, float b);

class w1particle : public weaponparticle {
public:
    w1particle(Vec3 origin, float a, float b);
    void draw() const override;
    void update() override { flyStraight(); }
};

class w2particle : public weaponparticle {
public:
    // Prints the torpedo's "halo" line at once, as the game's console shows each launch.
    w2particle(Vec3 origin, float a, float b);
    void draw() const override;
    void update() override;

    bool detonated = false;
    float blastRadius = 0.0f;
};

class w4particle : public weaponparticle {
public:
    w4particle(Vec3 position, Vec3 aim);
    void draw() const override;
    void update() override { flyStraight(); }
};

// The glow of every bullet given, in one draw, under the depth writes and blending the caller has set.
void drawGlows(std::span<const w4particle* const> bullets);
