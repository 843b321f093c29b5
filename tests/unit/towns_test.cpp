#include "app/Instruments.h"
#include "core/GameState.h"
#include "towns/Beaming.h"
#include "towns/TownList.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Towns, StandOnTheirGridPointsTheNearestIsFoundAndTheSignTurns) {
    terrainGrid[415][260] = {1.0f, 2.0f, 3.0f, 0.0f};
    terrainGrid[685][309] = {10.0f, 20.0f, 30.0f, 0.0f};
    terrainGrid[538][191] = {-1.0f, -2.0f, -3.0f, 0.0f};
    const std::vector<Stadt> towns = makeTowns();
    ASSERT_EQ(towns.size(), 21u);
    const Vec3 karlsruhe = towns[0].position, nuernberg = towns[15].position;
    const Vec3d start = startPoint(9); // draws are taken modulo the five points
    EXPECT_EQ(std::make_tuple(karlsruhe.x, karlsruhe.y, karlsruhe.z, towns[0].inhabitants, towns[15].name),
              std::make_tuple(1.0f, 2.5f, 3.0f, 10, "Nuernberg"));
    EXPECT_EQ(std::make_tuple(nuernberg.x, nuernberg.y, nuernberg.z),
              std::make_tuple(-170.0f, -28.0f, 30.0f));
    EXPECT_EQ(std::make_tuple(start.x, start.y, start.z), std::make_tuple(-11.0, 4.0, -13.0));

    // Of equals the earlier town wins; an emptied town is still a town; beyond 10000 there is none.
    const std::vector<Stadt> near{Stadt(10, 0, 0, 1, "A"), Stadt(-10, 0, 0, 1, "B"),
                                  Stadt(0, 0, -10, 0, "C")};
    for (const auto& [from, nearest] :
         {std::pair{Vec3{0, 0, 0}, 0}, {{-9, 0, 0}, 1}, {{0, 0, -9}, 2}, {{20000, 0, 0}, -1}})
        EXPECT_EQ(findNearestTown(near, from), nearest) << from.x << " " << from.z;

    // The town timer runs the SOS light round its four frames and keeps the last town while none is near,
    // but not one the list no longer holds.
    GameState state;
    state.playerPos = {0.0, 0.0, -9.0};
    std::vector<int> frames;
    for (int run = 0; run < 5; ++run) {
        townTimerStep(state, near);
        frames.push_back(state.sosFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));
    state.playerPos = {50000.0, 0.0, 0.0};
    townTimerStep(state, near);
    EXPECT_EQ(state.nearestTown, 2);
    townTimerStep(state, {near[0]});
    EXPECT_EQ(state.nearestTown, -1);

    // A town's sign turns 2.5 degrees a drawing, truncated, and folds at 360; towns show within 175.
    int angle = 0;
    for (int drawing = 0; drawing < 180; ++drawing)
        angle = nextSignAngle(angle);
    EXPECT_EQ(std::make_tuple(angle, nextSignAngle(angle), nextSignAngle(1)), std::make_tuple(360, 0, 3));
    EXPECT_EQ(std::make_pair(townInDrawingRange(174.99f), townInDrawingRange(175.0f)),
              std::make_pair(true, false));
}

TEST(Beaming, ATownIsEvacuatedOnePersonARunAndAnnouncedSixTimesAfterwards) {
    std::vector<Stadt> towns{Stadt(50.0f, 0.0f, 0.0f, 4, "Ulm"), Stadt(0.0f, -5.0f, -10.0f, 3, "Bonn")};
    GameState state;
    state.torpedoes = 5;
    state.nearestTown = 1;
    beamTimerStep(state, towns, 3);
    EXPECT_EQ(std::make_tuple(state.score, towns[1].inhabitants), std::make_tuple(0, 3)) << "not before B";

    state.beamingActive = true;
    state.evacMessageCount = 3; // left from an earlier town: a beaming step starts the count again
    std::vector<int> scores;
    for (int run = 0; run < 12; ++run) {
        state.effects.worldShapes.clear();
        beamTimerStep(state, towns, beamTimerValue(state, towns));
        scores.push_back(state.score);
        // Each beaming run draws a line from the town to the hull under the camera in the next frame.
        const std::vector<WorldShape> beam = state.effects.worldShapes;
        ASSERT_EQ(beam.size(), run < 3 ? 1u : 0u) << run;
        EXPECT_TRUE(run >= 3 ||
                    (beam[0].kind == WorldShape::Kind::Line && beam[0].position.z == -10.0f &&
                     beam[0].end.y == -1.0f && beam[0].end.z == 0.0f && beam[0].size == 20.0f &&
                     beam[0].colour == Colour{0.0f, 1.0f, 1.0f, 1.0f} && state.evacMessageCount == 0));
        // The run after the last person ends the beaming and shows the message, six runs in a row.
        const bool shown = run >= 3 && run < 9;
        ASSERT_EQ(state.effects.screenTexts.size(), shown ? 1u : 0u) << run;
        EXPECT_TRUE(!shown || state.effects.screenTexts[0].text == "Stadt evakuiiert: Bonn");
        EXPECT_EQ(state.beamingActive, run < 3) << run;
    }
    EXPECT_EQ(scores, (std::vector<int>{1, 2, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7})) << "five for the last one";
    EXPECT_EQ(std::make_tuple(state.torpedoes, towns[0].inhabitants), std::make_tuple(6, 4));

    // The last run after the end of a game announces nothing over the end screen.
    state.evacMessageCount = 0;
    state.gameOver = true;
    beamTimerStep(state, towns, 0);
    EXPECT_TRUE(state.effects.screenTexts.empty());
}

TEST(Instruments, LifeBarHeatFillNumbersAndTheRecordOfANewGame) {
    for (const auto& [life, texture] :
         {std::pair{INT_MAX, 9}, {91, 9}, {90, 9}, {89, 8}, {10, 1}, {9, 0}, {1, 0}, {0, 10}, {INT_MIN, 10}})
        EXPECT_EQ(lifeBarTexture(life), texture) << life;
    EXPECT_EQ(heatFillTop(0), kHeatFillBottom) << "a cold gun shows no fill";
    EXPECT_NEAR(heatFillTop(91), 0.76f, 1e-6f);
    EXPECT_EQ(intToString(INT_MIN), "-2147483648");

    // Every new game starts from the same fields; the life, the water and the gun's heat carry over.
    GameState state;
    state.score = state.shotsFired = state.shotHits = state.sosFrame = state.evacMessageCount = 7;
    state.torpedoState = state.gunBarrelAngle = state.muzzleFlashFrame = state.causticFrame = 7;
    state.heading = state.pitch = state.waterLevel = 30.0f;
    state.beamingActive = true;
    state.lifePoints = state.gunHeat = 40;
    resetPerGameFields(state);
    EXPECT_EQ(
        std::vector<int>({state.score, state.shotsFired, state.shotHits, state.sosFrame,
                          state.evacMessageCount, state.torpedoState, state.gunBarrelAngle,
                          state.muzzleFlashFrame, state.causticFrame, state.mouseLastX, state.mouseLastY,
                          state.torpedoes, state.lifePoints, state.gunHeat, state.beamingActive}),
        std::vector<int>({0, 0, 0, 0, 0, 0, 0, 0, 0, 400, 400, 5, 40, 40, 0}));
    EXPECT_EQ(std::make_tuple(state.heading, state.pitch, state.causticScale, state.waterLevel),
              std::make_tuple(0.0f, 0.0f, 0.75f, 30.0f));
}
