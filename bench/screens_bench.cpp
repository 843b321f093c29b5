// Frames as a player gets them on a screen of a given size: the game's own timers and frame on a private
// Xvfb of that size, full screen, with six craft closing in. Ten seconds each idle, with the gun held and
// with a torpedo launched or set off every quarter second; frames per second, median and 95th percentile
// of the time between swaps.
// With --shots, it keeps pictures of play and of the end screen instead: PREFIXplay.png, PREFIXend.png.
// Run: build-bench/bench/screens_bench [width height [seconds per phase | --shots PREFIX]]
#include "app/Frame.h"
#include "app/Hud.h"
#include "app/Input.h"
#include "app/Sound.h"
#include "app/TimerCallbacks.h"
#include "app/Window.h"
#include "app/WorldInit.h"
#include "core/Gl.h"
#include "game/Game.h"
#include "support/Xvfb.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Bench {
    Game game;
    SoundPlayer sound; // never opened: the bench plays nothing
    std::vector<Clock::time_point> swaps;
    int phase = -1; // -1 warming up, then idle, gun, torpedoes
    std::array<std::vector<double>, 3> intervals;
    std::array<int, 3> frames{};
    int seconds = 10;
    double cpuAtStart = 0.0;
    std::string shots;       // where pictures of play and of the end screen go, instead of measuring
    bool shotWanted = false; // the next frame is kept before its swap
};

Bench* bench = nullptr;

constexpr std::array<const char*, 3> kPhases{"idle", "gun held", "torpedoes"};

void keepFrame(const std::string& path) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    cv::Mat picture(v[3], v[2], CV_8UC3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, v[2], v[3], GL_BGR, GL_UNSIGNED_BYTE, picture.data);
    cv::flip(picture, picture, 0);
    cv::imwrite(path, picture, {cv::IMWRITE_PNG_COMPRESSION, 9});
    std::printf("%s\n", path.c_str());
}

void recordSwap() {
    if (bench->shotWanted) {
        bench->shotWanted = false;
        const bool ended = bench->game.gameOver;
        keepFrame(bench->shots + (ended ? "end.png" : "play.png"));
        if (ended) {
            glutLeaveMainLoop();
        } else {
            bench->game.lifePoints = 0; // the next tick ends the game, and its frame carries the end screen
            bench->shotWanted = true;
        }
    }
    glutSwapBuffers();
    const auto now = Clock::now();
    if (bench->phase >= 0) {
        const auto p = static_cast<size_t>(bench->phase);
        if (!bench->swaps.empty())
            bench->intervals[p].push_back(
                std::chrono::duration<double, std::milli>(now - bench->swaps.back()).count());
        ++bench->frames[p];
    }
    bench->swaps.push_back(now);
}

template <void (*callback)(Game&, SoundPlayer&, int)> void onTimer(int value) {
    callback(bench->game, bench->sound, value);
}

constexpr std::array<void (*)(int), kTimerCount> kTimerCallbacks{
    onTimer<tick>,         onTimer<townTimer>,  onTimer<beamTimer>,      onTimer<gunTimer>,
    onTimer<causticTimer>, onTimer<enemyTimer>, onTimer<lowerWaterTimer>};

void scheduleGlutTimer(TimerId id, unsigned int delayMs, int value) {
    glutTimerFunc(delayMs, kTimerCallbacks[static_cast<size_t>(id)], value);
}

// Processor time of every thread so far, the renderer's included: on a shared machine it varies less
// than the time between frames.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()))];
}

void report() {
    int width = 0, height = 0;
    width = glutGet(GLUT_WINDOW_WIDTH);
    height = glutGet(GLUT_WINDOW_HEIGHT);
    for (size_t p = 0; p < kPhases.size(); ++p)
        std::printf("%4d x %-4d  %-10s %6.1f frames/s   median %6.1f ms   95th %6.1f ms\n", width, height,
                    kPhases[p], bench->frames[p] / static_cast<double>(bench->seconds),
                    percentile(bench->intervals[p], 0.5), percentile(bench->intervals[p], 0.95));
    const int frames = bench->frames[0] + bench->frames[1] + bench->frames[2];
    std::printf("%4d x %-4d  processor time %.1f ms a frame\n", width, height,
                1000.0 * (cpuSeconds() - bench->cpuAtStart) / frames);
    std::fflush(stdout);
}

double millisecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    glFinish();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Where a frame goes at the scale the game settled on, each part finished before the next starts (which
// costs the software renderer a little more than one frame run through).
void reportFrameParts() {
    Game& game = bench->game;
    game.swapBuffers = nullptr;
    GLint window[4];
    glGetIntegerv(GL_VIEWPORT, window);
    std::array<std::vector<double>, 4> parts;
    for (int frame = 0; frame < 30; ++frame) {
        bool scaled = false;
        parts[0].push_back(millisecondsOf([&] { scaled = drawWorld(game, window); }));
        parts[1].push_back(millisecondsOf([&] {
            if (scaled)
                showScaledWorld(game.worldPicture, window);
        }));
        parts[2].push_back(millisecondsOf([&] { display(game); }));
        parts[3].push_back(millisecondsOf([] { glutSwapBuffers(); }));
    }
    std::printf("%4d x %-4d  scale %.1f: world %.1f ms, scaling pass %.1f ms, HUD %.1f ms, swap %.1f ms "
                "(medians of 30)\n",
                window[2], window[3], game.renderScale.scale(), percentile(parts[0], 0.5),
                percentile(parts[1], 0.5), percentile(parts[2], 0.5), percentile(parts[3], 0.5));
}

void pressTorpedo(int) {
    if (bench->phase != 2)
        return;
    mouse(bench->game, bench->sound, GLUT_RIGHT_BUTTON, GLUT_DOWN);
    mouse(bench->game, bench->sound, GLUT_RIGHT_BUTTON, GLUT_UP);
    glutTimerFunc(250, pressTorpedo, 0);
}

void nextPhase(int) {
    Game& game = bench->game;
    ++bench->phase;
    bench->swaps.clear();
    if (bench->phase == 0)
        bench->cpuAtStart = cpuSeconds();
    if (bench->phase == 1)
        mouse(game, bench->sound, GLUT_LEFT_BUTTON, GLUT_DOWN);
    if (bench->phase == 2) {
        mouse(game, bench->sound, GLUT_LEFT_BUTTON, GLUT_UP);
        pressTorpedo(0);
    }
    if (bench->phase == 3) {
        report();
        reportFrameParts();
        glutLeaveMainLoop();
        return;
    }
    glutTimerFunc(static_cast<unsigned>(bench->seconds) * 1000u, nextPhase, 0);
}

// Eight seconds of play, the last two with the gun held, then the frame and the end screen after it.
void takeShots(int step) {
    if (step == 0) {
        glutTimerFunc(6000, takeShots, 1);
        return;
    }
    if (step == 1) {
        mouse(bench->game, bench->sound, GLUT_LEFT_BUTTON, GLUT_DOWN);
        glutTimerFunc(2000, takeShots, 2);
        return;
    }
    bench->shotWanted = true;
}

} // namespace

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 1920, height = argc > 2 ? std::atoi(argv[2]) : 1080;
    if (chdir(ZARNOWELL_BUILD_DIR) != 0) {
        std::cerr << "cannot enter " << ZARNOWELL_BUILD_DIR << std::endl;
        return 1;
    }
    static const XvfbServer screen(width, height);
    bench = new Bench();
    const std::string third = argc > 3 ? argv[3] : "10";
    if (third == "--shots")
        bench->shots = argc > 4 ? argv[4] : "screens-";
    else
        bench->seconds = std::max(1, std::atoi(third.c_str()));
    Game& game = bench->game;
    game.scheduleTimer = scheduleGlutTimer;
    game.swapBuffers = recordSwap;
    openGameWindow(argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    enterFullScreen();
    prepareFirstFrame(game);
    std::ostringstream silenced;
    std::streambuf* console = std::cout.rdbuf(silenced.rdbuf()); // progress and launch lines
    if (const auto problem = initWorld(game))
        stopForUnbuiltWorld(*problem);
    const Vec3 eye = game.playerPos.toFloat();
    if (bench->shots.empty()) {
        // Never lost, never out of torpedoes; six craft ahead, in reach of their closing in.
        game.lifePoints = 1000000;
        game.torpedoes = 1000000;
        for (int k = 0; k < 6; ++k)
            game.enemyFleet.enemies.emplace_back(eye.x - 10.0f + 4.0f * k, eye.y + 1.0f,
                                                 eye.z - 30.0f - 3.0f * k, game.effects);
    } else {
        // A fight as it looks: one craft on the aim line under fire, others about.
        for (const Vec3& at : {Vec3{0.0f, 0.0f, -22.0f}, Vec3{-9.0f, 2.5f, -30.0f}, Vec3{7.0f, -1.5f, -16.0f},
                               Vec3{16.0f, 4.0f, -45.0f}})
            game.enemyFleet.enemies.emplace_back(eye.x + at.x, eye.y + at.y, eye.z + at.z, game.effects);
    }
    renderScene(game);
    glutDisplayFunc([] { renderScene(bench->game); });
    glutReshapeFunc(reshape);
    armTimers(game);
    if (bench->shots.empty())
        glutTimerFunc(5000, nextPhase, 0); // the first seconds build lists and fill caches
    else
        takeShots(0);
    glutMainLoop();
    std::cout.rdbuf(console);
    return 0;
}
