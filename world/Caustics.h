// The caustic light patterns' rules: the frame cycle, the projection planes, and the timer's step, which
// records what unit 1 must show for the next frame to apply.
#pragma once

#include "core/Effects.h"
#include "core/TextureTable.h"

struct GameState;

// The frame after this one: 0 to 31, then 0 again.
int nextCausticFrame(int frame);

// Object-linear planes for the S and T coordinates of unit 1, scaled by causticScale.
CausticPlanes causticPlanes(float scale);

// One run of the caustic timer: the next frame, and its projection recorded for the next frame drawn.
void advanceCaustics(GameState& state);
