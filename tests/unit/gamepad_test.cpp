#include "app/Gamepad.h"
#include "app/Sound.h"
#include "app/VirtualPad.h"
#include "game/Game.h"
#include "player/Firing.h"
#include "player/Gamepad.h"
#include "player/Submarine.h"

#include <gtest/gtest.h>

namespace {

// A game over low ground with five torpedoes, heading north, with a town 10 units ahead that has people.
Game padGame() {
    Game game;
    for (TerrainVertex& point : game.terrainGrid.points)
        point.y = -100.0f;
    game.playerPos = {100.0, 0.0, -100.0};
    game.towns = {Stadt(100.0f, 0.0f, -110.0f, 3, "Ulm")};
    game.nearestTown = 0;
    game.torpedoes = kStartTorpedoes;
    return game;
}

// A pad's reading: left stick x and y, right stick x and y, left and right trigger, and the buttons held.
PadState pad(std::array<float, 6> axes, std::initializer_list<PadButton> buttons = {}) {
    PadState state{true, axes[0], axes[1], axes[2], axes[3], axes[4], axes[5], {}};
    for (const PadButton button : buttons)
        state.buttons[static_cast<size_t>(button)] = true;
    return state;
}

std::vector<KeyCommand> read(Game& game, const PadState& state) {
    return readPad(game, game.pad, state, game.towns, game.terrainGrid, game.weaponSystem,
                   game.enemyFleet.enemies);
}

// Game steps as the tick runs them; with `wEvery`, W is also pressed every that many steps.
void steps(Game& game, int count, int wEvery = 0) {
    for (int step = 0; step < count; ++step) {
        if (wEvery && step % wEvery == 0)
            pressKey(game, game.towns, game.terrainGrid, 'w');
        padStep(game, game.pad, game.towns, game.terrainGrid);
        advanceSubmarine(game);
    }
}

} // namespace

TEST(Gamepad, SticksPushLikeWHeldTurnHalfATurnASecondAndIgnoreTheDeadZone) {
    // 3 s of steps: W repeating 25 times a second against the stick held forward fully and partly, and
    // sticks within the dead zone.
    Game keys = padGame(), full = padGame(), part = padGame(), idle = padGame();
    steps(keys, 600, 8);
    read(full, pad({0, -1}));
    read(part, pad({0, -0.5f}));
    read(idle, pad({0, -0.19f, 0.1f, -0.15f}));
    for (Game* game : {&full, &part, &idle})
        steps(*game, 600);
    const auto north = [](const Game& game) { return -100.0 - game.playerPos.z; };
    EXPECT_NEAR(north(full) / north(keys), 1.0, 0.1) << north(full) << " against " << north(keys);
    EXPECT_TRUE(north(part) > 0.3 * north(full) && north(part) < 0.95 * north(full)) << north(part);
    EXPECT_EQ(std::tuple(idle.playerPos.z, idle.heading, idle.pitch), std::tuple(-100.0, 0.0f, 0.0f));

    // Right is a right turn (heading falls) at 180 degrees a second, up looks up, and the aim follows; the
    // stick stops straight up, and leaves a view the mouse tipped past straight down where it is.
    read(idle, pad({0, 0, 1, -1}));
    steps(idle, 200);
    EXPECT_NEAR(idle.heading, -180.0f, 0.01f);
    EXPECT_EQ(std::tuple(idle.pitch, idle.aimPitch, idle.aimHeading),
              std::tuple(-90.0f, -90.0f, idle.heading));
    idle.pitch = 120.0f;
    read(idle, pad({0, 0, 0, 1}));
    steps(idle, 10);
    EXPECT_EQ(idle.pitch, 120.0f);
}

