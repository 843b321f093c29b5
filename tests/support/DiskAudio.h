// What the game played, as SDL's `disk` audio driver wrote it: whether a stretch of an effect's samples is
// in it. The effects share the device's format, so what was played holds their bytes unchanged.
#pragma once

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The environment that sends the game's sound into `played`.
inline std::vector<std::string> diskAudioInto(const std::string& played) {
    return {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + played};
}

// Whether bytes [from, to) of the samples of a WAVE file (after its 44-byte header) were played.
inline bool playedStretchOf(const std::string& played, const std::string& wave, size_t from, size_t to) {
    const auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::vector<char> samples = bytes(wave), output = bytes(played);
    if (samples.size() < 44 + to || from >= to)
        return false;
    const auto first = samples.begin() + static_cast<long>(44 + from);
    const auto last = samples.begin() + static_cast<long>(44 + to);
    return std::search(output.begin(), output.end(), first, last) != output.end();
}
