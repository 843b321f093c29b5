#include "app/Sound.h"

#include "core/GameState.h"

#include <SDL.h>

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

// ALSA writes several lines of its own to stderr when there is no sound card; we report that in one.
extern "C" void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

void quietenAlsa() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (!alsa)
        return;
    if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(silentAlsaErrors);
    // The library stays loaded: SDL opens the same one and keeps using our handler.
}

struct WavBuffer {
    Uint8* data = nullptr;
    Uint32 length = 0;
    ~WavBuffer() { SDL_FreeWAV(data); }
};

struct DataChunk {
    uint64_t claimed; // bytes of sound the chunk's header declares
    uint64_t present; // of those, the bytes the file holds
};

// SDL plays a file cut short without a word, so we read the data chunk's header ourselves; nothing when the
// file has no data chunk to read, which SDL then reports.
std::optional<DataChunk> dataChunk(const std::vector<uint8_t>& file) {
    const auto at = [&](uint64_t offset, const char* id) { return std::memcmp(&file[offset], id, 4) == 0; };
    if (file.size() < 12 || !at(0, "RIFF") || !at(8, "WAVE"))
        return std::nullopt;
    for (uint64_t chunk = 12; chunk + 8 <= file.size();) {
        const uint64_t size = file[chunk + 4] | file[chunk + 5] << 8 | file[chunk + 6] << 16 |
                              static_cast<uint64_t>(file[chunk + 7]) << 24;
        if (at(chunk, "data"))
            return DataChunk{size, std::min(size, file.size() - chunk - 8)};
        chunk += 8 + size + size % 2; // chunks keep an even length
    }
    return std::nullopt;
}

} // namespace

SoundPlayer::~SoundPlayer() {
    if (device_ != 0)
        SDL_CloseAudioDevice(device_);
    if (sdlStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SoundPlayer::open() {
    if (device_ != 0)
        return true;
    // Keep Ctrl-C working: SDL must not install its own signal handlers.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    quietenAlsa();
    if (!sdlStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::cerr << "Sound: no audio system (" << SDL_GetError() << "), playing silently" << std::endl;
            return false;
        }
        sdlStarted_ = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 512;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device_ == 0) {
        std::cerr << "Sound: no audio device (" << SDL_GetError() << "), playing silently" << std::endl;
        return false;
    }
    deviceFormat_ = obtained.format;
    deviceChannels_ = obtained.channels;
    deviceRate_ = obtained.freq;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

const std::vector<uint8_t>* SoundPlayer::clip(const std::string& path) {
    if (auto found = clips_.find(path); found != clips_.end())
        return found->second ? &*found->second : nullptr;

    std::optional<std::vector<uint8_t>>& entry = clips_[path];
    std::ifstream in(path, std::ios::binary);
    // SDL decodes the same bytes the check below reads: the file is read once.
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SDL_AudioSpec format{};
    WavBuffer wav;
    const char* unreadable = !in.is_open()           ? "cannot open it"
                             : file.empty()          ? "empty"
                             : file.size() > INT_MAX ? "too large"
                                                     : nullptr;
    if (unreadable || !SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1,
                                      &format, &wav.data, &wav.length)) {
        std::cerr << "Sound: cannot play " << path << " (" << (unreadable ? unreadable : SDL_GetError())
                  << ")" << std::endl;
        return nullptr;
    }
    // What is there is sound as it was made: better the start of the effect than silence.
    if (const auto chunk = dataChunk(file); chunk && chunk->present < chunk->claimed)
        std::cerr << "Sound: " << path << " is cut short: " << chunk->present << " of its " << chunk->claimed
                  << " bytes of sound are there; playing those" << std::endl;
    SDL_AudioCVT cvt{};
    const int built = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq,
                                        static_cast<SDL_AudioFormat>(deviceFormat_),
                                        static_cast<Uint8>(deviceChannels_), deviceRate_);
    if (built < 0) {
        std::cerr << "Sound: cannot convert " << path << " (" << SDL_GetError() << ")" << std::endl;
        return nullptr;
    }
    std::vector<uint8_t> samples(static_cast<size_t>(wav.length) * static_cast<size_t>(cvt.len_mult));
    std::memcpy(samples.data(), wav.data, wav.length);
    if (built == 1) {
        cvt.buf = samples.data();
        cvt.len = static_cast<int>(wav.length);
        if (SDL_ConvertAudio(&cvt) != 0) {
            std::cerr << "Sound: cannot convert " << path << " (" << SDL_GetError() << ")" << std::endl;
            return nullptr;
        }
        samples.resize(static_cast<size_t>(cvt.len_cvt));
    } else {
        samples.resize(wav.length);
    }
    entry = std::move(samples);
    return &*entry;
}

void SoundPlayer::play(const std::string& path) {
    if (device_ == 0)
        return;
    const std::vector<uint8_t>* samples = clip(path);
    if (!samples)
        return;
    // One channel: whatever still sounds is dropped before the new effect is queued.
    SDL_LockAudioDevice(device_);
    SDL_ClearQueuedAudio(device_);
    SDL_QueueAudio(device_, samples->data(), static_cast<Uint32>(samples->size()));
    SDL_UnlockAudioDevice(device_);
}

uint32_t SoundPlayer::queuedBytes() const {
    return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0;
}

std::optional<size_t> SoundPlayer::decodedSize(const std::string& path) const {
    const auto found = clips_.find(path);
    if (found == clips_.end() || !found->second)
        return std::nullopt;
    return found->second->size();
}

void playRecordedSounds(GameState& state, SoundPlayer& player) {
    for (const Sound sound : state.effects.sounds)
        player.play(std::string("Sounds/") + soundFile(sound));
    state.effects.sounds.clear();
}
