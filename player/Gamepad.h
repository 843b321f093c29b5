// A gamepad as rules: its sticks, triggers and buttons drive the rules the keys and the mouse drive, what is
// held in game time. The shell reads the pad into a PadState; nothing here knows where it came from.
#pragma once

#include "player/Keyboard.h"

#include <array>
#include <chrono>
#include <vector>

class Enemy;
class Stadt;
class WeaponSystem;
struct GameState;
struct TerrainGrid;

enum class PadButton {
    South,
    Back,
    Start,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight
};
inline constexpr int kPadButtons = 9;

// One reading of a pad: sticks from -1 to 1 with y pointing down, triggers from 0 to 1. A pad that is gone
// reads as not connected.
struct PadState {
    bool connected = false;
    float leftX = 0.0f;
    float leftY = 0.0f;
    float rightX = 0.0f;
    float rightY = 0.0f;
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    std::array<bool, kPadButtons> buttons{}; // in PadButton order
};

// The key a button stands for: a keyboard code, or an arrow by its special-key code. A button that repeats
// acts again while held, as a held key does.
struct PadButtonKey {
    PadButton button;
    bool arrow;
    int code;
    bool repeats;
};

// The buttons' keys: the one table of what each button does.
inline constexpr std::array<PadButtonKey, kPadButtons> kPadButtonKeys{{
    {PadButton::South, false, 'b', false},
    {PadButton::Start, false, 'y', false},
    {PadButton::Back, false, 'p', false},
    {PadButton::RightShoulder, false, 'e', true},
    {PadButton::LeftShoulder, false, 'q', true},
    {PadButton::DpadLeft, true, kArrowLeft, true},
    {PadButton::DpadRight, true, kArrowRight, true},
    {PadButton::DpadUp, true, kArrowUp, true},
    {PadButton::DpadDown, true, kArrowDown, true},
}};

// A held key repeats 25 times a second on a desktop with X's defaults; the pad's held buttons and its full
// left stick keep that pace in game time.
inline constexpr std::chrono::milliseconds kKeyRepeat{40};
// A stick moved less than this far from the centre counts as centred.
inline constexpr float kStickDeadZone = 0.2f;
// A trigger presses past kTriggerPress and lets go only under kTriggerRelease, so one resting near either
// does not flutter.
inline constexpr float kTriggerPress = 0.5f;
inline constexpr float kTriggerRelease = 0.3f;
// The right stick at full deflection turns the view this fast; it pitches no further than straight down
// or up, so a held stick never tips the view over.
inline constexpr float kStickTurnPerSecond = 180.0f;
inline constexpr float kStickPitchLimit = 90.0f;

// What the rules keep of the pad between readings and game steps.
struct PadControls {
    PadState held;                           // the last reading, its sticks past the dead zone
    std::array<int, kPadButtons> repeatIn{}; // steps until a held repeating button acts again
    std::array<double, 2> thrustOwed{};      // forward and sideways presses the left stick has built up
    bool gunTrigger = false;                 // the right trigger, past its hysteresis
    bool torpedoTrigger = false;             // the left trigger, past its hysteresis
};

// A new reading: a button pressed acts at once as its key does, the right trigger holds the gun as the left
// mouse button does and the left one presses as the right button does; the sticks are kept for padStep. A
// pad that is gone lets go of everything it held. Answers what the shell must carry out, in order.
std::vector<KeyCommand> readPad(GameState& state, PadControls& pad, const PadState& reading,
                                const std::vector<Stadt>& towns, const TerrainGrid& terrainGrid,
                                WeaponSystem& weapons, std::vector<Enemy>& enemies);

// One game step of what the pad holds: the left stick presses W, S, A and D as often as its deflection
// says (25 times a second at full), the right stick turns the view, held buttons repeat.
void padStep(GameState& state, PadControls& pad, const std::vector<Stadt>& towns,
             const TerrainGrid& terrainGrid);
