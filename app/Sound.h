// Sound effects on one channel: a new effect cuts the one still sounding. Playing never blocks the caller;
// a missing device or file leaves the game silent with one line on stderr.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class SoundPlayer {
public:
    SoundPlayer() = default;
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Opens the audio device; false (with one stderr line) when there is none.
    bool open();
    bool isOpen() const { return device_ != 0; }

    // Starts the effect at once, replacing whatever still sounds. Each file is decoded once and kept; one
    // shorter than its header claims plays the part it holds, with one line on stderr.
    void play(const std::string& path);

    // Bytes of the current effect not yet handed to the device (0 without a device).
    uint32_t queuedBytes() const;
    // Bytes of a decoded effect in the device's format, or nothing if the file could not be played.
    std::optional<size_t> decodedSize(const std::string& path) const;

private:
    const std::vector<uint8_t>* clip(const std::string& path);

    uint32_t device_ = 0;
    bool sdlStarted_ = false;
    int deviceFormat_ = 0;
    int deviceChannels_ = 0;
    int deviceRate_ = 0;
    // nullopt marks a file already reported as unplayable.
    std::map<std::string, std::optional<std::vector<uint8_t>>> clips_;
};

struct GameState;
// Plays the sounds the rules recorded, in order, on the given player, and forgets them (also when the
// player has no device). One channel: of several, the last one is what stays audible.
void playRecordedSounds(GameState& state, SoundPlayer& player);
