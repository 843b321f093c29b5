#include "core/GameState.h"
#include "towns/Beaming.h"
#include "towns/Stadt.h"
#include "towns/TownList.h"
#include "world/BitmapReader.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// A floor whose height encodes the position, so every placement can be checked against its grid point.
void fillSlopedGrid() {
    BitmapImage image;
    image.width = kGridColumns;
    image.height = kGridRows;
    image.pixels = std::make_unique<uint8_t[]>(static_cast<size_t>(kGridColumns) * kGridRows * 3);
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            image.pixels[(static_cast<size_t>(row) * kGridColumns + column) * 3] =
                static_cast<uint8_t>((column + 3 * row) % 256);
    ASSERT_TRUE(fillTerrainGrid(image, 20.0f));
}

Stadt townAt(float x, float y, float z, int inhabitants = 10) {
    return Stadt(x, y, z, inhabitants, "T");
}

} // namespace

TEST(Towns, TownsAndStartPointsStandOnTheirGridPointsWithTheirOffsets) {
    fillSlopedGrid();
    const std::vector<Stadt> towns = makeTowns();
    ASSERT_EQ(towns.size(), 21u);
    EXPECT_EQ(std::accumulate(towns.begin(), towns.end(), 0,
                              [](int sum, const Stadt& town) { return sum + town.inhabitants; }),
              390);
    struct Case {
        Vec3 placed;
        int column, row;
        double dx, dy, dz;
    };
    const Vec3d start3 = startPoint(3), start4 = startPoint(9); // draws are taken modulo the five points
    const Case cases[] = {
        {towns[0].position, 415, 260, 0.0, 0.5, 0.0},       // Karlsruhe
        {towns[15].position, 685, 309, -180.0, -48.0, 0.0}, // Nuernberg, off its grid point onto the floor
        {start3.toFloat(), 412, 262, 25.0, 4.0, 0.0},
        {start4.toFloat(), 538, 191, -10.0, 6.0, -10.0},
    };
    for (const Case& c : cases) {
        const TerrainVertex& point = terrainGrid[c.column][c.row];
        EXPECT_FLOAT_EQ(c.placed.x, static_cast<float>(point.x + c.dx)) << c.column;
        EXPECT_FLOAT_EQ(c.placed.y, static_cast<float>(point.y + c.dy)) << c.column;
        EXPECT_FLOAT_EQ(c.placed.z, static_cast<float>(point.z + c.dz)) << c.column;
    }
    EXPECT_EQ(towns[15].name, "Nuernberg");
    EXPECT_EQ(towns[0].inhabitants, 10);
}

TEST(Towns, NearestTownKeepsTheEarlierOfEqualsAndFindsEmptiedTowns) {
    std::vector<Stadt> towns{townAt(10, 0, 0), townAt(-10, 0, 0), townAt(0, 0, -5, 0)};
    EXPECT_EQ(findNearestTown(towns, {0, 0, 0}), 2); // an evacuated town is still a town
    towns[2].position = {0, 0, -10};
    EXPECT_EQ(findNearestTown(towns, {0, 0, 0}), 0); // three at 10: the first wins
    EXPECT_EQ(findNearestTown(towns, {-9, 0, 0}), 1);
    EXPECT_EQ(findNearestTown({}, {0, 0, 0}), -1);
    // Farther than the search's starting distance counts as none.
    EXPECT_EQ(findNearestTown({townAt(20000, 0, 0)}, {0, 0, 0}), -1);

    // The beam timer's next value: the nearest town's inhabitants, none without a town.
    GameState state;
    towns[1].inhabitants = 7;
    for (const auto& [nearest, value] : {std::pair{1, 7}, {2, 0}, {-1, 0}, {3, 0}}) {
        state.nearestTown = nearest;
        EXPECT_EQ(beamTimerValue(state, towns), value) << nearest;
    }
}

TEST(Towns, SignTurnsTwoDegreesAndTownsShowWithin175) {
    int angle = 0;
    for (int drawing = 0; drawing < 180; ++drawing)
        angle = nextSignAngle(angle);
    EXPECT_EQ(angle, 360);
    EXPECT_EQ(nextSignAngle(angle), 0);

    EXPECT_TRUE(townInDrawingRange(distance({0, 0, 0}, {174.99f, 0, 0})));
    EXPECT_FALSE(townInDrawingRange(distance({0, 0, 0}, {175.0f, 0, 0})));
    EXPECT_FALSE(townInDrawingRange(distance({0, 0, 0}, {105.0f, 140.0f, 0})));
}

TEST(GameStateReset, EveryNewGameStartsFromTheSameFieldsAndKeepsTheRest) {
    GameState state;
    state.score = state.shotsFired = state.shotHits = state.sosFrame = state.evacMessageCount = 7;
    state.torpedoes = state.torpedoState = state.gunBarrelAngle = state.muzzleFlashFrame = 1;
    state.heading = state.pitch = 30.0f;
    state.causticFrame = 12;
    state.beamingActive = true;
    state.lifePoints = 40;
    state.waterLevel = 12.5f;
    state.gunHeat = 33;
    resetPerGameFields(state);
    EXPECT_EQ(std::vector<int>({state.score, state.shotsFired, state.shotHits, state.sosFrame,
                                state.evacMessageCount, state.torpedoState, state.gunBarrelAngle,
                                state.muzzleFlashFrame, state.causticFrame, state.mouseLastX,
                                state.mouseLastY, state.torpedoes}),
              std::vector<int>({0, 0, 0, 0, 0, 0, 0, 0, 0, 400, 400, 5}));
    EXPECT_EQ(state.heading, 0.0f);
    EXPECT_EQ(state.pitch, 0.0f);
    EXPECT_FLOAT_EQ(state.causticScale, 0.75f);
    EXPECT_FALSE(state.beamingActive);
    // Not per-game fields: the life points, the water and the gun's heat carry over.
    EXPECT_EQ(state.lifePoints, 40);
    EXPECT_FLOAT_EQ(state.waterLevel, 12.5f);
    EXPECT_EQ(state.gunHeat, 33);
}
