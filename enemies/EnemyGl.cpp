// Drawing of the enemies: the craft, bullets and trail, the explosion, and each enemy's own bubble texture,
// made from the bubble picture the world's texture loading read.
#include "core/Gl.h"
#include "core/SphereGl.h"
#include "core/TextureTable.h"
#include "core/View.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyFleet.h"
#include "world/TextureFiles.h"
#include "world/TexturesGl.h"

#include <vector>

namespace {

constexpr float kCraftRadius = 0.6f;
constexpr int kCraftDetail = 30;
constexpr int kCoreDetail = 10;

// Uploaded exactly as the loading tables upload the same file for the submarine's own bubbles.
unsigned int makeBubbleTexture(const TexturePixels& picture) {
    GLuint name = 0;
    glGenTextures(1, &name);
    uploadTexture(name, kSceneTextureFiles[kBubbleTexture], picture);
    return name;
}

} // namespace

// The core is lit like the craft it replaces; it grows while its green and its alpha fall, so it burns
// from yellow to a fading red. Like every glowing particle it writes no depth: faded out, it would still
// cut a hole into whatever is drawn behind it later.
void Explosion::draw() const {
    if (!started)
        return; // no centre yet
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glPushMatrix();
    const double r = coreRadius;
    glColor4d(1.0, 1.1 - r, 0.1, 1.1 - r);
    glTranslatef(center.x, center.y, center.z);
    glutSolidSphere(r, kCoreDetail, kCoreDetail);
    glPopMatrix();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    for (const explosionparticle& spark : particles)
        spark.draw();
}

void Enemy::drawBody() const {
    if (health <= 0) {
        explosion.draw();
        return;
    }
    glPushMatrix();
    glColor3d(1.0, 0.05, 0.05);
    glTranslatef(position.x, position.y, position.z);
    // Made once: glut's 30 x 30 ball at every distance. Coarser far away, the shiny highlight of the
    // per-vertex lighting jumped as the detail stepped down.
    static const SphereMesh mesh = sphereMesh(kCraftRadius, kCraftDetail, kCraftDetail);
    // A closed ball's far side never shows, and culled it costs the software renderer nothing; only a
    // craft the near plane may cut open shows its inside, so that one is drawn whole.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const bool whole = -m[14] < kNearPlane + kCraftRadius;
    if (!whole)
        glEnable(GL_CULL_FACE);
    drawSphereMesh(mesh);
    if (!whole)
        glDisable(GL_CULL_FACE);
    glPopMatrix();
}

unsigned int Enemy::trailTexture(const TexturePixels& bubblePicture) {
    if (bubbleTexture == 0)
        bubbleTexture = makeBubbleTexture(bubblePicture);
    return bubbleTexture;
}

// The glow of bullets and bubbles is added to the picture and writes no depth, so drawing every craft
// first shows the same as drawing enemy by enemy, while the state changes once per pass instead of per
// enemy, which llvmpipe charges for.
void EnemyFleet::draw() {
    if (!texturesToRelease.empty()) {
        glDeleteTextures(static_cast<GLsizei>(texturesToRelease.size()), texturesToRelease.data());
        texturesToRelease.clear();
    }
    // Unculled: a craft the near plane cuts shows its red inside rather than a hole.
    for (const Enemy& enemy : enemies)
        if (enemy.health > 0)
            enemy.drawBody();
    for (const Enemy& enemy : enemies)
        if (enemy.health <= 0)
            enemy.drawBody();

    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    std::vector<const w4particle*> volley;
    for (const Enemy& enemy : enemies)
        if (enemy.health > 0)
            for (const w4particle& bullet : enemy.bullets)
                volley.push_back(&bullet);
    drawGlows(volley);
    glDepthMask(GL_TRUE);

    glEnable(GL_TEXTURE_2D);
    std::vector<BubbleTrail> trails;
    for (Enemy& enemy : enemies)
        if (enemy.health > 0)
            trails.push_back({enemy.trailTexture(bubblePicture), enemy.emitter.bubbles});
    drawBubbleTrails(trails);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
