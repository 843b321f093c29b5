#include "app/Input.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"
#include "world/CausticsGl.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

namespace {

// The world as the game builds it, seen from its start points. Every frame moves the water: frames meant
// to match start from the same grid.
class World : public GlScene {
protected:
    using Grid = std::vector<TerrainVertex>;
    cv::Mat frameFrom(const Grid& from) {
        game.terrainGrid.points = from;
        game.wavePhase = 0;
        return renderFrame(game);
    }
};

} // namespace

TEST_F(World, SandyFloorUnderABlueCeilingWithCausticsFromTheFirstFrameOn) {
    game.playerPos = startPoint(game.terrainGrid, 0);
    game.pitch = game.aimPitch = 20.0f; // looking down at the seabed
    cv::Scalar sand, spread;
    cv::meanStdDev(renderFrame(game)(cv::Rect(0, 300, 800, 300)), sand, spread);
    EXPECT_GT(sand[2], sand[0] + 15) << "sandy, not the blue of the fog or grey stand-ins";
    EXPECT_GT(sand[1], 0.7 * sand[2]) << "white light keeps the sand's green";
    EXPECT_GT(spread[1], 6.0) << "a textured floor varies";
    game.pitch = game.aimPitch = -60.0f; // looking up
    const cv::Scalar ceiling = meanColour(renderFrame(game), {200, 100, 400, 200});
    EXPECT_GT(ceiling[0], kClearColour[0] + 15) << "brighter blue than the bare clear colour";
    EXPECT_GT(ceiling[0], ceiling[2] + 40);

    // The unit prepared at loading casts its frame before the caustic timer ever ran.
    game.towns.clear(); // their signs turn from frame to frame
    game.playerPos = startPoint(game.terrainGrid, 2);
    game.pitch = game.aimPitch = 25.0f;
    const Grid surface = game.terrainGrid.points;
    const cv::Rect seabed(0, 350, 800, 250);
    const auto moved = [&](const cv::Mat& a, const cv::Mat& b) {
        return cv::norm(a(seabed), b(seabed), cv::NORM_L1) / seabed.area();
    };
    prepareCausticUnit(game);
    const cv::Mat first = frameFrom(surface);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_GT(moved(first, frameFrom(surface)), 6.0) << "no caustics on the floor";
    SoundPlayer silent;
    causticTimer(game, silent, 1);
    causticTimer(game, silent, 1);
    EXPECT_GT(moved(first, frameFrom(surface)), 6.0) << "the caustics did not move";

    // A frame ripples the water around the submarine and nowhere far from it.
    Grid marked = surface;
    for (TerrainVertex& point : marked)
        point.water = 25.0f; // where no ripple step leaves a point
    frameFrom(marked);
    const WaterWindow window = waterWindow(game.playerPos.x, game.playerPos.z);
    int near = 0, all = 0;
    for (int i = window.firstColumn; i <= window.endColumn; ++i)
        for (int j = window.firstRow; j <= window.endRow; ++j)
            near += game.terrainGrid[i][j].water != 25.0f;
    for (size_t k = 0; k < marked.size(); ++k)
        all += game.terrainGrid.points[k].water != 25.0f;
    EXPECT_TRUE(near > 1000 && near == all) << near << " near, " << all << " in all";

    // It leaves the shared generator as the last point it dipped reseeded it, whatever it held before.
    TerrainGrid swept;
    WaterReseed last;
    game.wavePhase = 0; // as frameFrom draws
    for (int j = window.firstRow; j < window.endRow; ++j)
        for (int i = window.firstColumn; i < window.endColumn; ++i)
            waveStep(game, swept, i, j, last);
    std::srand(12345);
    frameFrom(marked);
    const int drawn = std::rand();
    plantReseed(last);
    EXPECT_TRUE(last.due && drawn == std::rand()) << "the frame's water did not reseed the generator";
}

