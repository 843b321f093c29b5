// Rescue: tracking the nearest town and beaming its inhabitants aboard.
#pragma once

#include <vector>

class Stadt;
struct GameState;

// The value the beam timer hands its next run: the inhabitants of the nearest town (0 with none).
int beamTimerValue(const GameState& state, const std::vector<Stadt>& towns);
