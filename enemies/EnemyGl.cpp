// Drawing of the enemies: the craft, bullets and trail, the explosion, and each enemy's own bubble texture,
// made from the fleet's one decoding of the bubble picture.
#include "core/Gl.h"
#include "core/TextureTable.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyFleet.h"
#include "world/TextureFiles.h"
#include "world/TexturesGl.h"

#include <string>

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

void Enemy::draw(const TexturePixels& bubblePicture) {
    if (health <= 0) {
        explosion.draw();
        return;
    }
    glPushMatrix();
    glColor3d(1.0, 0.05, 0.05);
    glTranslatef(position.x, position.y, position.z);
    glutSolidSphere(kCraftRadius, kCraftDetail, kCraftDetail);
    glPopMatrix();
    for (const w4particle& bullet : bullets)
        bullet.draw();

    if (bubbleTexture == 0)
        bubbleTexture = makeBubbleTexture(bubblePicture);
    glBindTexture(GL_TEXTURE_2D, bubbleTexture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    emitter.draw();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void EnemyFleet::draw() {
    if (!texturesToRelease.empty()) {
        glDeleteTextures(static_cast<GLsizei>(texturesToRelease.size()), texturesToRelease.data());
        texturesToRelease.clear();
    }
    // A spawn must not read the file again: the picture is decoded for the first enemy drawn and kept.
    if (bubblePicture.bytes.empty() && !enemies.empty()) {
        const TextureFile& file = kSceneTextureFiles[kBubbleTexture];
        bubblePicture = readTexturePixels(std::string("Texturen/") + file.name, file.width, file.height);
    }
    for (Enemy& enemy : enemies)
        enemy.draw(bubblePicture);
}
