// Mouse look as rules: the view follows the pointer (in proportion with no button held, in half-degree
// steps with one held), and the hidden pointer is brought back from the window's edges.
#pragma once

#include <optional>

struct GameState;

// The turns every look shares: the aim follows the view, and only a full turn exactly is folded back to 0.
void turnPitch(GameState& state, float change);
void turnHeading(GameState& state, float change);

// A pointer move with no button held: 0.4 degrees of pitch per pixel down, 0.5 of heading per pixel right.
inline constexpr float kPitchPerPixel = 0.4f;
inline constexpr float kHeadingPerPixel = 0.5f;
void lookByPointer(GameState& state, int x, int y);

// A pointer move with a button held: half a degree per event along each axis that moved.
void lookByStep(GameState& state, int x, int y);

struct PointerPosition {
    int x;
    int y;
};

// Brings the remembered pointer back to the middle of the 800 x 600 area when it has come within 10
// pixels of an edge; returns where the pointer must be put, or nothing when it may stay.
std::optional<PointerPosition> recentrePointer(GameState& state);
