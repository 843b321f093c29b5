#include "app/Instruments.h"
#include "game/Game.h"
#include "towns/Beaming.h"
#include "towns/TownList.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Towns, StandOnTheirGridPointsWithTheirOffsetsAndTheTownTimerRunsTheSignAndFindsTheNearest) {
    TerrainGrid terrainGrid;
    terrainGrid[685][309] = {10.0f, 20.0f, 30.0f, 0.0f};
    terrainGrid[538][191] = {-1.0f, -2.0f, -3.0f, 0.0f};
    const std::vector<Stadt> towns = makeTowns(terrainGrid);
    const Vec3 nuernberg = towns.at(15).position;
    const Vec3d start = startPoint(terrainGrid, 9); // draws are taken modulo the five points
    EXPECT_EQ(std::make_tuple(towns.size(), towns[15].name, nuernberg.x, nuernberg.y, nuernberg.z, start.x,
                              start.y, start.z),
              std::make_tuple(21u, "Nuernberg", -170.0f, -28.0f, 30.0f, -11.0, 4.0, -13.0));

    // The SOS light runs round its four frames; of towns at equal distance the earlier is the nearest, an
    // emptied town is still a town, and while none lies within 10000 the last one stays, if still listed.
    std::vector<Stadt> near{Stadt(0, 0, -10, 1, "A"), Stadt(10, 0, 0, 0, "B")};
    GameState state;
    std::vector<int> found;
    for (const double x : {0.0, 0.0, 9.0, 50000.0, 50000.0}) {
        state.playerPos = {x, 0.0, 0.0};
        townTimerStep(state, near);
        found.push_back(state.sosFrame * 10 + state.nearestTown);
    }
    near.pop_back();
    townTimerStep(state, near);
    EXPECT_EQ(found, (std::vector<int>{10, 20, 31, 1, 11})) << "frame times ten plus the nearest town";
    EXPECT_EQ(state.nearestTown, -1);

    // A town's sign turns 2.5 degrees a drawing, truncated, and folds at 360.
    EXPECT_EQ(std::make_tuple(nextSignAngle(0), nextSignAngle(1), nextSignAngle(358), nextSignAngle(360)),
              std::make_tuple(2, 3, 360, 0));
}

TEST(Beaming, ATownIsEvacuatedOnePersonARunAndAnnouncedSixTimesAfterwards) {
    std::vector<Stadt> towns{Stadt(50.0f, 0.0f, 0.0f, 4, "Ulm"), Stadt(0.0f, -5.0f, -10.0f, 3, "Bonn")};
    GameState state;
    state.nearestTown = 1;
    state.beamingActive = true;
    state.evacMessageCount = 3; // left from an earlier town: a beaming run starts the count again
    for (int run = 0; run < 12; ++run) {
        state.effects.worldShapes.clear();
        beamTimerStep(state, towns, beamTimerValue(state, towns));
        // A beaming run scores one, five for the last person, and draws a line from the town to the hull
        // under the camera in the next frame; the run after the last ends the beaming and starts six showings
        // of the message.
        const std::vector<WorldShape>& beam = state.effects.worldShapes;
        ASSERT_EQ(
            std::make_tuple(beam.size(), state.beamingActive, state.effects.screenTexts.size(), state.score),
            std::make_tuple(run < 3 ? 1u : 0u, run < 3, run >= 3 && run < 9 ? 1u : 0u, run < 2 ? run + 1 : 7))
            << run;
        EXPECT_TRUE(run >= 3 ||
                    (beam[0].kind == WorldShape::Kind::Line && beam[0].position.z == -10.0f &&
                     beam[0].end.y == -1.0f && beam[0].end.z == 0.0f && beam[0].size == 20.0f &&
                     beam[0].colour == Colour{0.0f, 1.0f, 1.0f, 1.0f} && state.evacMessageCount == 0));
    }
    EXPECT_EQ(std::make_pair(state.torpedoes, towns[0].inhabitants), std::make_pair(1, 4)) << "once";
}

TEST(Instruments, LifeBarByTenthsAndTheFieldsEveryNewGameStartsFrom) {
    for (const auto& [life, texture] :
         {std::pair{INT_MAX, 9}, {91, 9}, {90, 9}, {89, 8}, {10, 1}, {9, 0}, {1, 0}, {0, 10}, {INT_MIN, 10}})
        EXPECT_EQ(lifeBarTexture(life), texture) << life;

    // A new game starts these from 0 and a few more from their values; the life, the water and the gun's
    // heat carry over.
    Game state;
    int* const counters[] = {&state.score,        &state.shotsFired,       &state.shotHits,
                             &state.sosFrame,     &state.evacMessageCount, &state.gunBarrelAngle,
                             &state.causticFrame, &state.muzzleFlashFrame};
    for (int* counter : counters)
        *counter = 7;
    state.torpedoState = kTorpedoRunning;
    state.heading = state.pitch = state.waterLevel = 30.0f;
    state.beamingActive = true;
    state.lifePoints = state.gunHeat = 40;
    startGame(state, Occasion::WorldInit);
    for (int* counter : counters)
        EXPECT_EQ(*counter, 0);
    EXPECT_EQ(std::make_tuple(state.torpedoState, state.mouseLastX, state.mouseLastY, state.torpedoes,
                              state.beamingActive, state.heading, state.pitch, state.causticScale,
                              state.waterLevel, state.lifePoints, state.gunHeat, state.matShininess),
              std::make_tuple(kTorpedoReady, 400, 400, 5, false, 0.0f, 0.0f, 0.75f, 30.0f, 40, 40, 0.6f));
}
