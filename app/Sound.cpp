#include "app/Sound.h"

#include "core/GameState.h"

#include <SDL.h>

#include <dlfcn.h>

#include <cstring>
#include <iostream>

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
    SDL_AudioSpec format{};
    WavBuffer wav;
    if (!SDL_LoadWAV(path.c_str(), &format, &wav.data, &wav.length)) {
        std::cerr << "Sound: cannot play " << path << " (" << SDL_GetError() << ")" << std::endl;
        return nullptr;
    }
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
