// Where the HUD's parts sit inside their pictures, in picture pixels (row 0 at the top as seen on screen).
// Derived from the HUD quads: the bottom bar spans x -1..0, y -1..-0.85 of the overlay; the right bar
// x 0.9..1, y -1..0.4. The score and life lines are printed in black at x -0.89, so they need a light
// plate; the gun model's hub reaches x -0.2, so the bottom bar stops short of it.
#pragma once

#include "core/TextureTable.h"

namespace assetgen::hud {

// Bottom bar, 512 x 64.
inline constexpr float kPanelRight = 404.0f;
inline constexpr float kTextPlateLeft = 44.0f, kTextPlateRight = 268.0f;
inline constexpr float kSlotLeft = 277.0f, kSlotRight = 397.0f, kSlotTop = 14.0f, kSlotBottom = 50.0f;
inline constexpr int kSegments = kHealthFrames - 1; // one per life frame; the last frame is the empty bar
inline constexpr float kSegmentPitch = (kSlotRight - kSlotLeft - 4.0f) / kSegments;

// Right bar, 64 x 512. The heat fill covers rows 216 (heat 73) to 362 (heat 0); torpedo count at row 475.
inline constexpr float kSideTop = 150.0f;
inline constexpr float kTrackTop = 206.0f, kTrackBottom = 368.0f;
inline constexpr float kOverheatRow = 221.5f; // heat 70, where the gun stops
inline constexpr float kCountPlateTop = 446.0f, kCountPlateBottom = 502.0f;

} // namespace assetgen::hud
