#include "core/Gl.h"
#include "core/SphereGl.h"
#include "particles/Particle.h"

#include <vector>

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

// Unit 1 generates the caustics' coordinates from object coordinates, and a bubble's square or a bullet's
// sphere has always been drawn about its own origin. Shapes batched in world coordinates get the
// coordinates that generation gave them, worked out here, so every one keeps its patch of light.
struct CausticCorners {
    bool generated = false;
    GLfloat s[4] = {}, t[4] = {};

    CausticCorners() {
        glActiveTexture(GL_TEXTURE1);
        generated = glIsEnabled(GL_TEXTURE_GEN_S) && glIsEnabled(GL_TEXTURE_GEN_T);
        if (generated) {
            glGetTexGenfv(GL_S, GL_OBJECT_PLANE, s);
            glGetTexGenfv(GL_T, GL_OBJECT_PLANE, t);
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
        }
        glActiveTexture(GL_TEXTURE0);
    }
    ~CausticCorners() {
        if (!generated)
            return;
        glActiveTexture(GL_TEXTURE1);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glActiveTexture(GL_TEXTURE0);
    }
    CausticCorners(const CausticCorners&) = delete;
    CausticCorners& operator=(const CausticCorners&) = delete;

    void corner(float u, float v, const Vec3& at, float dx, float dy) const {
        glTexCoord2f(u, v);
        if (generated)
            glMultiTexCoord2f(GL_TEXTURE1, s[0] * dx + s[1] * dy + s[3], t[0] * dx + t[1] * dy + t[3]);
        glVertex3f(at.x + dx, at.y + dy, at.z);
    }
};

void bubbleQuads(const CausticCorners& caustics, std::span<const bubbleparticle> bubbles) {
    glColor4f(0.6f, 1.0f, 0.2f, 0.65f);
    glBegin(GL_QUADS);
    for (const bubbleparticle& bubble : bubbles) {
        const float d = bubble.size;
        caustics.corner(0.0f, 0.0f, bubble.position, -d, -d);
        caustics.corner(1.0f, 0.0f, bubble.position, d, -d);
        caustics.corner(1.0f, 1.0f, bubble.position, d, d);
        caustics.corner(0.0f, 1.0f, bubble.position, -d, d);
    }
    glEnd();
}

} // namespace

void drawBubbles(std::span<const bubbleparticle> bubbles) {
    if (bubbles.empty())
        return;
    // One run of quads for the whole trail: llvmpipe pays per glBegin and per depth-mask change.
    const DepthWritesOff depth;
    const CausticCorners caustics;
    bubbleQuads(caustics, bubbles);
}

void drawBubbleTrails(std::span<const BubbleTrail> trails) {
    // The depth writes and the caustics' generation change once for all the trails, not per trail.
    const DepthWritesOff depth;
    const CausticCorners caustics;
    for (const BubbleTrail& trail : trails) {
        if (trail.bubbles.empty())
            continue;
        glBindTexture(GL_TEXTURE_2D, trail.texture);
        bubbleQuads(caustics, trail.bubbles);
    }
}

void bubbleparticle::draw() const {
    drawBubbles({this, 1});
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
    const w4particle* self = this;
    drawGlows({&self, 1});
}

void drawGlows(std::span<const w4particle* const> bullets) {
    if (bullets.empty())
        return;
    // Ever more opaque towards the tip, which runs three spheres, 15 steps, ahead of the bullet.
    constexpr float kTrail[4][4] = {{0.0f, 1.0f, 1.0f, 0.4f},
                                    {0.0f, 0.3f, 1.0f, 0.6f},
                                    {0.0f, 0.6f, 1.0f, 0.8f},
                                    {0.0f, 0.0f, 1.0f, 1.0f}};
    static const SphereMesh sphere = sphereMesh(0.1f, 5, 5);
    // Moved to their places here rather than by the matrix: one draw instead of four per bullet, each of
    // which llvmpipe charges for.
    struct Vertex {
        float position[3], normal[3], colour[4], caustic[2];
    };
    const CausticCorners caustics;
    std::vector<Vertex> vertices;
    std::vector<GLuint> triangles;
    vertices.reserve(bullets.size() * 4 * sphere.vertices.size());
    triangles.reserve(bullets.size() * 4 * sphere.triangles.size());
    for (const w4particle* bullet : bullets) {
        Vec3 centre = bullet->position;
        for (int k = 0; k < 4; ++k) {
            if (k > 0) {
                centre.x += 5.0f * bullet->direction.x;
                centre.y += 5.0f * bullet->direction.y;
                centre.z += 5.0f * bullet->direction.z;
            }
            const auto first = static_cast<GLuint>(vertices.size());
            for (const unsigned short index : sphere.triangles)
                triangles.push_back(first + index);
            for (const SphereVertex& v : sphere.vertices) {
                const auto& [x, y, z] = v.position;
                vertices.push_back(
                    {{centre.x + x, centre.y + y, centre.z + z},
                     {v.normal[0], v.normal[1], v.normal[2]},
                     {kTrail[k][0], kTrail[k][1], kTrail[k][2], kTrail[k][3]},
                     {caustics.s[0] * x + caustics.s[1] * y + caustics.s[2] * z + caustics.s[3],
                      caustics.t[0] * x + caustics.t[1] * y + caustics.t[2] * z + caustics.t[3]}});
            }
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), vertices[0].position);
    glNormalPointer(GL_FLOAT, sizeof(Vertex), vertices[0].normal);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), vertices[0].colour);
    if (caustics.generated) {
        glClientActiveTexture(GL_TEXTURE1);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), vertices[0].caustic);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_INT, triangles.data());
    if (caustics.generated) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glClientActiveTexture(GL_TEXTURE0);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor4fv(kTrail[3]); // what drawing sphere by sphere left behind
}
