#include "world/Caustics.h"

#include "app/GameState.h"
#include "app/Gl.h"
#include "app/Timers.h"

#include <algorithm>

namespace {

// A frame index from anywhere but the cycle itself must still name a loaded texture.
unsigned int causticTexture(const GameState& state) {
    return state.causticTextures[static_cast<size_t>(std::clamp(state.causticFrame, 0, kCausticFrames - 1))];
}

} // namespace

int nextCausticFrame(int frame) {
    return frame >= kCausticFrames - 1 || frame < 0 ? 0 : frame + 1;
}

CausticPlanes causticPlanes(float scale) {
    const double k = scale;
    return {{static_cast<float>(0.05 * k), static_cast<float>(0.03 * k), 0.0f, 0.0f},
            {0.0f, static_cast<float>(0.03 * k), static_cast<float>(0.05 * k), 0.0f}};
}

void prepareCausticUnit() {
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, causticTexture(game));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
}

void applyCausticFrame(const GameState& state) {
    const CausticPlanes planes = causticPlanes(state.causticScale);
    glActiveTexture(GL_TEXTURE1);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, planes.s.data());
    glTexGenfv(GL_T, GL_OBJECT_PLANE, planes.t.data());
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, causticTexture(state));
    // Everything else in the game draws on unit 0 and expects it active.
    glActiveTexture(GL_TEXTURE0);
}

void causticTimer(int) {
    timerStarted(game, TimerId::Caustic);
    game.causticFrame = nextCausticFrame(game.causticFrame);
    applyCausticFrame(game);
    rearmTimer(game, TimerId::Caustic, 1);
}
