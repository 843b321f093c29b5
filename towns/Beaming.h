// Rescue: tracking the nearest town, the test for being near enough to beam, and the beaming steps with
// their points, torpedoes, beam line and evacuation message.
#pragma once

#include "core/Vec3.h"

#include <vector>

class Stadt;
struct GameState;

// Within this distance of the nearest town (strictly) its inhabitants can be beamed aboard.
inline constexpr float kBeamRange = 20.0f;
// How many beam-timer runs in a row announce an emptied town.
inline constexpr int kEvacMessageShowings = 6;

// The nearest town, or null when there is none (no list yet, or an index the list no longer has).
const Stadt* nearestTownOf(const GameState& state, const std::vector<Stadt>& towns);
Stadt* nearestTownOf(const GameState& state, std::vector<Stadt>& towns);

// Searches the nearest town from the submarine. When none lies within 10000 units the previous one stays,
// unless the list no longer holds it.
void updateNearestTown(GameState& state, const std::vector<Stadt>& towns);

// Whether `pos` lies less than 20 units from the nearest town and that town still has inhabitants.
bool isNearTown(const GameState& state, const std::vector<Stadt>& towns, const Vec3& pos);

// The town timer's rule: the SOS sign's next frame, then a new search.
void townTimerStep(GameState& state, const std::vector<Stadt>& towns);

// One inhabitant of the nearest town aboard, with the beam line from the town to the hull under `pos`
// recorded for the next frame; returns the points (1, or 5 for a town's last inhabitant, 0 when there was
// nobody).
int beamOnce(GameState& state, std::vector<Stadt>& towns, const Vec3& pos);

// The beam timer's rule. `inhabitantsBefore` is what the nearest town held when the previous run re-armed:
// 0 ends the beaming and announces the emptied town, otherwise an active beaming takes one more inhabitant.
void beamTimerStep(GameState& state, std::vector<Stadt>& towns, int inhabitantsBefore);

// The value the beam timer hands its next run: the inhabitants of the nearest town (0 with none).
int beamTimerValue(const GameState& state, const std::vector<Stadt>& towns);
