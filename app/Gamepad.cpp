#include "app/Gamepad.h"

#include "app/Input.h"
#include "app/Sound.h"
#include "game/Game.h"

#include <SDL.h>

#include <algorithm>
#include <iostream>
#include <span>
#include <utility>

namespace {

// SDL's buttons in PadButton order.
constexpr std::array<SDL_GameControllerButton, kPadButtons> kSdlButtons{SDL_CONTROLLER_BUTTON_A,
                                                                        SDL_CONTROLLER_BUTTON_BACK,
                                                                        SDL_CONTROLLER_BUTTON_START,
                                                                        SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                                        SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                                        SDL_CONTROLLER_BUTTON_DPAD_UP,
                                                                        SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                                                                        SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                                                                        SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

struct RumbleFeel {
    Uint16 low; // the heavy motor
    Uint16 high;
    Uint32 ms;
};

// In Rumble order: a short knock, a heavier and longer blast, a long heavy shake.
constexpr std::array<RumbleFeel, 3> kRumbleFeels{
    {{0x3000, 0x9000, 150}, {0xC000, 0x6000, 400}, {0xFFFF, 0xA000, 1500}}};

float axis(SDL_GameController* controller, SDL_GameControllerAxis which) {
    return std::clamp(SDL_GameControllerGetAxis(controller, which) / 32767.0f, -1.0f, 1.0f);
}

} // namespace

Gamepad::~Gamepad() {
    close();
    if (started_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepad::open() {
    if (started_)
        return true;
    // Keep Ctrl-C working: the events subsystem this brings must not install its own signal handlers.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return started_;
}

void Gamepad::close() {
    if (controller_)
        SDL_GameControllerClose(controller_);
    controller_ = nullptr;
}

void Gamepad::takeUp(int deviceIndex) {
    if (SDL_GameController* taken = SDL_GameControllerOpen(deviceIndex)) {
        close();
        controller_ = taken;
    }
}

PadState Gamepad::read() {
    if (!started_)
        return {};
    // Updates the pads and notices pads plugged in or pulled out; SDL has no video here, so nothing of
    // GLUT's window is touched.
    SDL_GameControllerUpdate();
    int plugged = -1;
    SDL_Event events[16];
    for (int count; (count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0;) {
        for (const SDL_Event& event : std::span(events, static_cast<size_t>(count))) {
            if (event.type == SDL_CONTROLLERDEVICEADDED)
                plugged = event.cdevice.which;
            else if (event.type == SDL_JOYDEVICEADDED && event.jdevice.which < SDL_NumJoysticks() &&
                     !SDL_IsGameController(event.jdevice.which))
                reportUnmapped(event.jdevice.which);
        }
    }
    if (controller_ && !SDL_GameControllerGetAttached(controller_)) {
        close();
        return {};
    }
    if (plugged >= 0)
        takeUp(plugged); // the pad just plugged in is the one the player reaches for
    for (int index = 0; !controller_ && index < SDL_NumJoysticks(); ++index)
        if (SDL_IsGameController(index))
            takeUp(index);
    if (!controller_)
        return {};

    PadState state;
    state.connected = true;
    state.leftX = axis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = axis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
    state.rightX = axis(controller_, SDL_CONTROLLER_AXIS_RIGHTX);
    state.rightY = axis(controller_, SDL_CONTROLLER_AXIS_RIGHTY);
    state.leftTrigger = axis(controller_, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    state.rightTrigger = axis(controller_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (size_t button = 0; button < kSdlButtons.size(); ++button)
        state.buttons[button] = SDL_GameControllerGetButton(controller_, kSdlButtons[button]) != 0;
    return state;
}

void Gamepad::reportUnmapped(int deviceIndex) {
    char guid[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
    if (!unmappedReported_.insert(guid).second)
        return;
    const char* name = SDL_JoystickNameForIndex(deviceIndex);
    std::cerr << "Gamepad: SDL knows no mapping for " << (name ? name : "a joystick") << " (" << guid
              << "); SDL_GAMECONTROLLERCONFIG can give it one" << std::endl;
}

void Gamepad::rumble(Rumble kind) {
    if (!controller_ || !SDL_GameControllerHasRumble(controller_))
        return;
    const RumbleFeel& feel = kRumbleFeels[static_cast<size_t>(kind)];
    SDL_GameControllerRumble(controller_, feel.low, feel.high, feel.ms);
}

void pollGamepad(Game& game, SoundPlayer& sound, Gamepad& pad) {
    const PadState reading = pad.read();
    for (const KeyCommand command : readPad(game, game.pad, reading, game.towns, game.terrainGrid,
                                            game.weaponSystem, game.enemyFleet.enemies))
        carryOut(game, command);
    playRecordedSounds(game, sound);
    if (const auto kind = std::exchange(game.effects.rumble, std::nullopt); kind && reading.connected)
        pad.rumble(*kind);
}
