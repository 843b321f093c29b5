// Measures what the valley costs: each start-up phase, a frame with all floor tiles, with only the tiles
// the camera can see, and without the floor, from every start point; what the HUD adds to the game's frame;
// what a full enemy fleet adds to it and what one fleet update costs; what a fight adds; and the peak memory.
#include "app/Frame.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "game/Game.h"
#include "player/Firing.h"
#include "support/Xvfb.h"
#include "towns/TownList.h"
#include "towns/TownTable.h"
#include "world/BitmapReader.h"
#include "world/FloorGl.h"
#include "world/Terrain.h"
#include "world/TexturesGl.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <numeric>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    glFinish();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// What one kind of frame costs against another over many views: the median of their ratio view by view.
// Views differ in cost far more than the kinds do, and the ratio of two medians over all views may set
// the median view of one kind against a different view of the other.
double medianRatio(const std::vector<double>& over, const std::vector<double>& under) {
    std::vector<double> ratios;
    for (size_t i = 0; i < over.size() && i < under.size(); ++i)
        ratios.push_back(over[i] / under[i]);
    return median(ratios);
}

void swapAndFinish() {
    glutSwapBuffers();
    glFinish();
}

// One frame in the given mode; the caller interleaves the modes so drift hits every mode alike.
double frameTime(Game& game, bool drawFloor, bool cull, bool hud = true) {
    game.drawFloor = drawFloor;
    game.cullHiddenFloor = cull;
    game.drawHud = hud;
    return millisecondsOf([&] { renderScene(game); });
}

