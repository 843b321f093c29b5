// Synthesised sound effects: noise, filters, envelopes and pitch sweeps, mono at 22050 Hz.
#pragma once

#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

std::vector<float> synthGunShot();        // the player's gun: one sharp crack, cut by the next shot
std::vector<float> synthEnemyBurst();     // an enemy's burst: a rapid string of shots
std::vector<float> synthTorpedoLaunch();  // launch thump and a hiss of escaping air
std::vector<float> synthGreatExplosion(); // the torpedo: a big underwater blast with a long rumble
std::vector<float> synthExplosion();      // an enemy craft: a smaller blast

} // namespace assetgen
