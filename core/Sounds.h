// The game's five sound effects and their files under Sounds/: the one list the shell plays from and the
// asset generator writes.
#pragma once

#include <array>
#include <cstddef>

enum class Sound { GunShot, EnemyBurst, TorpedoLaunch, GreatExplosion, Explosion };

// In the order of Sound.
inline constexpr std::array<const char*, 5> kSoundFiles{
    "30cal_shoot.wav", "mg42_shoot.wav", "Torpedo_Tubes.wav", "great_explosion.wav", "explosion.wav"};

inline constexpr const char* soundFile(Sound sound) {
    return kSoundFiles[static_cast<std::size_t>(sound)];
}
