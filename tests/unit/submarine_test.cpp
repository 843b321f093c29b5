#include "core/GameState.h"
#include "player/Submarine.h"

#include <gtest/gtest.h>

TEST(Submarine, VerticalMovesStayMoreThanOneUnitUnderTheCeiling) {
    struct Case {
        double y, vy;
        float waterLevel;
        double wantY;
        const char* what;
    };
    const Case cases[] = {
        {20.5, 0.0, 20.0f, 19.0, "above the water: put one unit below it"},
        {20.0, 0.0, 20.0f, 19.0, "exactly at the water counts as at the ceiling"},
        {20.5, 0.3, 20.0f, 19.0, "at the ceiling a rise is dropped"},
        {20.5, -0.3, 20.0f, 18.7, "at the ceiling a fall still applies"},
        {18.5, 0.4, 20.0f, 18.9, "a rise that ends more than a unit below applies"},
        {18.5, 0.6, 20.0f, 18.5, "a rise into the margin is dropped"},
        {19.5, -0.5, 20.0f, 19.5, "just under the ceiling a fall of half a unit still ends in the margin"},
        {19.5, -0.51, 20.0f, 19.5 - 0.51, "a fall of more than half a unit gets out of it"},
        {10.0, 0.0, 9.5f, 8.5, "a sunken ceiling drags the submarine down"},
    };
    for (const Case& c : cases) {
        GameState state;
        state.playerPos = {0.0, c.y, 0.0};
        state.playerVel = {0.0, c.vy, 0.0};
        state.waterLevel = c.waterLevel;
        advanceSubmarine(state);
        EXPECT_DOUBLE_EQ(state.playerPos.y, c.wantY) << c.what;
        // A dropped move keeps its velocity, damped as usual.
        EXPECT_DOUBLE_EQ(state.playerVel.y, c.vy * 0.97) << c.what;
    }
}

TEST(Submarine, MovesByTheVelocityBeforeDampingItAndComesToRestAtTheThreshold) {
    GameState state;
    state.playerPos = {100.0, -20.0, -100.0};
    state.playerVel = {0.4, 0.0, -0.2};
    advanceSubmarine(state);
    EXPECT_DOUBLE_EQ(state.playerPos.x, 100.4);
    EXPECT_DOUBLE_EQ(state.playerPos.z, -100.2);
    EXPECT_DOUBLE_EQ(state.playerVel.z, -0.2 * 0.97);
    advanceSubmarine(state);
    EXPECT_DOUBLE_EQ(state.playerPos.x, 100.4 + 0.4 * 0.97);

    // The threshold counts as at rest on both sides; just above it the component is still damped.
    state.playerVel = {0.00025, -0.00025, 0.00026};
    advanceSubmarine(state);
    EXPECT_EQ(state.playerVel.x, 0.0);
    EXPECT_EQ(state.playerVel.y, 0.0);
    EXPECT_NEAR(state.playerVel.z, 0.0002522, 1e-12);

    // 0.4 decays geometrically: at or under the threshold after 243 ticks, exactly zero at the 244th.
    state.playerVel = {0.4, 0.0, 0.0};
    for (int i = 0; i < 243; ++i)
        advanceSubmarine(state);
    EXPECT_GT(state.playerVel.x, 0.0);
    advanceSubmarine(state);
    EXPECT_EQ(state.playerVel.x, 0.0);
}

TEST(Submarine, GameEndsAtAnyLifeBelowOne) {
    for (int life : {1, 0, -3}) {
        GameState state;
        state.lifePoints = life;
        state.effects.showText("Stadt evakuiiert: Ulm", 0.0f, 0.0f, {});
        EXPECT_EQ(endGameIfDestroyed(state), life < 1) << life;
        EXPECT_EQ(state.effects.screenTexts.empty(), life < 1) << "the end screen is not covered";
        EXPECT_EQ(state.gameOver, life < 1) << life;
        EXPECT_EQ(state.gameEnded, life < 1) << life;
    }
}