TEST_F(World, TheNearestTownAndItsSosSignShowFromEveryStartPointWithOrWithoutCulling) {
    for (int k = 0; k < 5; ++k) {
        const Vec3d start = startPoint(game.terrainGrid, k);
        const Stadt& town = game.towns.at(static_cast<size_t>(findNearestTown(game.towns, start.toFloat())));
        // Aim at a point just above the town (heading turns left, pitch tilts down).
        game.playerPos = start;
        const double dx = town.position.x - start.x, dy = town.position.y + 2.0 - start.y;
        const double dz = town.position.z - start.z;
        game.heading = game.aimHeading = static_cast<float>(std::atan2(-dx, -dz) * 180.0 / M_PI);
        game.pitch = game.aimPitch = static_cast<float>(-std::atan2(dy, std::hypot(dx, dz)) * 180.0 / M_PI);

        // Without the towns, whose signs turn from frame to frame, culling the floor changes no pixel.
        std::vector<Stadt> towns;
        std::swap(towns, game.towns);
        // The floor and the water take their light from the last normal drawn: each frame compared follows
        // a frame of the same view.
        const Grid surface = game.terrainGrid.points;
        frameFrom(surface);
        game.cullHiddenFloor = false;
        const cv::Mat everything = frameFrom(surface);
        game.cullHiddenFloor = true;
        const cv::Mat without = frameFrom(surface);
        EXPECT_LE(cv::norm(everything, without, cv::NORM_INF), 1.0) << "culling changed the view from " << k;
        std::swap(towns, game.towns);
        // The sign spins; over a quarter turn it faces the camera at some point.
        int signPixels = 0, townPixels = 0;
        for (int frame = 0; frame < 45 && signPixels < 10; ++frame) {
            const cv::Mat with = renderFrame(game);
            townPixels = std::max(townPixels, cv::countNonZero(changes(with, without, {0, 0, 800, 600}, 20)));
            // Red over the fog: the sign is tinted red and added onto the scene.
            cv::Mat bgr[3];
            cv::split(with, bgr);
            signPixels = cv::countNonZero((bgr[2] > 90) & (bgr[2] > bgr[1] + 50) & (bgr[2] > bgr[0] + 25));
        }
        EXPECT_GT(townPixels, 100) << "start point " << k << ": the town " << town.name << " is not drawn";
        EXPECT_GE(signPixels, 10) << "start point " << k << ": no red SOS sign over " << town.name;
    }
}

// The restarted world stays for the tests after this one.
TEST(Restart, TheKeyRebuildsTheWorldInPlaceArmsEveryStoppedTimerOnceAndNamesAMissingBubbleOnce) {
    Game& game = builtGame();
    // Rebuilt from the pictures less the bubble's, which the submarine's and each craft's trail show.
    const TempFolder folder("restart");
    ASSERT_EQ(std::system(("cp -rs " ZARNOWELL_BUILD_DIR "/Texturen " + folder.file("Texturen")).c_str()), 0);
    std::filesystem::remove(folder.path() / "Texturen/luftblase1.bmp");
    std::filesystem::current_path(folder.path());
    testing::internal::CaptureStderr();
    // The display lists and texture names the world holds.
    const auto held = [&] {
        std::set<unsigned int> lists{game.terrainList}, textures;
        for (const Stadt& town : game.towns)
            lists.insert(town.displayList);
        const auto add = [&](const auto& group) { textures.insert(group.begin(), group.end()); };
        add(game.worldTextures), add(game.sceneTextures), add(game.hudTextures), add(game.causticTextures);
        return std::pair{lists, textures};
    };
    const auto [oldLists, oldTextures] = held();
    game.gameOver = game.gameEnded = true;
    game.lifePoints = -4;
    game.playerVel = {0.1, 0.0, -0.2};
    game.gunHeat = 35;
    game.towns[3].inhabitants = 0;
    game.timerPending = {};
    game.timerPending[static_cast<size_t>(TimerId::LowerWater)] = true; // its last run is still to come
    static std::vector<TimerId> armed;
    game.scheduleTimer = [](TimerId id, unsigned int, int) { armed.push_back(id); };
    // Pressed twice: the game then runs again, and the second press arms nothing twice.
    quietly([&] { keyboard(game, 'y'), keyboard(game, 'y'); });
    game.scheduleTimer = nullptr;
    // A craft's trail takes its own texture from the picture read then, not from the file again.
    game.enemyFleet.enemies.emplace_back(200.0f, static_cast<float>(game.playerPos.y), -60.0f, game.effects);
    renderFrame(game);
    std::filesystem::current_path(ZARNOWELL_BUILD_DIR);
    const std::string line = "Texture Texturen/luftblase1.bmp missing: using a plain grey stand-in\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line) << "one line for each of the two loads";

    EXPECT_EQ(armed, (std::vector<TimerId>{TimerId::Tick, TimerId::Town, TimerId::Beam, TimerId::Gun,
                                           TimerId::Caustic, TimerId::Enemy}));
    // A new game at the restart point with a full life and launcher; velocity and heat carry over.
    EXPECT_EQ(std::tuple(game.gameOver, game.gameEnded, game.lifePoints, game.torpedoes, game.gunHeat),
              std::tuple(false, true, 100, 5, 35));
    EXPECT_EQ(std::tuple(game.playerPos.x, game.playerPos.z, game.playerVel.z),
              std::tuple(200.0, -50.0, -0.2));
    ASSERT_EQ(game.towns.size(), 21u);
    EXPECT_EQ(game.towns[3].inhabitants, kTownTable[3].inhabitants);

    // Every town has a model of its own, and what the first world held is reused or deleted.
    const auto [lists, textures] = held();
    EXPECT_EQ(lists.size(), 22u);
    EXPECT_EQ(textures.size(), 80u);
    for (unsigned int list : oldLists)
        EXPECT_TRUE(lists.count(list) || !glIsList(list)) << "display list " << list << " leaked";
    for (unsigned int texture : oldTextures)
        EXPECT_TRUE(textures.count(texture) || !glIsTexture(texture)) << "texture " << texture << " leaked";
}
