#include "world/FloorGl.h"

#include "core/GameState.h"
#include "core/Gl.h"
#include "core/View.h"
#include "world/BitmapReader.h"
#include "world/Culling.h"
#include "world/DepthMap.h"
#include "world/FloorTiles.h"
#include "world/TexturesGl.h"

#include <algorithm>
#include <iostream>

namespace {

// The floor texture repeats every 256 columns and 128 rows of the grid.
constexpr double kTextureColumns = 256.0;
constexpr double kTextureRows = 128.0;

void emitStrip(const TerrainGrid& terrainGrid, int row, int firstColumn, int lastColumn) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const TerrainVertex& near = terrainGrid[column][row];
        const TerrainVertex& far = terrainGrid[column][row + 1];
        glColor3f(1.0f, 1.0f, 1.0f);
        glTexCoord2f(static_cast<float>(column / kTextureColumns), static_cast<float>(row / kTextureRows));
        glVertex3f(near.x, near.y, near.z);
        glTexCoord2f(static_cast<float>(column / kTextureColumns),
                     static_cast<float>((row + 1) / kTextureRows));
        glVertex3f(far.x, far.y, far.z);
    }
    glEnd();
}

unsigned int tileList(const GameState& state, int tile) {
    return state.terrainList + 1 + static_cast<unsigned>(tile);
}

} // namespace

void compileTerrainLists(GameState& state, const TerrainGrid& terrainGrid) {
    if (state.terrainList != 0 && glIsList(state.terrainList))
        glDeleteLists(state.terrainList, 1 + kTileCount);
    state.terrainList = glGenLists(1 + kTileCount);
    state.floorTileBounds.clear();
    for (int tile = 0; tile < kTileCount; ++tile)
        state.floorTileBounds.push_back(tileBounds(terrainGrid, tile));

    glNewList(state.terrainList, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, state.worldTextures[kValleyTexture]);
    glEndList();

    for (int tile = 0; tile < kTileCount; ++tile) {
        const TileSpan span = tileSpan(tile);
        glNewList(tileList(state, tile), GL_COMPILE);
        for (int row = span.firstRow; row < span.endRow; ++row)
            emitStrip(terrainGrid, row, span.firstColumn, span.lastColumn);
        glEndList();
    }
}

void drawTerrain(const GameState& state, bool cullHidden) {
    glPushMatrix();
    glCallList(state.terrainList);
    if (cullHidden) {
        static const double hidingDepth = std::min(fogHidingDepth(kFogDensity), kFarPlane);
        const ViewFrustum frustum(state.pitch, state.aimHeading, state.playerPos.toFloat(), hidingDepth);
        for (int tile : visibleTiles(frustum, state.floorTileBounds))
            glCallList(tileList(state, tile));
    } else {
        for (int tile = 0; tile < kTileCount; ++tile)
            glCallList(tileList(state, tile));
    }
    glPopMatrix();
}

std::optional<std::string> buildTerrain(GameState& state, TerrainGrid& terrainGrid) {
    BitmapImage depthMap;
    const DepthMapResult read = readDepthMap(kDepthMapPath, depthMap);
    if (!read.ok)
        return std::string("Depth map ") + kDepthMapPath + " " + read.problem + "; cannot build the valley";
    loadWorldTextures(state);
    fillTerrainGrid(terrainGrid, depthMap, state.waterLevel);
    compileTerrainLists(state, terrainGrid);
    std::cout << "fertig" << std::endl;
    return std::nullopt;
}
