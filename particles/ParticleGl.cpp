#include "core/Gl.h"
#include "particles/Particle.h"

namespace {

// Particles are seen through one another: none may hide what is drawn behind it later.
class DepthWritesOff {
public:
    DepthWritesOff() { glDepthMask(GL_FALSE); }
    ~DepthWritesOff() { glDepthMask(GL_TRUE); }
    DepthWritesOff(const DepthWritesOff&) = delete;
    DepthWritesOff& operator=(const DepthWritesOff&) = delete;
};

// Glowing particles add light; the blending ends with them whatever it was before, as the game has it.
class AdditiveBlending {
public:
    AdditiveBlending() {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    ~AdditiveBlending() { glDisable(GL_BLEND); }
    AdditiveBlending(const AdditiveBlending&) = delete;
    AdditiveBlending& operator=(const AdditiveBlending&) = delete;
};

void translate(const Vec3& offset) {
    glTranslatef(offset.x, offset.y, offset.z);
}

void sphereAt(const Vec3& centre, double radius, int slices) {
    glPushMatrix();
    translate(centre);
    glutSolidSphere(radius, slices, slices);
    glPopMatrix();
}

} // namespace

void bubbleparticle::draw() const {
    const DepthWritesOff depth;
    glPushMatrix();
    translate(position);
    glColor4f(0.6f, 1.0f, 0.2f, 0.65f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-size, -size, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(size, -size, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(size, size, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-size, size, 0.0f);
    glEnd();
    glPopMatrix();
}

void explosionparticle::draw() const {
    const DepthWritesOff depth;
    const AdditiveBlending blending;
    // Yellow turning red and fading with age.
    glColor4f(1.0f, 1.0f - 0.025f * age, 0.1f, 0.85f - 0.015f * age);
    sphereAt(position, radius, static_cast<int>(slices));
}

void w1particle::draw() const {
    const DepthWritesOff depth;
    const AdditiveBlending blending;
    glColor4f(0.6f, 1.0f, 0.2f, 0.55f);
    sphereAt(position, 0.25, 5);
}

void w2particle::draw() const {
    const DepthWritesOff depth;
    const AdditiveBlending blending;
    if (!detonated) {
        glColor4f(0.2f, 0.2f, 0.2f, 1.0f);
        sphereAt(position, 0.35, 8);
        return;
    }
    const float b = blastRadius;
    glColor4f(0.4f, 1.0f - 0.16f * b, 0.0f, 0.65f - 0.1f * b);
    sphereAt(position, b, 15);
    sphereAt(position, (b - 0.5f) * b / 3.0f, 10);
}

void w4particle::draw() const {
    const DepthWritesOff depth;
    const AdditiveBlending blending;
    // Ever more opaque towards the tip, which runs three spheres, 15 steps, ahead of the bullet.
    constexpr float kTrail[4][4] = {{0.0f, 1.0f, 1.0f, 0.4f},
                                    {0.0f, 0.3f, 1.0f, 0.6f},
                                    {0.0f, 0.6f, 1.0f, 0.8f},
                                    {0.0f, 0.0f, 1.0f, 1.0f}};
    glPushMatrix();
    translate(position);
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            translate({5.0f * direction.x, 5.0f * direction.y, 5.0f * direction.z});
        glColor4fv(kTrail[k]);
        glutSolidSphere(0.1, 5, 5);
    }
    glPopMatrix();
}
