#include "app/Frame.h"

#include "app/EffectsDrawing.h"
#include "app/Hud.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "core/PictureGl.h"
#include "game/Game.h"
#include "towns/TownModelGl.h"
#include "world/CausticsGl.h"
#include "world/FloorGl.h"
#include "world/WaterGl.h"

#include <algorithm>
#include <cmath>

namespace {

void enableObjectLinearGeneration() {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void placeCamera(const GameState& state) {
    glLoadIdentity();
    glRotatef(state.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(360.0f - state.aimHeading, 0.0f, 1.0f, 0.0f);
    const Vec3 pos = state.playerPos.toFloat();
    glTranslatef(-pos.x, -pos.y, -pos.z);
}

// While frames are slow the world goes into a picture smaller than the window; false at scale 1, or
// where no picture can be made, and the world is drawn straight into the window.
bool beginScaledWorld(Game& state, const int window[4]) {
    const float scale = state.renderScale.scale();
    if (scale >= 1.0f) {
        state.worldPicture.release();
        return false;
    }
    const int width = std::max(1, static_cast<int>(std::lround(static_cast<float>(window[2]) * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(static_cast<float>(window[3]) * scale)));
    if (!fitPicture(state.pictureSupport, state.worldPicture, width, height, true))
        return false;
    glBindFramebuffer(GL_FRAMEBUFFER, state.worldPicture.framebuffer);
    glViewport(0, 0, width, height);
    return true;
}

} // namespace

// The scaling pass, which the software renderer pays for every window pixel: plain texels, nothing lit,
// fogged, blended or tested. At exactly half size each texel covers two by two pixels, and the nearest
// texel costs less than filtering and shows the same; between, filtering keeps edges from stepping.
void showScaledWorld(const Picture& world, const int window[4]) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(window[0], window[1], window[2], window[3]);
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, world.texture);
    const bool half = 2 * world.width == window[2] && 2 * world.height == window[3];
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, half ? GL_NEAREST : GL_LINEAR);
    // The window's depth is left as it was: nothing drawn after the world tests against it.
    drawPicture(world, {window[0], window[1], window[2], window[3]}, 1.0f, 1.0f, false);
    glPopAttrib();
}

bool drawWorld(Game& state, const int window[4]) {
    // Normally display left it in force; after a reshape it must replace the orthographic box.
    usePerspective();
    const bool scaled = beginScaledWorld(state, window);

    // A caustic frame recorded since the last frame goes onto unit 1 first, as if the timer had put it there.
    applyRecordedCaustics(state);

    // Unit 1 carries the caustics over everything drawn from here on.
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    enableObjectLinearGeneration();
    glActiveTexture(GL_TEXTURE0);
    enableObjectLinearGeneration();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    placeCamera(state);

    if (state.terrainList != 0 && glIsList(state.terrainList)) {
        if (state.drawFloor)
            drawTerrain(state, state.cullHiddenFloor);
        drawWater(state, state.terrainGrid);
    } else if (const auto problem = buildTerrain(state, state.terrainGrid)) {
        stopForUnbuiltWorld(*problem);
    } // else this frame shows no floor; the next one does

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);

    glBindTexture(GL_TEXTURE_2D, state.sceneTextures[kBubbleTexture]);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    state.playerBubbles.draw();

    glBindTexture(GL_TEXTURE_2D,
                  state.sceneTextures[kFirstSosTexture + std::clamp(state.sosFrame, 0, kSosFrames - 1)]);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);

    state.weaponSystem.draw();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    const Vec3 eye = state.playerPos.toFloat();
    for (Stadt& town : state.towns)
        if (townInDrawingRange(distance(eye, town.position)))
            drawTown(town);

    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    state.enemyFleet.draw();
    glDisable(GL_TEXTURE_2D);

    drawWorldEffects(state.effects, scaled ? state.renderScale.scale() : 1.0f);
    state.effects.worldShapes.clear();
    return scaled;
}

void renderScene(Game& state) {
    GLint window[4];
    glGetIntegerv(GL_VIEWPORT, window);
    if (drawWorld(state, window))
        showScaledWorld(state.worldPicture, window);
    display(state);
    state.effects.muzzleFlash.reset();
}

void reshape(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double m = 0.5 * std::max(width, height);
    double r = 0.0;
    if (width > height) {
        r = static_cast<double>(width) / height;
        glOrtho(-m * r, m * r, -m, m, -100000.0, 100000.0);
    } else {
        r = static_cast<double>(height) / width;
        glOrtho(-m, m, -m * r, m * r, -100000.0, 100000.0);
    }
    glScaled(r, r, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
