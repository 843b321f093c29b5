// A pad that exists only inside SDL, for tests and the test aid ZARNOWELL_TEST_PAD: a game controller with
// every button and axis, set from a line in SDL's names ("lefty=-1 righttrigger=1"), rumble if asked.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct _SDL_Joystick;

class VirtualPad {
public:
    VirtualPad() = default;
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // Plugs the pad in; SDL's game-controller subsystem must be running. False, with a line on stderr,
    // when SDL refuses.
    bool attach(bool rumbles);
    // Pulls the pad out.
    void detach();

    // Sets the controls the line names (axes -1 to 1, triggers 0 to 1, buttons 0 or 1) and centres and
    // releases all others. A word it cannot read changes nothing and is said on stderr.
    bool set(const std::string& line);
    // Plays the file's line, whenever it changes; a missing file is an idle pad.
    void follow(const std::string& path);

    // The last rumble asked of the pad, heavy motor first; zeros when none or when it stopped.
    std::array<uint16_t, 2> felt() const { return felt_; }

private:
    _SDL_Joystick* joystick_ = nullptr;
    std::string followed_;
    std::array<uint16_t, 2> felt_{};
};
