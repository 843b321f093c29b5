// Drawing what rules recorded for the next frame: world shapes with the frame's camera after the world,
// screen texts over the HUD.
#pragma once

struct GameState;
struct PendingEffects;

// Lines and spheres at their world positions under the current camera, untextured and without caustics,
// as if drawn straight after the world, into a world drawn at `pixelScale` of the window's resolution.
void drawWorldEffects(const PendingEffects& effects, float pixelScale);

// Texts in the overlay's -1..1 square, unlit and over everything.
void drawScreenEffects(GameState& state);
