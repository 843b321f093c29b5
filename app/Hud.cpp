#include "app/Hud.h"

#include "app/EffectsDrawing.h"
#include "app/Instruments.h"
#include "core/Gl.h"
#include "core/View.h"
#include "game/Game.h"
#include "towns/Beaming.h"

#include <string>

namespace {

struct Rect {
    float left, bottom, right, top;
};

// Quads with t running up (the default) or down: the radar's pictures are stored top row first.
void texturedQuad(unsigned int texture, const Rect& r, float tTop = 1.0f) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(r.left, r.bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(r.right, r.bottom);
    glTexCoord2f(1.0f, tTop);
    glVertex2f(r.right, r.top);
    glTexCoord2f(0.0f, tTop);
    glVertex2f(r.left, r.top);
    glEnd();
}

void drawText(const std::string& text, float x, float y, void* font) {
    glLoadIdentity();
    glRasterPos3f(x, y, 1.0f);
    for (const char c : text)
        glutBitmapCharacter(font, static_cast<unsigned char>(c));
}

void drawGun(const GameState& state) {
    glPushMatrix();
    glMaterialfv(GL_FRONT, GL_AMBIENT, state.matAmbient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, state.matDiffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, state.matSpecular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, state.matShininess * 128.0f);

    glColor4f(0.2f, 0.2f, 0.2f, 1.0f);
    glTranslatef(0.0f, -0.85f, -1.0f);
    glRotatef(static_cast<float>(state.gunBarrelAngle), 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 0.2f);
    glutSolidSphere(0.2, 10, 2); // the hub

    // Five barrels on a circle around the hub, each a sphere stretched along the view.
    glTranslatef(0.0f, 0.15f, -0.2f);
    glScalef(1.0f, 1.0f, 20.0f);
    glColor4f(0.7f, 0.7f, 0.7f, 1.0f);
    glutSolidSphere(0.05, 10, 10);
    for (int barrel = 1; barrel < 5; ++barrel) {
        glTranslatef(0.0f, -0.15f, 0.0f);
        glRotatef(72.0f, 0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, 0.15f, 0.0f);
        glutSolidSphere(0.05, 10, 10);
    }
    glPopMatrix();
}

// The bars and the radar are cut into the picture by their masks first, then their colours are added.
void drawBarsAndRadar(const Game& state) {
    const auto& hud = state.hudTextures;
    glTranslatef(-0.5f, -0.85f, 0.0f);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    texturedQuad(hud[kBottomBarMask], {-0.5f, -0.15f, 0.5f, 0.0f});
    texturedQuad(hud[kRightBarMask], {1.4f, -0.15f, 1.5f, 1.25f});
    texturedQuad(hud[kRadarMask], {-0.5f, 1.45f, 0.3f, 1.9f});

    glBlendFunc(GL_ONE, GL_ONE);
    texturedQuad(hud[kBottomBarTexture], {-0.5f, -0.15f, 0.5f, 0.0f});
    texturedQuad(hud[kRightBarTexture], {1.4f, -0.15f, 1.5f, 1.25f});
    texturedQuad(hud[kHeatFillTexture], {1.405f, kHeatFillBottom, 1.49f, heatFillTop(state.gunHeat)});
    texturedQuad(hud[static_cast<size_t>(lifeBarTexture(state.lifePoints))], {-0.5f, -0.15f, 0.5f, 0.0f});

    // Back to the centre, at half strength.
    glTranslatef(0.5f, 0.85f, 0.0f);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    texturedQuad(hud[kCrosshairTexture], {-0.25f, -0.25f, 0.25f, 0.25f});

    glTranslatef(-0.9f, -0.65f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const bool nearTown = isNearTown(state, state.towns, state.playerPos.toFloat());
    texturedQuad(hud[static_cast<size_t>(personIconTexture(state.beamingActive, nearTown))],
                 {-0.1f, -0.2f, 0.1f, 0.2f});

    glTranslatef(0.0f, 1.45f, 0.0f);
    texturedQuad(hud[kRadarTexture], {-0.1f, -0.2f, 0.7f, 0.2f}, -1.0f);
    const RadarOffset pointer = radarPointerOffset(state.playerPos);
    glTranslatef(pointer.x - 0.1f, -0.2f - pointer.y, 0.0f);
    glRotatef(state.heading + 90.0f, 0.0f, 0.0f, 1.0f);
    texturedQuad(hud[kRadarPointerTexture], {-0.05f, -0.025f, 0.05f, 0.025f}, -1.0f);
}

// The flash a shot recorded, at the gun's hub, turned with the barrels and tilted at random. Light, not a
// surface: added over the HUD, unlit and unfogged, so its colour is the texture's own. The state it
// changes is put back.
void drawMuzzleFlash(const PendingEffects& effects, unsigned int texture) {
    if (!effects.muzzleFlash)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, -0.85f, 0.5f);
    glRotatef(effects.muzzleFlash->turn, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, 0.15f, 0.0f);
    glRotatef(effects.muzzleFlash->tilt, 0.0f, 0.0f, 1.0f);
    texturedQuad(texture, {-0.35f, -0.35f, 0.35f, 0.35f});
    glPopMatrix();
    glPopAttrib();
}

void drawScoreLines(const GameState& state) {
    drawText("PUNKTESTAND: " + intToString(state.score), -0.89f, -0.92f, GLUT_BITMAP_HELVETICA_18);
    drawText("Lebenspunkte: " + intToString(state.lifePoints), -0.89f, -0.98f, GLUT_BITMAP_HELVETICA_18);
    drawText(intToString(state.torpedoes) + "x", 0.92f, -0.9f, GLUT_BITMAP_HELVETICA_18);
}

void drawEndScreen(const Game& state) {
    void* font = GLUT_BITMAP_TIMES_ROMAN_24;
    drawText("Ihr U-Boot wurde zerstoert!", -0.3f, 0.45f, font);
    drawText("Erreichte Punktzahl: " + intToString(state.score), -0.6f, 0.35f, font);
    drawText("Spiel beenden mit Esc", -0.3f, -0.35f, font);
    drawText("Erledigte Gegner: " + intToString(state.enemyFleet.destroyed), 0.2f, 0.35f, font);
    drawText("Abgegebene Schuesse: " + intToString(state.shotsFired), -0.6f, 0.25f, font);
    drawText("Davon Treffer: " + intToString(state.shotHits), 0.2f, 0.25f, font);
}

} // namespace

void usePerspective() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewY, kAspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
}

void display(const Game& state) {
    // The perspective set here is the one the next 3D frame uses; the overlay works in -1..1.
    usePerspective();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Keep the caustics off the overlay.
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_DEPTH_TEST);

    if (state.drawHud) {
        drawGun(state); // lit, as the frame left the light
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glDisable(GL_LIGHTING);
        // The quads lie at eye depth 0, where the fog factor is exactly 1: without fog every pixel comes
        // out the same, and the software rasteriser spends a tenth less on the HUD.
        const GLboolean fogged = glIsEnabled(GL_FOG);
        glDisable(GL_FOG);
        drawBarsAndRadar(state);
        if (fogged)
            glEnable(GL_FOG);
    }
    drawMuzzleFlash(state.effects, state.sceneTextures[kMuzzleTexture]);
    glDisable(GL_LIGHTING);

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    if (state.drawHud)
        drawScoreLines(state);
    drawScreenEffects(state.effects);
    // Still unlit, so that the end screen's raster positions keep the text colour instead of a lit one.
    if (state.gameOver) {
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        drawEndScreen(state);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    if (state.swapBuffers)
        state.swapBuffers();
}
