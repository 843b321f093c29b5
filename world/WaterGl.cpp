#include "world/WaterGl.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "world/Terrain.h"
#include "world/Water.h"

namespace {

void emitCorner(float s, float t, const TerrainVertex& point) {
    glTexCoord2f(s, t);
    glVertex3f(point.x, point.water, point.z);
}

} // namespace

void drawWater(GameState& state, TerrainGrid& terrainGrid) {
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, state.worldTextures[kWaterTexture]);
    glEnable(GL_TEXTURE_2D);

    const WaterWindow window = waterWindow(state.playerPos.x, state.playerPos.z);
    WaterReseed reseed;
    glBegin(GL_QUADS);
    for (int j = window.firstRow; j < window.endRow; ++j) {
        for (int i = window.firstColumn; i < window.endColumn; ++i) {
            waveStep(state, terrainGrid, i, j, reseed);
            glColor3f(0.0f, 0.0f, 100.0f);
            emitCorner(0.0f, 0.0f, terrainGrid[i][j]);
            emitCorner(0.0f, 1.0f, terrainGrid[i][j + 1]);
            emitCorner(1.0f, 0.0f, terrainGrid[i + 1][j + 1]);
            emitCorner(1.0f, 1.0f, terrainGrid[i + 1][j]);
        }
    }
    glEnd();
    plantReseed(reseed);

    state.wavePhase = nextWavePhase(state.wavePhase);
    glPopMatrix();
}