// Frames of several kinds, one of each per round, in an order shuffled afresh every round (from a fixed
// seed, so that runs repeat): a frame costs llvmpipe more after a heavy frame than after a light one, and a
// fixed order would charge that to the same kind every time.
std::vector<std::vector<double>> takeTurns(int rounds, const std::vector<std::function<double(int)>>& kinds) {
    std::vector<std::vector<double>> times(kinds.size());
    std::vector<size_t> order(kinds.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::mt19937 shuffler(1);
    for (int round = 0; round < rounds; ++round) {
        std::shuffle(order.begin(), order.end(), shuffler);
        for (const size_t kind : order)
            times[kind].push_back(kinds[kind](round));
    }
    return times;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Sustained fire against the same view quiet: the trigger held (nine tracers in flight, the muzzle flash
// and a yellow hit flash in every frame, the worst case), a torpedo running, and two enemies exploding with
// their sparks beside one live enemy. Then the same with a torpedo's blast grown for 19 ticks (radius 5.1)
// 20 ahead, which fills much of the view. The quiet frame has the live enemy only.
void measureFight(Game& game, const Vec3& eye, int frames) {
    std::ostringstream silenced;
    std::streambuf* console = std::cout.rdbuf(silenced.rdbuf()); // launches print
    WeaponSystem blast;
    blast.update(eye.x, eye.y, eye.z, 0.0f, 0.0f);
    blast.fire(kTorpedo);
    for (int tick = 0; tick < 30; ++tick) {
        if (tick == 20)
            blast.runningTorpedoes[0].detonated = true;
        blast.update(eye.x, eye.y, eye.z, 0.0f, 0.0f);
    }
    for (int tick = 0; tick < 9; ++tick) {
        blast.fire(kTracer);
        if (tick == 4)
            blast.fire(kTorpedo);
        blast.update(eye.x, eye.y, eye.z, 0.0f, 0.0f);
    }
    std::cout.rdbuf(console);
    WeaponSystem fire = blast;
    fire.runningTorpedoes.erase(fire.runningTorpedoes.begin());

    EnemyFleet fight, quiet;
    fight.bubblePicture = quiet.bubblePicture = game.enemyFleet.bubblePicture;
    for (const float x : {-4.0f, 4.0f}) {
        Enemy& wreck = fight.enemies.emplace_back(eye.x + x, eye.y, eye.z - 14.0f, game.effects);
        wreck.health = 0;
        for (int step = 0; step < 12; ++step)
            wreck.update(eye.x, eye.y, eye.z, game.effects);
    }
    for (EnemyFleet* fleet : {&fight, &quiet})
        fleet->enemies.emplace_back(eye.x, eye.y + 1.0f, eye.z - 20.0f, game.effects);
    game.effects = PendingEffects();

    WeaponSystem none;
    // Swapped in for one frame, with the flashes a shot records.
    const auto frameWith = [&](WeaponSystem& weapons, EnemyFleet& fleet, bool shooting, int i) {
        std::swap(game.weaponSystem, weapons);
        std::swap(game.enemyFleet, fleet);
        if (shooting) {
            game.effects.muzzleFlash = MuzzleFlash{20.0f + 72.0f * (i % 5), static_cast<float>(i % 40)};
            gunHit(game.enemyFleet.enemies.back(), game.effects);
        }
        const double ms = frameTime(game, true, true);
        std::swap(game.enemyFleet, fleet);
        std::swap(game.weaponSystem, weapons);
        return ms;
    };
    const auto times = takeTurns(frames * 4, {[&](int i) { return frameWith(fire, fight, true, i); },
                                              [&](int i) { return frameWith(blast, fight, true, i); },
                                              [&](int i) { return frameWith(none, quiet, false, i); }});
    const std::vector<double>& firing = times[0];
    const std::vector<double>& blasting = times[1];
    const std::vector<double>& calm = times[2];
    std::printf("the game's frame in a fight         fire  + blast    quiet   fire/quiet  blast/quiet\n");
    std::printf("  median (ms)                 %8.2f %8.2f %8.2f %12.3f %12.3f\n\n", median(firing),
                median(blasting), median(calm), median(firing) / median(calm),
                median(blasting) / median(calm));
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
    if (chdir(ZARNOWELL_BUILD_DIR) != 0) {
        std::cerr << "cannot enter " << ZARNOWELL_BUILD_DIR << std::endl;
        return 1;
    }
    // Outlives main, so that glut closes its display before the server goes.
    static const XvfbServer screen(1024, 768);
    openGameWindow(argc, argv);
    reshape(800, 600);
    Game& game = *new Game(); // as the program's own, never destroyed
    game.swapBuffers = swapAndFinish;

    // Start-up phases, each on its own.
    std::ostringstream silenced;
    std::streambuf* console = std::cout.rdbuf(silenced.rdbuf());
    BitmapImage depthMap;
    const double readMap = millisecondsOf([&] { loadBitmap("Texturen/valleyDepth.bmp", depthMap); });
    const double fill = millisecondsOf([&] { fillTerrainGrid(game.terrainGrid, depthMap, game.waterLevel); });
    const double worldGroup =
        millisecondsOf([&] { loadTextureGroup(TextureGroup::World, game.worldTextures); });
    const double compile = millisecondsOf([&] { compileTerrainLists(game, game.terrainGrid); });
    const double sceneGroup =
        millisecondsOf([&] { loadTextureGroup(TextureGroup::Scene, game.sceneTextures); });
    const double hudGroup = millisecondsOf([&] { loadTextureGroup(TextureGroup::Hud, game.hudTextures); });
    const double causticGroup =
        millisecondsOf([&] { loadTextureGroup(TextureGroup::Caustic, game.causticTextures); });
    const double wholeInit = millisecondsOf([&] {
        if (const auto problem = initWorld(game))
            stopForUnbuiltWorld(*problem);
    });
    std::cout.rdbuf(console);

    std::printf("start-up phase              ms\n");
    std::printf("  depth map read      %10.1f\n", readMap);
    std::printf("  grid fill           %10.1f\n", fill);
    std::printf("  floor lists compile %10.1f\n", compile);
    std::printf("  textures: world     %10.1f\n", worldGroup);
    std::printf("  textures: scene     %10.1f\n", sceneGroup);
    std::printf("  textures: HUD       %10.1f\n", hudGroup);
    std::printf("  textures: caustics  %10.1f\n", causticGroup);
    std::printf("  initWorld, whole    %10.1f\n\n", wholeInit);

    std::printf(
        "frame at 800x600, median of %d (ms)   all tiles   culled   no floor   all/none   culled/none\n",
        frames);
    std::vector<double> allMedians, culledMedians, noneMedians, bareMedians;
    for (size_t k = 0; k < kStartPoints.size(); ++k) {
        game.playerPos = startPoint(game.terrainGrid, static_cast<int>(k));
        for (float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
            game.aimHeading = game.heading = heading;
            frameTime(game, true, true); // warm the caches of this view
            const auto times = takeTurns(frames, {[&](int) { return frameTime(game, true, false); },
                                                  [&](int) { return frameTime(game, true, true); },
                                                  [&](int) { return frameTime(game, false, true); },
                                                  [&](int) { return frameTime(game, true, true, false); }});
            allMedians.push_back(median(times[0]));
            culledMedians.push_back(median(times[1]));
            noneMedians.push_back(median(times[2]));
            bareMedians.push_back(median(times[3]));
        }
        const auto lastFour = [](const std::vector<double>& v) {
            return std::vector<double>(v.end() - 4, v.end());
        };
        const auto pointAll = lastFour(allMedians), pointCulled = lastFour(culledMedians);
        const auto pointNone = lastFour(noneMedians);
        std::printf("  start point %zu (4 headings)           %9.2f %8.2f %10.2f %10.2f %13.2f\n", k,
                    median(pointAll), median(pointCulled), median(pointNone),
                    medianRatio(pointAll, pointNone), medianRatio(pointCulled, pointNone));
    }
    std::printf("  all views                              %9.2f %8.2f %10.2f %10.2f %13.2f\n\n",
                median(allMedians), median(culledMedians), median(noneMedians),
                medianRatio(allMedians, noneMedians), medianRatio(culledMedians, noneMedians));
    std::printf("the game's frame (culled floor)   with HUD   without HUD   with/without\n");
    std::printf("  all views, median (ms)        %10.2f %13.2f %14.3f\n\n", median(culledMedians),
                median(bareMedians), medianRatio(culledMedians, bareMedians));
    // Six enemies in view at the first start point, each with a full trail and three bullets in flight.
    game.playerPos = startPoint(game.terrainGrid, 0);
    game.aimHeading = game.heading = 0.0f;
    game.drawHud = true;
    const Vec3 eye = game.playerPos.toFloat();
    EnemyFleet full;
    full.bubblePicture = game.enemyFleet.bubblePicture;
    for (int k = 0; k < kMaxEnemies; ++k) {
        Enemy& enemy = full.enemies.emplace_back(eye.x - 5.0f + 2.0f * k, eye.y, eye.z - 12.0f, game.effects);
        for (int step = 0; step < 2 * kMaxBubbles; ++step)
            enemy.emitter.update(enemy.position.x, enemy.position.y, enemy.position.z);
        for (int shot = 0; shot < 3; ++shot)
            enemy.shoot(eye.x, eye.y, eye.z, game.effects);
    }
    game.effects.worldShapes.clear();
    // Swapped in and out rather than copied, so the enemies' textures are made once, by the first frame.
    EnemyFleet none;
    const auto frameWithFleet = [&](EnemyFleet& fleet) {
        std::swap(game.enemyFleet, fleet);
        const double ms = frameTime(game, true, true);
        std::swap(game.enemyFleet, fleet);
        return ms;
    };
    const auto fleetTimes = takeTurns(
        frames * 4, {[&](int) { return frameWithFleet(full); }, [&](int) { return frameWithFleet(none); }});
    const std::vector<double>& withFleet = fleetTimes[0];
    const std::vector<double>& withoutFleet = fleetTimes[1];
    std::printf("the game's frame with six enemies   fleet   no fleet   fleet/none\n");
    std::printf("  median (ms)                    %8.2f %10.2f %12.3f\n", median(withFleet),
                median(withoutFleet), median(withFleet) / median(withoutFleet));

    // One fleet update with six enemies within reach: moves, trails, bullets and the firing decisions.
    std::vector<double> perUpdate;
    EnemyFleet fleet = full;
    for (int batch = 0; batch < 50; ++batch) {
        const auto start = Clock::now();
        for (int k = 0; k < 100; ++k)
            fleet.update(eye.x, eye.y, eye.z, game.effects);
        perUpdate.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / 100.0);
        game.effects = PendingEffects();
    }
    std::printf("  EnemyFleet::update with %zu enemies: %.2f us (median of 50 batches of 100)\n\n",
                fleet.enemies.size(), median(perUpdate));

    measureFight(game, eye, frames);
    std::printf("peak memory (max RSS): %.1f MiB\n", peakMemoryKiB() / 1024.0);
    return 0;
}
