#include "app/VirtualPad.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

bool isTrigger(SDL_GameControllerAxis axis) {
    return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

// A virtual trigger spans the whole raw range, from released at the bottom to pulled at the top.
Sint16 rawAxis(SDL_GameControllerAxis axis, float value) {
    const float raw = isTrigger(axis) ? SDL_JOYSTICK_AXIS_MIN + value * 65535.0f : value * 32767.0f;
    return static_cast<Sint16>(std::lround(raw));
}

} // namespace

VirtualPad::~VirtualPad() {
    detach();
}

bool VirtualPad::attach(bool rumbles) {
    if (joystick_)
        return true;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Zarnowell test pad";
    desc.userdata = this;
    if (rumbles)
        desc.Rumble = [](void* pad, Uint16 low, Uint16 high) {
            static_cast<VirtualPad*>(pad)->felt_ = {low, high};
            return 0;
        };
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!joystick_) {
        std::cerr << "Test pad: SDL cannot attach it (" << SDL_GetError() << ")" << std::endl;
        return false;
    }
    return set(""); // triggers at rest lie at the bottom of the raw range, not in its middle
}

void VirtualPad::detach() {
    if (!joystick_)
        return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id)
            SDL_JoystickDetachVirtual(index);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

bool VirtualPad::set(const std::string& line) {
    std::vector<float> axes(SDL_CONTROLLER_AXIS_MAX, 0.0f);
    std::vector<bool> buttons(SDL_CONTROLLER_BUTTON_MAX, false);
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        char* end = nullptr;
        const float value = equals == std::string::npos ? NAN : std::strtof(word.c_str() + equals + 1, &end);
        const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
        const bool readable = end && *end == '\0' && end != word.c_str() + equals + 1;
        if (readable && axis != SDL_CONTROLLER_AXIS_INVALID && value >= (isTrigger(axis) ? 0.0f : -1.0f) &&
            value <= 1.0f) {
            axes[axis] = value;
        } else if (readable && button != SDL_CONTROLLER_BUTTON_INVALID && (value == 0.0f || value == 1.0f)) {
            buttons[button] = value == 1.0f;
        } else {
            std::cerr << "Test pad: cannot read \"" << word << "\" (name=value in SDL's names; axes -1 to 1, "
                      << "triggers 0 to 1, buttons 0 or 1); the pad stays as it was" << std::endl;
            return false;
        }
    }
    if (!joystick_)
        return false;
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
        SDL_JoystickSetVirtualAxis(joystick_, axis,
                                   rawAxis(static_cast<SDL_GameControllerAxis>(axis), axes[axis]));
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
        SDL_JoystickSetVirtualButton(joystick_, button, buttons[button] ? SDL_PRESSED : SDL_RELEASED);
    return true;
}

void VirtualPad::follow(const std::string& path) {
    std::ifstream file(path);
    std::string line{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (line == followed_)
        return;
    followed_ = line;
    set(line);
}
