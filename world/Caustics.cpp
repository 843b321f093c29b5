#include "world/Caustics.h"

#include "core/GameState.h"

int nextCausticFrame(int frame) {
    return frame >= kCausticFrames - 1 || frame < 0 ? 0 : frame + 1;
}

CausticPlanes causticPlanes(float scale) {
    // Computed in double, stored as float.
    const double factor = scale;
    return {{static_cast<float>(0.05 * factor), static_cast<float>(0.03 * factor), 0.0f, 0.0f},
            {0.0f, static_cast<float>(0.03 * factor), static_cast<float>(0.05 * factor), 0.0f}};
}

void advanceCaustics(GameState& state) {
    state.causticFrame = nextCausticFrame(state.causticFrame);
    state.effects.caustics = CausticProjection{state.causticFrame, causticPlanes(state.causticScale)};
}
