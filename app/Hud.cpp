#include "app/Hud.h"

#include "app/EffectsDrawing.h"
#include "app/HudText.h"
#include "app/Instruments.h"
#include "app/OverlayPicture.h"
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

// Thin lines on black, or a panel in the corner of its square: only the boxes that change the picture are
// filled, each with the coordinates the whole square gives it.
void boxedQuad(unsigned int texture, const Rect& r, const std::vector<std::array<int, 4>>& boxes,
               const TextureFile& file) {
    if (boxes.empty()) {
        texturedQuad(texture, r);
        return;
    }
    const float width = static_cast<float>(file.width), height = static_cast<float>(file.height);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const auto& [left, bottom, right, top] : boxes) {
        const float s0 = static_cast<float>(left) / width, s1 = static_cast<float>(right) / width;
        const float t0 = static_cast<float>(bottom) / height, t1 = static_cast<float>(top) / height;
        const float x0 = r.left + (r.right - r.left) * s0, x1 = r.left + (r.right - r.left) * s1;
        const float y0 = r.bottom + (r.top - r.bottom) * t0, y1 = r.bottom + (r.top - r.bottom) * t1;
        glTexCoord2f(s0, t0);
        glVertex2f(x0, y0);
        glTexCoord2f(s1, t0);
        glVertex2f(x1, y0);
        glTexCoord2f(s1, t1);
        glVertex2f(x1, y1);
        glTexCoord2f(s0, t1);
        glVertex2f(x0, y1);
    }
    glEnd();
}

void drawGunModel(const GameState& state) {
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

// Lit, as the frame left the light, through a picture redrawn only when the barrels turn. The hub and the
// barrels reach 0.2 from the axis.
void drawGun(Game& state) {
    const Rect gun{-0.22f, -1.07f, 0.22f, -0.63f};
    drawThroughPicture(state.pictureSupport, state.hudPictures[4],
                       "gun " + std::to_string(state.gunBarrelAngle),
                       pixelsCovered(gun.left, gun.bottom, gun.right, gun.top), [&] { drawGunModel(state); });
}

// The radar's map with its mask's alpha from unit 1, whose coordinates run as over the mask's own quad:
// from the same bottom edge up to 0.45 where the map reaches 0.4, the rest being off the screen.
void radarQuadMasked(const Game& state, const Rect& r) {
    constexpr float kMaskTop = 0.4f / 0.45f;
    // Unit 1 carries the caustics, which the world's next frame expects back as they were.
    glActiveTexture(GL_TEXTURE1);
    const GLboolean genS = glIsEnabled(GL_TEXTURE_GEN_S), genT = glIsEnabled(GL_TEXTURE_GEN_T);
    GLint caustic = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &caustic);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, state.hudRadarMaskAlpha);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, state.hudTextures[kRadarTexture]);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glMultiTexCoord2f(GL_TEXTURE1, 0.0f, 0.0f);
    glVertex2f(r.left, r.bottom);
    glTexCoord2f(1.0f, 0.0f);
    glMultiTexCoord2f(GL_TEXTURE1, 1.0f, 0.0f);
    glVertex2f(r.right, r.bottom);
    glTexCoord2f(1.0f, -1.0f);
    glMultiTexCoord2f(GL_TEXTURE1, 1.0f, kMaskTop);
    glVertex2f(r.right, r.top);
    glTexCoord2f(0.0f, -1.0f);
    glMultiTexCoord2f(GL_TEXTURE1, 0.0f, kMaskTop);
    glVertex2f(r.left, r.top);
    glEnd();
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(caustic));
    glDisable(GL_TEXTURE_2D);
    if (genS)
        glEnable(GL_TEXTURE_GEN_S);
    if (genT)
        glEnable(GL_TEXTURE_GEN_T);
    glActiveTexture(GL_TEXTURE0);
}

// A line of text through a picture of its own; the box holds the font's descenders and two pixels around.
void drawTextLine(GameState& state, OverlayPicture& picture, const std::string& text, float x, float y) {
    glLoadIdentity();
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const float pixelWide = 2.0f / static_cast<float>(v[2]), pixelHigh = 2.0f / static_cast<float>(v[3]);
    const TextExtent extent = measureText(state, Typeface::Helvetica18, text);
    const auto pixels = [](int n) { return static_cast<float>(n + 2); };
    drawThroughPicture(state.pictureSupport, picture, text,
                       pixelsCovered(x - pixels(0) * pixelWide, y - pixels(extent.below) * pixelHigh,
                                     x + pixels(extent.width) * pixelWide,
                                     y + pixels(extent.above) * pixelHigh),
                       [&] { drawText(state, Typeface::Helvetica18, text, x, y); });
}

// The map, through its picture once its mask is folded, and the pointer over it, from the map's left edge
// at mid height.
void drawRadar(Game& state) {
    const Rect radar{-0.1f, -0.2f, 0.7f, 0.2f};
    if (state.hudRadarMaskAlpha != 0) {
        drawThroughPicture(state.pictureSupport, state.hudPictures[0], "radar",
                           pixelsCovered(radar.left, radar.bottom, radar.right, radar.top), [&] {
                               glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
                               radarQuadMasked(state, radar);
                               glBlendFunc(GL_ONE, GL_ONE);
                           });
    } else {
        texturedQuad(state.hudTextures[kRadarTexture], radar, -1.0f);
    }
    const RadarOffset pointer = radarPointerOffset(state.playerPos);
    glTranslatef(pointer.x - 0.1f, -0.2f - pointer.y, 0.0f);
    glRotatef(state.heading + 90.0f, 0.0f, 0.0f, 1.0f);
    texturedQuad(state.hudTextures[kRadarPointerTexture], {-0.05f, -0.025f, 0.05f, 0.025f}, -1.0f);
}

