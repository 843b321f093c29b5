// The caustic light patterns projected onto the whole scene through texture unit 1: the unit's set-up
// after texture loading, the frame cycle and the projection planes, and the timer that animates them.
#pragma once

#include "core/TextureTable.h"

#include <array>

struct GameState;

// The frame after this one: 0 to 31, then 0 again.
int nextCausticFrame(int frame);

// Object-linear planes for the S and T coordinates of unit 1, scaled by causticScale.
struct CausticPlanes {
    std::array<float, 4> s;
    std::array<float, 4> t;
};
CausticPlanes causticPlanes(float scale);

// Unit 1 projects the current frame in modulate mode; run once when the caustic textures are loaded.
// Leaves unit 0 active with GL_TEXTURE_2D enabled.
void prepareCausticUnit();

// Puts the state's caustic frame and planes on unit 1, generation on; leaves unit 0 active.
void applyCausticFrame(const GameState& state);

// Timer callback: the next caustic frame every 50 ms.
void causticTimer(int value);
