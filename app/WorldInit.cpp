#include "app/WorldInit.h"

#include "core/Gl.h"
#include "core/View.h"
#include "game/Game.h"
#include "towns/TownList.h"
#include "towns/TownModelGl.h"
#include "world/FloorGl.h"
#include "world/TexturesGl.h"

#include <cstdlib>
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

// A restart replaces the towns instead of adding a second set behind the first.
void replaceTowns(Game& game) {
    releaseTownModels(game.towns);
    game.towns = makeTowns(game.terrainGrid);
    compileTownModels(game.towns);
}

} // namespace

std::optional<std::string> initWorld(Game& game) {
    std::cout << "Initialisiere ...\n"
              << "\tTerrain ... ";
    if (auto problem = buildTerrain(game, game.terrainGrid))
        return problem;
    std::cout << "fertig\n"
              << "\tLicht ... ";
    setUpLight();
    std::cout << "fertig\n"
              << "\tTexturen ... ";
    // The enemies' textures are made from the picture read here: the file is read, and reported, once.
    game.enemyFleet.bubblePicture = loadTextures(game);
    setUpFog();
    replaceTowns(game);
    startGame(game, Occasion::WorldInit);
    std::cout << "Initialisierung abgeschlossen\n\n";
    return std::nullopt;
}

std::optional<std::string> restartGame(Game& game) {
    if (auto problem = initWorld(game))
        return problem;
    startGame(game, Occasion::Restart);
    armTimers(game);
    return std::nullopt;
}

void stopForUnbuiltWorld(const std::string& problem) {
    std::cout << std::flush;
    std::cerr << problem << std::endl;
    std::exit(1);
}
