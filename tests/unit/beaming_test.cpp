#include "app/Instruments.h"
#include "core/GameState.h"
#include "towns/Beaming.h"
#include "towns/Stadt.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Beaming, ATownOfTenRunToItsEndAndTheMessageAfterIt) {
    std::vector<Stadt> towns{Stadt(50.0f, 0.0f, 0.0f, 4, "Ulm"), Stadt(0.0f, -5.0f, -10.0f, 10, "Bonn")};
    GameState state;
    state.playerPos = {0.0, 0.0, 0.0};
    state.torpedoes = 5;
    updateNearestTown(state, towns);
    ASSERT_EQ(state.nearestTown, 1);

    // Runs before the B key beam nothing.
    int value = 1;
    beamTimerStep(state, towns, value);
    EXPECT_EQ(state.score, 0);
    EXPECT_TRUE(state.effects.worldShapes.empty());

    state.beamingActive = true;
    state.evacMessageCount = 3; // left from an earlier town: a beaming step starts the count again
    std::vector<int> scores;
    for (int run = 0; run < 10; ++run) {
        value = beamTimerValue(state, towns);
        beamTimerStep(state, towns, value);
        scores.push_back(state.score);
        // Each step records one beam line from the town to the submarine for the next frame.
        ASSERT_EQ(state.effects.worldShapes.size(), 1u) << run;
        const WorldShape& beam = state.effects.worldShapes[0];
        EXPECT_EQ(beam.kind, WorldShape::Kind::Line);
        EXPECT_EQ(beam.position.z, -10.0f);
        EXPECT_EQ(beam.end.z, 0.0f);
        EXPECT_EQ(beam.end.y, -1.0f) << "the hull under the camera, or the beam runs along the line of sight";
        EXPECT_EQ(beam.colour, (Colour{0.0f, 1.0f, 1.0f, 1.0f}));
        EXPECT_EQ(beam.size, 20.0f);
        state.effects.worldShapes.clear();
        EXPECT_EQ(state.evacMessageCount, 0);
    }
    EXPECT_EQ(scores, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 14}));
    EXPECT_EQ(state.torpedoes, 6) << "one torpedo for the emptied town, and only one";
    EXPECT_TRUE(state.beamingActive) << "beaming ends only on the next run";
    EXPECT_EQ(towns[1].inhabitants, 0);
    EXPECT_EQ(towns[0].inhabitants, 4);

    // The following runs end the beaming and announce the town six times in a row, then stop.
    int shown = 0;
    for (int run = 0; run < 9; ++run) {
        beamTimerStep(state, towns, beamTimerValue(state, towns));
        EXPECT_FALSE(state.beamingActive);
        EXPECT_TRUE(state.effects.worldShapes.empty());
        if (!state.effects.screenTexts.empty()) {
            ASSERT_EQ(state.effects.screenTexts.size(), 1u) << "one message, not a pile of them";
            EXPECT_EQ(state.effects.screenTexts[0].text, "Stadt evakuiiert: Bonn");
            EXPECT_EQ(run, shown) << "shown in a row from the first run on";
            ++shown;
        }
    }
    EXPECT_EQ(shown, 6);
    EXPECT_EQ(state.score, 14);
    EXPECT_EQ(state.torpedoes, 6);

    // The last run after the end of a game announces nothing over the end screen.
    state.evacMessageCount = 0;
    state.gameOver = true;
    beamTimerStep(state, towns, 0);
    EXPECT_TRUE(state.effects.screenTexts.empty());
}

TEST(Beaming, WithoutATownOrItsInhabitantsNothingIsInReachOrBeamed) {
    std::vector<Stadt> towns{Stadt(0.0f, 0.0f, 0.0f, -2, "A"), Stadt(100.0f, 0.0f, 0.0f, 0, "B")};
    GameState state;
    EXPECT_FALSE(isNearTown(state, towns, {})) << "no town at all";
    for (const auto& [nearest, inReach] : {std::pair{0, true}, {1, false}, {2, false}}) {
        state.nearestTown = nearest;
        const Vec3 at = nearest == 1 ? towns[1].position : Vec3{0.0f, 11.0f, -16.0f};
        EXPECT_EQ(isNearTown(state, towns, at), inReach) << nearest; // -2 left: not 0, still inhabited
    }
    for (int nearest : {1, 2}) {
        state.nearestTown = nearest;
        EXPECT_EQ(beamOnce(state, towns, {}), 0) << nearest;
    }
    EXPECT_EQ(towns[1].inhabitants, 0);
    EXPECT_TRUE(state.effects.worldShapes.empty());
}

TEST(Beaming, TownTimerRunsTheSignAndKeepsTheLastTownWhenNoneIsNear) {
    std::vector<Stadt> towns{Stadt(0.0f, 0.0f, -10.0f, 5, "A"), Stadt(0.0f, 0.0f, 10.0f, 5, "B")};
    GameState state;
    std::vector<int> frames;
    for (int run = 0; run < 5; ++run) {
        townTimerStep(state, towns);
        frames.push_back(state.sosFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1}));
    EXPECT_EQ(state.nearestTown, 0) << "ties keep the earlier town";

    state.playerPos = {0.0, 0.0, 9.0};
    townTimerStep(state, towns);
    EXPECT_EQ(state.nearestTown, 1);
    state.playerPos = {50000.0, 0.0, 0.0};
    townTimerStep(state, towns);
    EXPECT_EQ(state.nearestTown, 1) << "nothing within 10000: the last town stays";
    towns.pop_back();
    townTimerStep(state, towns);
    EXPECT_EQ(state.nearestTown, -1) << "a town the list no longer holds must not stay";
}

TEST(Instruments, LifeBarHeatFillAndNumbers) {
    const std::pair<int, int> lifeBars[] = {{100, 9}, {91, 9},  {90, 9},      {89, 8},
                                            {19, 1},  {10, 1},  {9, 0},       {1, 0},
                                            {0, 10},  {-3, 10}, {INT_MAX, 9}, {INT_MIN, 10}};
    for (const auto& [life, texture] : lifeBars)
        EXPECT_EQ(lifeBarTexture(life), texture) << life;

    EXPECT_EQ(heatFillTop(0), kHeatFillBottom) << "a cold gun shows no fill";
    EXPECT_NEAR(heatFillTop(70), 0.6446f, 1e-4f);
    EXPECT_NEAR(heatFillTop(91), 0.76f, 1e-6f);

    for (const auto& [n, text] :
         {std::pair{0, "0"}, {-3, "-3"}, {5, "5"}, {1000000, "1000000"}, {INT_MIN, "-2147483648"}})
        EXPECT_EQ(intToString(n), text);
}