TEST(Gamepad, TriggersHaveHysteresisButtonsActAsKeysAndAPadGoneLetsGo) {
    Game game = padGame();
    // left and right trigger, then the launcher and the gun: a trigger resting near a threshold neither
    // flutters nor presses twice.
    const std::tuple<float, float, int, TorpedoState, bool> pulls[] = {
        {0.49f, 0.45f, 5, kTorpedoReady, false},   {0.51f, 0.55f, 4, kTorpedoRunning, true},
        {0.45f, 0.31f, 4, kTorpedoRunning, true},  {0.55f, 0.55f, 4, kTorpedoRunning, true},
        {0.29f, 0.29f, 4, kTorpedoRunning, false}, {0.6f, 0.45f, 4, kTorpedoReady, false},
        {0.0f, 0.0f, 4, kTorpedoReady, false},     {1.0f, 0.0f, 3, kTorpedoRunning, false}};
    for (const auto& [left, right, torpedoes, launcher, gun] : pulls) {
        read(game, pad({0, 0, 0, 0, left, right}));
        EXPECT_EQ(std::tuple(game.torpedoes, game.torpedoState, game.gunTriggerHeld),
                  std::tuple(torpedoes, launcher, gun))
            << left << " " << right;
    }

    // A beams near a town, Start restarts a lost game, Back prints the score; the d-pad turns at once and
    // then as a held arrow key repeats, 25 times a second.
    game.gameEnded = true;
    EXPECT_EQ(read(game, pad({}, {PadButton::South, PadButton::Back, PadButton::Start})),
              (std::vector{KeyCommand::Restart, KeyCommand::PrintScore}));
    EXPECT_TRUE(game.beamingActive);
    read(game, pad({0, -1, 0, 0, 0, 1}, {PadButton::DpadLeft}));
    steps(game, 200);
    EXPECT_EQ(game.heading, 1.5f * 26);

    // Pulled out with stick, trigger and d-pad held: the gun stops and nothing pushes or turns any more;
    // a gun the mouse holds is the mouse's to let go.
    read(game, PadState{});
    steps(game, 400);
    EXPECT_EQ(std::tuple(game.gunTriggerHeld, game.heading, game.playerVel.z), std::tuple(false, 39.0f, 0.0));
    game.gunTriggerHeld = true;
    read(game, PadState{});
    EXPECT_TRUE(game.gunTriggerHeld);
}

// Through SDL itself: a virtual pad read by the shell's polling, plugged in and pulled out during play.
TEST(GamepadThroughSdl, AVirtualPadSteersFiresBeamsRumblesAndLetsGoWhenPulledOut) {
    Gamepad pad;
    ASSERT_TRUE(pad.open()) << "SDL's game controllers did not start";
    VirtualPad stick;
    ASSERT_TRUE(stick.attach(true));
    Game game = padGame();
    SoundPlayer silent;
    // The shell's poll, then the tick's steps with a gun-timer run every 16 of them (80 ms).
    const auto play = [&](const std::string& controls, int tickSteps = 0) {
        stick.set(controls);
        pollGamepad(game, silent, pad);
        for (int step = 0; step < tickSteps; ++step) {
            steps(game, 1);
            if (step % 16 == 0)
                gunTimerStep(game, game.weaponSystem, game.enemyFleet.enemies);
        }
    };
    play("a=1");
    EXPECT_TRUE(game.beamingActive);
    play("lefty=-1 righttrigger=1", 160);
    EXPECT_LT(game.playerPos.z, -110.0) << "the stick did not carry the submarine north";
    EXPECT_TRUE(game.shotsFired > 5 && game.gunHeat > 20)
        << game.shotsFired << " shots, heat " << game.gunHeat;
    game.effects.shake(Rumble::TorpedoBlast);
    play("righttrigger=1");
    EXPECT_GT(stick.felt()[0], 0) << "no rumble reached the pad";

    stick.detach();
    play("");
    const int shots = game.shotsFired;
    play("", 160);
    EXPECT_EQ(std::pair(game.gunTriggerHeld, game.shotsFired), std::pair(false, shots))
        << "the gun kept firing after the pad was pulled out";
}
