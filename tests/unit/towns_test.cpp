#include "core/GameState.h"
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
    image.width = 1024;
    image.height = 512;
    image.pixels = std::make_unique<uint8_t[]>(1024 * 512 * 3);
    for (int row = 0; row < 512; ++row)
        for (int column = 0; column < 1024; ++column)
            image.pixels[(static_cast<size_t>(row) * 1024 + column) * 3] =
                static_cast<uint8_t>((column + 3 * row) % 256);
    ASSERT_TRUE(fillTerrainGrid(image, 20.0f));
}

Stadt townAt(float x, float y, float z, int inhabitants = 10) {
    return Stadt(x, y, z, inhabitants, "T");
}

} // namespace

TEST(Towns, TheValleysTwentyOneTownsStandOnTheirGridPoints) {
    fillSlopedGrid();
    const std::vector<Stadt> towns = makeTowns();
    ASSERT_EQ(towns.size(), 21u);
    EXPECT_EQ(towns.front().name, "Karlsruhe");
    EXPECT_EQ(towns.back().name, "Hamburg");
    EXPECT_EQ(std::accumulate(towns.begin(), towns.end(), 0,
                              [](int sum, const Stadt& town) { return sum + town.inhabitants; }),
              390);

    const TerrainVertex& karlsruhe = terrainGrid[415][260];
    EXPECT_FLOAT_EQ(towns[0].position.x, karlsruhe.x);
    EXPECT_FLOAT_EQ(towns[0].position.y, static_cast<float>(karlsruhe.y + 0.5));
    EXPECT_FLOAT_EQ(towns[0].position.z, karlsruhe.z);
    EXPECT_EQ(towns[0].inhabitants, 10);

    const TerrainVertex& nuernberg = terrainGrid[685][309];
    EXPECT_EQ(towns[15].name, "Nuernberg");
    EXPECT_FLOAT_EQ(towns[15].position.x, nuernberg.x - 180.0f);
    EXPECT_FLOAT_EQ(towns[15].position.y, nuernberg.y - 48.0f);
    EXPECT_FLOAT_EQ(towns[15].position.z, nuernberg.z);
    for (const Stadt& town : towns) {
        EXPECT_EQ(town.signAngle, 0);
        EXPECT_EQ(town.displayList, 0u); // models are compiled by the drawing side
    }
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
}

TEST(Towns, SignTurnsTwoDegreesAndWrapsAfterShowingThreeHundredSixty) {
    int angle = 0;
    for (int drawing = 0; drawing < 180; ++drawing)
        angle = nextSignAngle(angle);
    EXPECT_EQ(angle, 360);
    EXPECT_EQ(nextSignAngle(angle), 0);
    EXPECT_EQ(nextSignAngle(358), 360);
}

TEST(Towns, OnlyTownsNearerThan175AreDrawn) {
    EXPECT_TRUE(townInDrawingRange(distance({0, 0, 0}, {174.99f, 0, 0})));
    EXPECT_FALSE(townInDrawingRange(distance({0, 0, 0}, {175.0f, 0, 0})));
    EXPECT_FALSE(townInDrawingRange(distance({0, 0, 0}, {105.0f, 140.0f, 0})));
}

TEST(WorldStart, StartPointsSitOnTheirGridPointsWithTheirOffsets) {
    fillSlopedGrid();
    const TerrainVertex& point3 = terrainGrid[412][262];
    const Vec3d start3 = startPoint(3);
    EXPECT_DOUBLE_EQ(start3.x, point3.x + 25.0);
    EXPECT_DOUBLE_EQ(start3.y, point3.y + 4.0);
    EXPECT_DOUBLE_EQ(start3.z, point3.z);
    const TerrainVertex& point4 = terrainGrid[538][191];
    const Vec3d start4 = startPoint(4);
    EXPECT_DOUBLE_EQ(start4.x, point4.x - 10.0);
    EXPECT_DOUBLE_EQ(start4.y, point4.y + 6.0);
    EXPECT_DOUBLE_EQ(start4.z, point4.z - 10.0);
    EXPECT_DOUBLE_EQ(startPoint(0).y, terrainGrid[104][350].y + 4.0);
}

TEST(WorldStart, EveryNewGameStartsFromTheSameFieldsAndKeepsTheRest) {
    GameState state;
    state.score = 77;
    state.torpedoes = 1;
    state.heading = 30.0f;
    state.causticFrame = 12;
    state.beamingActive = true;
    state.lifePoints = 40;
    state.waterLevel = 12.5f;
    state.gunHeat = 33;
    resetPerGameFields(state);
    EXPECT_EQ(state.score, 0);
    EXPECT_EQ(state.torpedoes, 5);
    EXPECT_EQ(state.heading, 0.0f);
    EXPECT_EQ(state.causticFrame, 0);
    EXPECT_FLOAT_EQ(state.causticScale, 0.75f);
    EXPECT_EQ(state.mouseLastX, 400);
    EXPECT_FALSE(state.beamingActive);
    // Not a per-game field: the life points, the water and the gun's heat carry over.
    EXPECT_EQ(state.lifePoints, 40);
    EXPECT_FLOAT_EQ(state.waterLevel, 12.5f);
    EXPECT_EQ(state.gunHeat, 33);
}

TEST(Towns, OnTheGeneratedValleyEveryTownStandsOnTheFloorUnderWater) {
    BitmapImage valley;
    ASSERT_EQ(loadBitmap("Texturen/valleyDepth.bmp", valley), bitmap_result::ok);
    ASSERT_TRUE(fillTerrainGrid(valley, 20.0f));
    const std::vector<Stadt> towns = makeTowns();
    for (size_t i = 0; i < towns.size(); ++i) {
        const Stadt& town = towns[i];
        const auto cell = gridCellAt(town.position.x, town.position.z);
        ASSERT_TRUE(cell) << town.name;
        const float ground = terrainGrid[cell->column][cell->row].y;
        // Models sit a little above or below their grid point; none floats or is buried.
        EXPECT_NEAR(town.position.y, ground, 3.0f) << town.name;
        EXPECT_LE(town.position.y, 0.0f) << town.name << " must lie under at least 20 units of water";
    }
    EXPECT_EQ(gridCellAt(towns[15].position.x, towns[15].position.z)->column, 640);

    // The submarine starts in open water above the floor, never inside it.
    for (int k = 0; k < 5; ++k) {
        const Vec3d start = startPoint(k);
        const auto cell = gridCellAt(start.x, start.z);
        ASSERT_TRUE(cell);
        EXPECT_GE(start.y - terrainGrid[cell->column][cell->row].y, 3.0) << "start point " << k;
        EXPECT_LE(start.y, 17.0) << "start point " << k;
    }
}
