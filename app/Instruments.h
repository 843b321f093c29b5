// What the HUD's instruments show, as rules the drawing reads: the life bar's picture, the heat fill's top,
// the person icon, the radar pointer's place, and the numbers' text.
#pragma once

#include "core/Vec3.h"

#include <string>

// Index in the HUD textures of the life bar's picture: tenths of life, the last picture once life is gone.
int lifeBarTexture(int lifePoints);

// Top edge of the gun-heat fill in the HUD's bar coordinates; its bottom is kHeatFillBottom.
inline constexpr float kHeatFillBottom = 0.26f;
float heatFillTop(int gunHeat);

// Index in the HUD textures of the person icon: beaming in progress wins over a town in reach.
int personIconTexture(bool beamingActive, bool nearTown);

// The radar pointer's offset on the map for a submarine position: the valley's x range 0..4096 maps to
// 0..0.8, its z range 0..-2048 to 0..-0.4.
struct RadarOffset {
    float x;
    float y;
};
RadarOffset radarPointerOffset(const Vec3d& playerPos);

// A number as the HUD prints it: decimal, minus sign when negative, no padding.
std::string intToString(int n);
