#include "core/GameState.h"
#include "player/Submarine.h"

#include <gtest/gtest.h>

namespace {

GameState submarineAt(double y, double vy, float waterLevel = 20.0f) {
    GameState state;
    state.playerPos = {0.0, y, 0.0};
    state.playerVel = {0.0, vy, 0.0};
    state.waterLevel = waterLevel;
    return state;
}

} // namespace

TEST(Tick, CeilingPushesSubmarineBelowTheWaterAndDropsUpwardMoves) {
    // At or above the water: put one unit below it, then only a downward move is applied.
    GameState above = submarineAt(20.5, 0.0);
    advanceSubmarine(above);
    EXPECT_DOUBLE_EQ(above.playerPos.y, 19.0);

    GameState rising = submarineAt(20.5, 0.3);
    advanceSubmarine(rising);
    EXPECT_DOUBLE_EQ(rising.playerPos.y, 19.0);

    GameState sinking = submarineAt(20.5, -0.3);
    advanceSubmarine(sinking);
    EXPECT_DOUBLE_EQ(sinking.playerPos.y, 18.7);

    // Exactly at the water level counts as at the ceiling.
    GameState atLevel = submarineAt(20.0, 0.0);
    advanceSubmarine(atLevel);
    EXPECT_DOUBLE_EQ(atLevel.playerPos.y, 19.0);
}

TEST(Tick, VerticalMoveAppliesOnlyIfItEndsMoreThanOneUnitBelowTheCeiling) {
    GameState small = submarineAt(18.5, 0.4);
    advanceSubmarine(small);
    EXPECT_DOUBLE_EQ(small.playerPos.y, 18.9);

    GameState tooFar = submarineAt(18.5, 0.6);
    advanceSubmarine(tooFar);
    EXPECT_DOUBLE_EQ(tooFar.playerPos.y, 18.5);
    // The dropped move keeps its velocity, damped as usual.
    EXPECT_DOUBLE_EQ(tooFar.playerVel.y, 0.6 * 0.97);

    // Just under the ceiling only a fall of more than half a unit moves the submarine.
    GameState nearTop = submarineAt(19.5, -0.5);
    advanceSubmarine(nearTop);
    EXPECT_DOUBLE_EQ(nearTop.playerPos.y, 19.5);
    GameState falls = submarineAt(19.5, -0.51);
    advanceSubmarine(falls);
    EXPECT_DOUBLE_EQ(falls.playerPos.y, 19.5 - 0.51);

    // A sunken water level drags the submarine down with it.
    GameState sunk = submarineAt(10.0, 0.0, 9.5f);
    advanceSubmarine(sunk);
    EXPECT_DOUBLE_EQ(sunk.playerPos.y, 8.5);
}

TEST(Tick, HorizontalMotionUsesTheVelocityBeforeDamping) {
    GameState state;
    state.playerPos = {100.0, -20.0, -100.0};
    state.playerVel = {0.4, 0.0, -0.2};
    advanceSubmarine(state);
    EXPECT_DOUBLE_EQ(state.playerPos.x, 100.4);
    EXPECT_DOUBLE_EQ(state.playerPos.z, -100.2);
    EXPECT_DOUBLE_EQ(state.playerVel.x, 0.4 * 0.97);
    EXPECT_DOUBLE_EQ(state.playerVel.z, -0.2 * 0.97);
    advanceSubmarine(state);
    EXPECT_DOUBLE_EQ(state.playerPos.x, 100.4 + 0.4 * 0.97);
}

TEST(Tick, DampingStopsComponentsAtTheRestThresholdInclusive) {
    GameState state;
    state.playerPos = {0.0, -50.0, 0.0};
    state.playerVel = {0.00025, -0.00025, 0.00026};
    advanceSubmarine(state);
    EXPECT_EQ(state.playerVel.x, 0.0);
    EXPECT_EQ(state.playerVel.y, 0.0);
    EXPECT_NEAR(state.playerVel.z, 0.0002522, 1e-12);

    // 0.4 decays geometrically: at or under the threshold after 243 ticks, exactly zero at the 244th.
    GameState coasting;
    coasting.playerPos = {0.0, -50.0, 0.0};
    coasting.playerVel = {0.4, 0.0, 0.0};
    for (int i = 0; i < 243; ++i)
        advanceSubmarine(coasting);
    EXPECT_GT(coasting.playerVel.x, 0.0);
    EXPECT_LE(coasting.playerVel.x, 0.00025);
    advanceSubmarine(coasting);
    EXPECT_EQ(coasting.playerVel.x, 0.0);
}

TEST(Tick, GameEndsAtAnyLifeBelowOne) {
    for (int life : {0, -3, -100}) {
        GameState state;
        state.lifePoints = life;
        EXPECT_TRUE(endGameIfDestroyed(state)) << life;
        EXPECT_TRUE(state.gameOver);
        EXPECT_TRUE(state.gameEnded);
    }
    GameState alive;
    alive.lifePoints = 1;
    EXPECT_FALSE(endGameIfDestroyed(alive));
    EXPECT_FALSE(alive.gameOver);
    EXPECT_FALSE(alive.gameEnded);
}

TEST(GameStateLoad, FreshStateHoldsTheLoadValues) {
    GameState state;
    EXPECT_FLOAT_EQ(state.eyePos.x, 0.0f);
    EXPECT_FLOAT_EQ(state.eyePos.y, 1.0f);
    EXPECT_FLOAT_EQ(state.eyePos.z, 3.0f);
    EXPECT_EQ(state.lifePoints, 100);
    EXPECT_EQ(state.torpedoes, 0);
    EXPECT_FLOAT_EQ(state.waterLevel, 20.0f);
    EXPECT_EQ(state.nearestTown, -1);
    EXPECT_FALSE(state.gameOver || state.gameEnded);
}
