// The floor's display lists and the choice of tiles a frame draws.
#include "app/GameState.h"
#include "app/Gl.h"
#include "app/View.h"
#include "world/BitmapReader.h"
#include "world/Culling.h"
#include "world/Terrain.h"
#include "world/Textures.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

const char* const kDepthMapPath = "Texturen/valleyDepth.bmp";

void emitStrip(int row, int firstColumn, int lastColumn) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const TerrainVertex& near = terrainGrid[column][row];
        const TerrainVertex& far = terrainGrid[column][row + 1];
        glColor3f(1.0f, 1.0f, 1.0f);
        glTexCoord2f(static_cast<float>(column / 256.0), static_cast<float>(row / 128.0));
        glVertex3f(near.x, near.y, near.z);
        glTexCoord2f(static_cast<float>(column / 256.0), static_cast<float>((row + 1) / 128.0));
        glVertex3f(far.x, far.y, far.z);
    }
    glEnd();
}

} // namespace

TileSpan tileSpan(int tile) {
    const int tileColumn = tile % kTileColumns;
    const int tileRow = tile / kTileColumns;
    const int firstColumn = tileColumn * kTileCells;
    const int firstRow = tileRow * kTileCells;
    // Neighbouring tiles share their edge column, so the strips join exactly as one long strip would.
    return {firstColumn, std::min(firstColumn + kTileCells, kGridColumns - 2), firstRow,
            std::min(firstRow + kTileCells, kGridRows - 1)};
}

Box tileBounds(int tile) {
    const TileSpan span = tileSpan(tile);
    float low = terrainGrid[span.firstColumn][span.firstRow].y;
    float high = low;
    for (int column = span.firstColumn; column <= span.lastColumn; ++column)
        for (int row = span.firstRow; row <= span.endRow; ++row) {
            low = std::min(low, terrainGrid[column][row].y);
            high = std::max(high, terrainGrid[column][row].y);
        }
    return {{terrainGrid[span.firstColumn][0].x, low, terrainGrid[0][span.endRow].z},
            {terrainGrid[span.lastColumn][0].x, high, terrainGrid[0][span.firstRow].z}};
}

std::vector<int> visibleTiles(const ViewFrustum& frustum, const std::vector<Box>& bounds) {
    std::vector<std::pair<double, int>> byDepth;
    for (int tile = 0; tile < static_cast<int>(bounds.size()); ++tile) {
        const Box& box = bounds[static_cast<size_t>(tile)];
        if (frustum.mayShow(box)) {
            const auto centre = frustum.toEye(0.5 * (box.min.x + box.max.x), 0.5 * (box.min.y + box.max.y),
                                              0.5 * (box.min.z + box.max.z));
            byDepth.push_back({centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2], tile});
        }
    }
    // Nearest first: the depth test then turns away hidden slopes before the renderer shades them.
    std::sort(byDepth.begin(), byDepth.end());
    std::vector<int> tiles;
    tiles.reserve(byDepth.size());
    for (const auto& entry : byDepth)
        tiles.push_back(entry.second);
    return tiles;
}

void compileTerrainLists() {
    if (game.terrainList != 0 && glIsList(game.terrainList))
        glDeleteLists(game.terrainList, 1 + kTileCount);
    game.terrainList = glGenLists(1 + kTileCount);
    game.floorTileBounds.clear();
    for (int tile = 0; tile < kTileCount; ++tile)
        game.floorTileBounds.push_back(tileBounds(tile));

    glNewList(game.terrainList, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, game.worldTextures[kValleyTexture]);
    glEndList();

    for (int tile = 0; tile < kTileCount; ++tile) {
        const TileSpan span = tileSpan(tile);
        glNewList(game.terrainList + 1 + static_cast<unsigned>(tile), GL_COMPILE);
        for (int row = span.firstRow; row < span.endRow; ++row)
            emitStrip(row, span.firstColumn, span.lastColumn);
        glEndList();
    }
}

void drawTerrain(bool cullHidden) {
    glPushMatrix();
    glCallList(game.terrainList);
    if (cullHidden) {
        static const double hidingDepth = std::min(fogHidingDepth(kFogDensity), kFarPlane);
        const ViewFrustum frustum(game.pitch, game.aimHeading, game.playerPos.toFloat(), hidingDepth);
        for (int tile : visibleTiles(frustum, game.floorTileBounds))
            glCallList(game.terrainList + 1 + static_cast<unsigned>(tile));
    } else {
        for (int tile = 0; tile < kTileCount; ++tile)
            glCallList(game.terrainList + 1 + static_cast<unsigned>(tile));
    }
    glPopMatrix();
}

DepthMapResult readDepthMap(const std::string& path, BitmapImage& image) {
    switch (loadBitmap(path, image)) {
    case bitmap_result::ok:
        break;
    case bitmap_result::cannotOpen:
        return {false, "cannot be opened"};
    case bitmap_result::notBitmap:
        return {false, "is not a BMP file"};
    case bitmap_result::unsupported:
        return {false, "has an unsupported format (uncompressed 1, 4, 8 or 24 bits per pixel needed)"};
    default:
        return {false, "is shorter than its header says"};
    }
    if (image.width != kGridColumns || image.height < kGridRows)
        return {false, "is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                           " pixels; the valley needs 1024 x 512"};
    return {true, {}};
}

void buildTerrain() {
    BitmapImage depthMap;
    const DepthMapResult read = readDepthMap(kDepthMapPath, depthMap);
    if (!read.ok) {
        std::cout << std::flush;
        std::cerr << "Depth map " << kDepthMapPath << " " << read.problem << "; cannot build the valley"
                  << std::endl;
        std::exit(1);
    }
    loadWorldTextures();
    fillTerrainGrid(depthMap, game.waterLevel);
    compileTerrainLists();
    std::cout << "fertig" << std::endl;
}
