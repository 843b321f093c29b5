#include "app/Frame.h"
#include "app/Game.h"
#include "app/Input.h"
#include "app/TimerCallbacks.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"
#include "world/CausticsGl.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <set>
#include <span>
#include <sstream>

namespace {

// World initialisation with its progress lines kept off the test's console.
void initWorldQuietly() {
    std::ostringstream progress;
    std::streambuf* console = std::cout.rdbuf(progress.rdbuf());
    initWorld();
    std::cout.rdbuf(console);
}

// Every display list the world holds: the floor's first list and one per town.
std::set<unsigned int> worldLists() {
    std::set<unsigned int> lists{game.terrainList};
    for (const Stadt& town : game.towns)
        lists.insert(town.displayList);
    return lists;
}

// The names of all four texture groups.
std::set<unsigned int> worldTextureNames() {
    std::set<unsigned int> names;
    for (auto group :
         {std::span<const unsigned int>(game.worldTextures),
          std::span<const unsigned int>(game.sceneTextures), std::span<const unsigned int>(game.hudTextures),
          std::span<const unsigned int>(game.causticTextures)})
        names.insert(group.begin(), group.end());
    return names;
}

// One world for the whole suite: building it costs a second under the sanitisers.
class World : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        reshape(800, 600);
        prepareFirstFrame();
        initWorldQuietly();
        renderFrame();
    }

    void SetUp() override {
        game.pitch = game.aimPitch = 0.0f;
        game.heading = game.aimHeading = 0.0f;
        game.cullHiddenFloor = true;
        game.drawFloor = true;
    }

    // Points the camera from `from` at `target` (heading turns left, pitch tilts down).
    static void look(const Vec3d& from, const Vec3& target) {
        game.playerPos = from;
        const double dx = target.x - from.x, dy = target.y - from.y, dz = target.z - from.z;
        const double heading = std::atan2(-dx, -dz) * 180.0 / M_PI;
        const double pitch = -std::atan2(dy, std::hypot(dx, dz)) * 180.0 / M_PI;
        game.heading = game.aimHeading = static_cast<float>(heading);
        game.pitch = game.aimPitch = static_cast<float>(pitch);
    }

    // Every drawn frame moves the water; two frames meant to match must start from the same surface.
    struct WaterSnapshot {
        std::vector<float> heights;
        int phase = 0;
    };
    static WaterSnapshot saveWater() {
        WaterSnapshot snapshot{{}, game.wavePhase};
        for (const auto& column : terrainGrid)
            for (const TerrainVertex& point : column)
                snapshot.heights.push_back(point.water);
        return snapshot;
    }
    static void restoreWater(const WaterSnapshot& snapshot) {
        size_t i = 0;
        for (auto& column : terrainGrid)
            for (TerrainVertex& point : column)
                point.water = snapshot.heights[i++];
        game.wavePhase = snapshot.phase;
    }
};

double maxChannelDifference(const cv::Mat& a, const cv::Mat& b) {
    cv::Mat difference;
    cv::absdiff(a, b, difference);
    double highest = 0.0;
    cv::minMaxLoc(difference.reshape(1), nullptr, &highest);
    return highest;
}

} // namespace

TEST_F(World, FloorIsTexturedAndTheWaterCeilingShowsAbove) {
    game.playerPos = startPoint(0);
    game.pitch = game.aimPitch = 20.0f; // looking down at the seabed
    const cv::Mat floor = renderFrame();
    const cv::Rect lowerHalf(0, 300, 800, 300);
    const cv::Scalar sand = meanColour(floor, lowerHalf);
    EXPECT_GT(sand[2], sand[0] + 15)
        << "the seabed should be sandy, not the blue of the fog or grey stand-ins";
    cv::Scalar mean, spread;
    cv::meanStdDev(floor(lowerHalf), mean, spread);
    EXPECT_GT(spread[1], 6.0) << "a textured floor varies; a flat colour does not";
    EXPECT_GT(sand[1], 0.7 * sand[2]) << "white light keeps the sand's green: " << sand;

    game.pitch = game.aimPitch = -60.0f; // looking up at the ceiling
    const cv::Mat ceiling = renderFrame();
    const cv::Scalar water = meanColour(ceiling, {200, 100, 400, 200});
    EXPECT_GT(water[0], 0.3 * 255 + 15) << "the ceiling is brighter blue than the bare clear colour";
    EXPECT_GT(water[0], water[2] + 40);
}

