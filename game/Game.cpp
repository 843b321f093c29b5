#include "game/Game.h"

#include "towns/Beaming.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"

#include <cstdlib>
#include <ctime>

namespace {

void resetPerGameFields(GameState& state) {
    state.heading = 0.0f;
    state.pitch = 0.0f;
    state.causticScale = 0.75f;
    state.sosFrame = 0;
    state.score = 0;
    state.torpedoes = kStartTorpedoes;
    state.torpedoState = kTorpedoReady;
    state.mouseLastX = 400;
    state.mouseLastY = 400;
    state.causticFrame = 0;
    state.gunBarrelAngle = 0;
    state.muzzleFlashFrame = 0;
    state.evacMessageCount = 0;
    state.shotsFired = 0;
    state.shotHits = 0;
    state.beamingActive = false;
}

void storeGunMaterial(GameState& state) {
    state.matAmbient = {0.25f, 0.25f, 0.25f, 1.0f};
    state.matDiffuse = {0.4f, 0.4f, 0.4f, 1.0f};
    state.matSpecular = {0.774597f, 0.774597f, 0.774597f, 1.0f};
    state.matShininess = 0.6f;
}

} // namespace

void startGame(Game& game, Occasion occasion) {
    switch (occasion) {
    case Occasion::Load:
        game = Game();
        break;
    case Occasion::WorldInit:
        storeGunMaterial(game);
        // Searched from where the submarine still is: the start point is drawn only afterwards.
        updateNearestTown(game, game.towns);
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        game.playerPos = startPoint(game.terrainGrid, std::rand() % static_cast<int>(kStartPoints.size()));
        resetPerGameFields(game);
        // The gun's picture is keyed by its barrels' turn, but its shading is the light set anew here.
        for (OverlayPicture& picture : game.hudPictures)
            picture.shows.clear();
        break;
    case Occasion::Restart:
        game.playerPos = {kRestartPosition[0], kRestartPosition[1], kRestartPosition[2]};
        game.gameOver = false;
        game.lifePoints = kStartLife;
        game.torpedoes = kStartTorpedoes;
        game.score = 0;
        break;
    }
}