// The bars and the radar are cut into the picture by their masks, then their colours are added. A grey
// mask was folded at load time with the colours over it into one premultiplied picture, drawn in one pass
// with (1, 1 - alpha) blending: dst * mask + colour as before, without filling the same pixels two or
// three times, which was most of what the HUD cost. A mask that is not grey keeps its own pass.
void drawBarsAndRadar(Game& state) {
    const auto& hud = state.hudTextures;
    const Rect bottomBar{-0.5f, -0.15f, 0.5f, 0.0f}, rightBar{1.4f, -0.15f, 1.5f, 1.25f};
    const auto life = static_cast<size_t>(lifeBarTexture(state.lifePoints));
    const unsigned int bottomFold = state.hudBottomBarFolds[life], rightFold = state.hudRightBarFold;
    const bool radarFolded = state.hudRadarMaskAlpha != 0;
    glTranslatef(-0.5f, -0.85f, 0.0f);
    if (!bottomFold || !rightFold || !radarFolded) {
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        if (!bottomFold)
            texturedQuad(hud[kBottomBarMask], bottomBar);
        if (!rightFold)
            texturedQuad(hud[kRightBarMask], rightBar);
        if (!radarFolded)
            texturedQuad(hud[kRadarMask], {-0.5f, 1.45f, 0.3f, 1.9f});
    }
    if (bottomFold || rightFold) {
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        if (bottomFold)
            boxedQuad(bottomFold, bottomBar, state.hudBottomBarBoxes[life],
                      kHudTextureFiles[kBottomBarTexture]);
        if (rightFold)
            boxedQuad(rightFold, rightBar, state.hudRightBarBoxes, kHudTextureFiles[kRightBarTexture]);
    }

    glBlendFunc(GL_ONE, GL_ONE);
    if (!bottomFold) {
        texturedQuad(hud[kBottomBarTexture], bottomBar);
        texturedQuad(hud[life], bottomBar);
    }
    if (!rightFold)
        texturedQuad(hud[kRightBarTexture], rightBar);
    texturedQuad(hud[kHeatFillTexture], {1.405f, kHeatFillBottom, 1.49f, heatFillTop(state.gunHeat)});

    // Back to the centre, at half strength.
    glTranslatef(0.5f, 0.85f, 0.0f);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    boxedQuad(hud[kCrosshairTexture], {-0.25f, -0.25f, 0.25f, 0.25f}, state.hudCrosshairBoxes,
              kHudTextureFiles[kCrosshairTexture]);

    glTranslatef(-0.9f, -0.65f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const bool nearTown = isNearTown(state, state.towns, state.playerPos.toFloat());
    texturedQuad(hud[static_cast<size_t>(personIconTexture(state.beamingActive, nearTown))],
                 {-0.1f, -0.2f, 0.1f, 0.2f});

    glTranslatef(0.0f, 1.45f, 0.0f);
    drawRadar(state);
}

// The flash a shot recorded, at the gun's hub, turned with the barrels and tilted at random. Light, not a
// surface: added over the HUD, unlit and unfogged, so its colour is the texture's own. The state it
// changes is put back.
void drawMuzzleFlash(const PendingEffects& effects, unsigned int texture,
                     const std::vector<std::array<int, 4>>& boxes) {
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
    boxedQuad(texture, {-0.35f, -0.35f, 0.35f, 0.35f}, boxes, kSceneTextureFiles[kMuzzleTexture]);
    glPopMatrix();
    glPopAttrib();
}

void drawScoreLines(GameState& state) {
    auto& pictures = state.hudPictures;
    drawTextLine(state, pictures[1], "PUNKTESTAND: " + intToString(state.score), -0.89f, -0.92f);
    drawTextLine(state, pictures[2], "Lebenspunkte: " + intToString(state.lifePoints), -0.89f, -0.98f);
    drawTextLine(state, pictures[3], intToString(state.torpedoes) + "x", 0.92f, -0.9f);
}

void drawEndScreen(Game& state) {
    const auto line = [&](const std::string& text, float x, float y) {
        drawText(state, Typeface::TimesRoman24, text, x, y);
    };
    line("Ihr U-Boot wurde zerstoert!", -0.3f, 0.45f);
    line("Erreichte Punktzahl: " + intToString(state.score), -0.6f, 0.35f);
    line("Spiel beenden mit Esc", -0.3f, -0.35f);
    line("Erledigte Gegner: " + intToString(state.enemyFleet.destroyed), 0.2f, 0.35f);
    line("Abgegebene Schuesse: " + intToString(state.shotsFired), -0.6f, 0.25f);
    line("Davon Treffer: " + intToString(state.shotHits), 0.2f, 0.25f);
}

} // namespace

void usePerspective() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewY, kAspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
}

void display(Game& state) {
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
        drawGun(state);
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
    drawMuzzleFlash(state.effects, state.sceneTextures[kMuzzleTexture], state.muzzleBoxes);
    glDisable(GL_LIGHTING);

    // Text stands at the near end of the overlay's depth, in front of whatever the frame drew, so it is
    // drawn untested: a frame whose world went through the world picture leaves the window's depth as the
    // last frame left it, text included, and tested text would hide behind its own last drawing.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    if (state.drawHud)
        drawScoreLines(state);
    drawScreenEffects(state);
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
