#include "player/Gamepad.h"

#include "core/GameState.h"
#include "core/Timers.h"
#include "player/Firing.h"
#include "player/MouseLook.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kStepsPerRepeat = static_cast<int>(kKeyRepeat / kTickStep);
constexpr float kStepSeconds = std::chrono::duration<float>(kTickStep).count();
constexpr float kHeadingPerStep = kStickTurnPerSecond * kStepSeconds;
// The stick keeps the mouse's proportions of pitch to turn.
constexpr float kPitchPerStep = kHeadingPerStep * kPitchPerPixel / kHeadingPerPixel;

struct Stick {
    float x;
    float y;
};

// Radial, so that a diagonal is not cut off on one axis; what lies beyond is stretched back to the full
// range, so that the smallest push past the dead zone is a small one.
Stick pastDeadZone(float x, float y) {
    const float length = std::hypot(x, y);
    if (!(length > kStickDeadZone)) // a NaN from a broken reading counts as centred too
        return {0.0f, 0.0f};
    const float scale = (length - kStickDeadZone) / (1.0f - kStickDeadZone) / length;
    return {std::clamp(x * scale, -1.0f, 1.0f), std::clamp(y * scale, -1.0f, 1.0f)};
}

bool triggerHeld(bool wasHeld, float value) {
    return wasHeld ? value >= kTriggerRelease : value >= kTriggerPress;
}

KeyCommand pressButtonKey(GameState& state, const PadButtonKey& key, const std::vector<Stadt>& towns,
                          const TerrainGrid& terrainGrid) {
    if (key.arrow) {
        pressArrow(state, key.code);
        return KeyCommand::None;
    }
    return pressKey(state, towns, terrainGrid, static_cast<unsigned char>(key.code));
}

void letGo(GameState& state, PadControls& pad, WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    // Only what the pad itself held: a gun it never held is the mouse's to let go.
    if (pad.gunTrigger)
        pressMouseButton(state, weapons, enemies, kLeftButton, kButtonUp);
    pad = PadControls{};
}

// One axis of the left stick: `value` toward `ahead` is positive. Its presses come as often as a held
// key's at full deflection and proportionally less often below; a reversal starts afresh.
void thrustAxis(GameState& state, double& owed, float value, unsigned char ahead, unsigned char back,
                const std::vector<Stadt>& towns, const TerrainGrid& terrainGrid) {
    if (value == 0.0f || value * owed < 0.0)
        owed = 0.0;
    if (value == 0.0f)
        return;
    owed += static_cast<double>(value) / kStepsPerRepeat;
    if (std::abs(owed) >= 1.0) {
        pressKey(state, towns, terrainGrid, owed > 0.0 ? ahead : back);
        owed -= owed > 0.0 ? 1.0 : -1.0;
    }
}

// Stops at the limit, but never pulls back a view the mouse has already tipped past it.
float limitedPitchChange(float pitch, float change) {
    if (change > 0.0f)
        return std::min(change, std::max(0.0f, kStickPitchLimit - pitch));
    return std::max(change, std::min(0.0f, -kStickPitchLimit - pitch));
}

} // namespace

std::vector<KeyCommand> readPad(GameState& state, PadControls& pad, const PadState& reading,
                                const std::vector<Stadt>& towns, const TerrainGrid& terrainGrid,
                                WeaponSystem& weapons, std::vector<Enemy>& enemies) {
    std::vector<KeyCommand> commands;
    if (!reading.connected) {
        letGo(state, pad, weapons, enemies);
        return commands;
    }
    for (const PadButtonKey& key : kPadButtonKeys) {
        const auto index = static_cast<size_t>(key.button);
        if (reading.buttons[index] && !pad.held.buttons[index]) {
            if (const KeyCommand command = pressButtonKey(state, key, towns, terrainGrid);
                command != KeyCommand::None)
                commands.push_back(command);
            pad.repeatIn[index] = kStepsPerRepeat;
        }
    }
    if (const bool gun = triggerHeld(pad.gunTrigger, reading.rightTrigger); gun != pad.gunTrigger) {
        pressMouseButton(state, weapons, enemies, kLeftButton, gun ? kButtonDown : kButtonUp);
        pad.gunTrigger = gun;
    }
    if (const bool torpedo = triggerHeld(pad.torpedoTrigger, reading.leftTrigger);
        torpedo != pad.torpedoTrigger) {
        if (torpedo)
            pressMouseButton(state, weapons, enemies, kRightButton, kButtonDown);
        pad.torpedoTrigger = torpedo;
    }
    pad.held = reading;
    const Stick left = pastDeadZone(reading.leftX, reading.leftY);
    const Stick right = pastDeadZone(reading.rightX, reading.rightY);
    pad.held.leftX = left.x;
    pad.held.leftY = left.y;
    pad.held.rightX = right.x;
    pad.held.rightY = right.y;
    return commands;
}

void padStep(GameState& state, PadControls& pad, const std::vector<Stadt>& towns,
             const TerrainGrid& terrainGrid) {
    if (!pad.held.connected)
        return;
    thrustAxis(state, pad.thrustOwed[0], -pad.held.leftY, 'w', 's', towns, terrainGrid);
    thrustAxis(state, pad.thrustOwed[1], pad.held.leftX, 'd', 'a', towns, terrainGrid);
    // Stick right turns right and stick up looks up, as the mouse does.
    if (pad.held.rightX != 0.0f)
        turnHeading(state, -kHeadingPerStep * pad.held.rightX);
    if (const float change = limitedPitchChange(state.pitch, kPitchPerStep * pad.held.rightY); change != 0.0f)
        turnPitch(state, change);
    for (const PadButtonKey& key : kPadButtonKeys) {
        const auto index = static_cast<size_t>(key.button);
        if (key.repeats && pad.held.buttons[index] && --pad.repeatIn[index] <= 0) {
            pressButtonKey(state, key, towns, terrainGrid);
            pad.repeatIn[index] = kStepsPerRepeat;
        }
    }
}
