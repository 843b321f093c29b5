// Drawing what rules recorded for the next frame: world shapes with the frame's camera after the world,
// the muzzle flash and screen texts over the HUD.
#pragma once

struct PendingEffects;

// Lines and spheres at their world positions under the current camera, untextured and without caustics,
// as if drawn straight after the world.
void drawWorldEffects(const PendingEffects& effects);

// Texts in the overlay's -1..1 square, unlit and over everything.
void drawScreenEffects(const PendingEffects& effects);

// The muzzle flash with the given texture, if a shot recorded one, in the overlay's -1..1 square over the
// HUD. The state it changes is put back.
void drawMuzzleFlash(const PendingEffects& effects, unsigned int texture);