TEST_F(World, TheNearestTownWithItsSosSignIsSeenFromEveryStartPoint) {
    for (int k = 0; k < 5; ++k) {
        const Vec3d start = startPoint(k);
        const int nearest = findNearestTown(game.towns, start.toFloat());
        ASSERT_GE(nearest, 0);
        const Stadt& town = game.towns[static_cast<size_t>(nearest)];
        ASSERT_LT(distance(start.toFloat(), town.position), 175.0f) << "start point " << k;
        look(start, {town.position.x, town.position.y + 2.0f, town.position.z});

        std::vector<Stadt> towns = std::move(game.towns);
        game.towns.clear();
        const cv::Mat without = renderFrame();
        game.towns = std::move(towns);

        // The sign spins; over a quarter turn it faces the camera at some point.
        int signPixels = 0;
        int townPixels = 0;
        for (int frame = 0; frame < 45 && signPixels < 10; ++frame) {
            const cv::Mat with = renderFrame();
            cv::Mat difference;
            cv::absdiff(with, without, difference);
            townPixels = std::max(townPixels, cv::countNonZero(difference.reshape(1) > 20));
            signPixels = 0;
            for (int y = 0; y < with.rows; ++y)
                for (int x = 0; x < with.cols; ++x) {
                    // Red over the fog: the sign is tinted red and added onto the scene.
                    const cv::Vec3b pixel = with.at<cv::Vec3b>(y, x);
                    signPixels += pixel[2] > 90 && pixel[2] > pixel[1] + 50 && pixel[2] > pixel[0] + 25;
                }
        }
        EXPECT_GT(townPixels, 100) << "start point " << k << ": the town " << town.name << " is not drawn";
        EXPECT_GE(signPixels, 10) << "start point " << k << ": no red SOS sign over " << town.name;
    }
    // Every town gives back the matrices it pushed, frame after frame.
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(World, CullingTheFloorChangesNoPixel) {
    // Towns spin their signs every frame; leave them out of the comparison.
    std::vector<Stadt> towns = std::move(game.towns);
    game.towns.clear();
    for (int k = 0; k < 5; ++k)
        for (float heading : {0.0f, 135.0f, 250.0f}) {
            game.playerPos = startPoint(k);
            game.heading = game.aimHeading = heading;
            game.pitch = game.aimPitch = 8.0f;
            const WaterSnapshot water = saveWater();
            game.cullHiddenFloor = false;
            const cv::Mat everything = renderFrame();
            restoreWater(water);
            game.cullHiddenFloor = true;
            const cv::Mat culled = renderFrame();
            EXPECT_LE(maxChannelDifference(everything, culled), 1.0)
                << "start " << k << " heading " << heading;
        }
    game.towns = std::move(towns);
}

TEST_F(World, CausticsMoveBetweenTwoCausticFrames) {
    game.playerPos = startPoint(2);
    game.pitch = game.aimPitch = 25.0f;
    const WaterSnapshot water = saveWater();
    const cv::Mat before = renderFrame();
    causticTimer(1);
    causticTimer(1);
    restoreWater(water);
    const cv::Mat after = renderFrame();
    cv::Mat difference;
    cv::absdiff(before(cv::Rect(0, 350, 800, 250)), after(cv::Rect(0, 350, 800, 250)), difference);
    EXPECT_GT(cv::mean(difference)[1], 2.0) << "the light pattern on the floor should move";
    EXPECT_EQ(game.causticFrame, 2);
}

TEST_F(World, ASecondInitialisationReplacesTownsListsAndTexturesInsteadOfAddingThem) {
    const std::set<unsigned int> oldLists = worldLists();
    const std::set<unsigned int> oldTextures = worldTextureNames();

    initWorldQuietly();

    ASSERT_EQ(game.towns.size(), 21u);
    ASSERT_GE(game.nearestTown, 0);
    ASSERT_LT(game.nearestTown, 21);
    for (const Stadt& town : game.towns)
        EXPECT_TRUE(glIsList(town.displayList));
    const std::set<unsigned int> newLists = worldLists();
    EXPECT_EQ(newLists.size(), 22u) << "every town has its own model";
    for (unsigned int list : oldLists)
        EXPECT_TRUE(newLists.count(list) || !glIsList(list)) << "display list " << list << " leaked";

    const std::set<unsigned int> newTextures = worldTextureNames();
    EXPECT_EQ(newTextures.size(), 80u);
    for (unsigned int texture : oldTextures)
        EXPECT_TRUE(newTextures.count(texture) || !glIsTexture(texture))
            << "texture " << texture << " leaked";
}

namespace {
std::vector<TimerId> armedTimers;
void recordArmed(TimerId id, unsigned int, int) {
    armedTimers.push_back(id);
}
} // namespace

TEST_F(World, RestartKeyBringsBackTheTownsAndEveryStoppedTimerOnce) {
    game.gameOver = game.gameEnded = true;
    game.lifePoints = -4;
    game.playerVel = {0.1, 0.0, -0.2};
    game.gunHeat = 35;
    game.towns[3].inhabitants = 0;
    game.nearestTown = 20;
    game.timerPending = {};
    game.timerPending[static_cast<size_t>(TimerId::LowerWater)] = true; // its last run is still to come
    armedTimers.clear();
    game.scheduleTimer = recordArmed;

    std::ostringstream progress;
    std::streambuf* console = std::cout.rdbuf(progress.rdbuf());
    keyboard('y', 0, 0);
    keyboard('y', 0, 0); // the game runs again: a second press arms nothing twice
    std::cout.rdbuf(console);
    game.scheduleTimer = nullptr;

    EXPECT_EQ(armedTimers, (std::vector<TimerId>{TimerId::Tick, TimerId::Town, TimerId::Beam, TimerId::Gun,
                                                 TimerId::Caustic, TimerId::Enemy}));
    ASSERT_EQ(game.towns.size(), 21u);
    EXPECT_EQ(game.towns[3].inhabitants, kTownTable[3].inhabitants);
    ASSERT_GE(game.nearestTown, 0);
    EXPECT_LT(game.nearestTown, 21);
    EXPECT_FALSE(game.gameOver);
    EXPECT_TRUE(game.gameEnded);
    EXPECT_EQ(game.lifePoints, 100);
    EXPECT_EQ(game.torpedoes, 5);
    EXPECT_EQ(game.playerPos.x, 200.0);
    EXPECT_EQ(game.playerPos.z, -50.0);
    EXPECT_EQ(game.playerVel.z, -0.2) << "the restart leaves the velocity alone";
    EXPECT_EQ(game.gunHeat, 35);
}
