#include "app/WorldInit.h"

#include "app/Game.h"
#include "core/Gl.h"
#include "core/View.h"
#include "player/Keyboard.h"
#include "towns/Beaming.h"
#include "towns/TownList.h"
#include "towns/TownModelGl.h"
#include "world/FloorGl.h"
#include "world/TexturesGl.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace {

void setUpLight() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);

    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 0.5f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    // Directional, given under the camera in force now, and never again: it keeps its angle to the viewer.
    const GLfloat position[] = {0.2f, -0.7f, 0.5f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void setUpFog() {
    glEnable(GL_FOG);
    const GLfloat colour[] = {kWaterColour[0], kWaterColour[1], kWaterColour[2], 1.0f};
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_START, 50.0f);
    glFogf(GL_FOG_END, 150.0f);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glFogf(GL_FOG_DENSITY, kFogDensity);
}

void storeGunMaterial(GameState& state) {
    state.matAmbient = {0.25f, 0.25f, 0.25f, 1.0f};
    state.matDiffuse = {0.4f, 0.4f, 0.4f, 1.0f};
    state.matSpecular = {0.774597f, 0.774597f, 0.774597f, 1.0f};
    state.matShininess = 0.6f;
}

// A restart replaces the towns instead of adding a second set behind the first.
void replaceTowns(Game& state) {
    releaseTownModels(state.towns);
    state.towns = makeTowns();
    compileTownModels(state.towns);
}

} // namespace

void initWorld() {
    std::cout << "Initialisiere ...\n"
              << "\tTerrain ... ";
    buildTerrain(game);
    std::cout << "fertig\n"
              << "\tLicht ... ";
    setUpLight();
    std::cout << "fertig\n"
              << "\tTexturen ... ";
    loadTextures(game);
    storeGunMaterial(game);
    setUpFog();
    replaceTowns(game);
    updateNearestTown(game, game.towns);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game.playerPos = startPoint(std::rand() % static_cast<int>(kStartPoints.size()));
    resetPerGameFields(game);
    std::cout << "Initialisierung abgeschlossen\n\n";
}

void restartGame() {
    initWorld();
    applyRestartValues(game);
    armTimers(game);
}
