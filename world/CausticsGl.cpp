#include "world/CausticsGl.h"

#include "core/GameState.h"
#include "core/Gl.h"

#include <algorithm>

namespace {

// A frame index from anywhere but the cycle itself must still name a loaded texture.
unsigned int causticTexture(const GameState& state, int frame) {
    return state.causticTextures[static_cast<size_t>(std::clamp(frame, 0, kCausticFrames - 1))];
}

} // namespace

void prepareCausticUnit(const GameState& state) {
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, causticTexture(state, state.causticFrame));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
}

void applyRecordedCaustics(GameState& state) {
    if (!state.effects.caustics)
        return;
    const CausticProjection projection = *state.effects.caustics;
    state.effects.caustics.reset();
    glActiveTexture(GL_TEXTURE1);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, projection.planes.s.data());
    glTexGenfv(GL_T, GL_OBJECT_PLANE, projection.planes.t.data());
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, causticTexture(state, projection.frame));
    // Everything else in the game draws on unit 0 and expects it active.
    glActiveTexture(GL_TEXTURE0);
}
