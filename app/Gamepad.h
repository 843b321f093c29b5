// The gamepad through SDL's game-controller API: the one pad in use (the newest plugged in), read into a
// plain state for the pad's rules, hot-plug at any time, and the rumble the rules recorded.
#pragma once

#include "core/Effects.h"
#include "player/Gamepad.h"

#include <set>
#include <string>

class SoundPlayer;
struct Game;
struct _SDL_GameController;

class Gamepad {
public:
    Gamepad() = default;
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // Starts SDL's game-controller subsystem; false, silently, when it cannot: the game then runs as it
    // would without a pad.
    bool open();

    // The pad as it is now, taking up pads plugged in and letting go of one pulled out: a pad pulled out
    // reads as not connected once, and the next pad still there is taken up at the following reading.
    PadState read();

    // Where the pad in use has rumble; nothing at all otherwise.
    void rumble(Rumble kind);

private:
    void close();
    void takeUp(int deviceIndex);
    void reportUnmapped(int deviceIndex);

    bool started_ = false;
    _SDL_GameController* controller_ = nullptr;
    // Joysticks SDL knows no mapping for, said once each on stderr.
    std::set<std::string> unmappedReported_;
};

// What the shell does with the pad every poll: reads it, hands the reading to the pad's rules, carries out
// what they ask and plays what they recorded (sounds, and the rumble, which is forgotten without a pad).
void pollGamepad(Game& game, SoundPlayer& sound, Gamepad& pad);

// How often the shell polls the pad; the pad's held controls act in game steps, not in polls.
inline constexpr unsigned int kPadPollMs = 10;
