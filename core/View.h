// The fixed view of the game: the perspective every 3D frame uses, the water's clear and fog colour, and
// the fog's density. Drawing and culling share them so they can never disagree.
#pragma once

inline constexpr double kFieldOfViewY = 45.0;
inline constexpr double kAspect = 1.333;
inline constexpr double kNearPlane = 1.0;
inline constexpr double kFarPlane = 1000.0;

inline constexpr float kFogDensity = 0.008f;
inline constexpr float kWaterColour[3] = {0.1f, 0.1f, 0.3f};
