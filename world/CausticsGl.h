// The caustics on the GL side: texture unit 1 projects one caustic frame onto everything drawn, multiplied
// into unit 0's colour.
#pragma once

struct CausticProjection;
struct GameState;

// Unit 1 projects the state's current frame in modulate mode; run once when the caustic textures are
// loaded. Leaves unit 0 active with GL_TEXTURE_2D enabled.
void prepareCausticUnit(const GameState& state);

// Puts the frame and planes the caustic timer recorded on unit 1, generation on, and forgets them; leaves
// unit 0 active. Without a recording unit 1 stays as it is.
void applyRecordedCaustics(GameState& state);
