#include "player/MouseLook.h"

#include "core/GameState.h"

namespace {

constexpr float kStep = 0.5f;
// The pointer area and its margin: the game's window was 800 x 600 when this was laid out.
constexpr int kAreaWidth = 800;
constexpr int kAreaHeight = 600;
constexpr int kEdgeMargin = 10;

// Only a full turn exactly is folded back; the angles are otherwise left to run.
float foldFullTurn(float angle) {
    return (angle == 360.0f || angle == -360.0f) ? 0.0f : angle;
}

float stepToward(int delta) {
    return delta > 0 ? kStep : -kStep;
}

} // namespace

void turnPitch(GameState& state, float change) {
    state.pitch = foldFullTurn(state.pitch + change);
    state.aimPitch = state.pitch;
}

void turnHeading(GameState& state, float change) {
    state.heading = foldFullTurn(state.heading + change);
    state.aimHeading = state.heading;
}

void lookByPointer(GameState& state, int x, int y) {
    const int dy = y - state.mouseLastY;
    const int dx = x - state.mouseLastX;
    if (dy != 0)
        turnPitch(state, kPitchPerPixel * static_cast<float>(dy));
    if (dx != 0)
        turnHeading(state, -kHeadingPerPixel * static_cast<float>(dx));
    state.mouseLastX = x;
    state.mouseLastY = y;
}

void lookByStep(GameState& state, int x, int y) {
    const int dy = y - state.mouseLastY;
    const int dx = x - state.mouseLastX;
    if (dy != 0)
        turnPitch(state, stepToward(dy));
    if (dx != 0)
        turnHeading(state, -stepToward(dx));
    state.mouseLastX = x;
    state.mouseLastY = y;
}

std::optional<PointerPosition> recentrePointer(GameState& state) {
    bool moved = false;
    if (state.mouseLastX >= kAreaWidth - kEdgeMargin || state.mouseLastX < kEdgeMargin) {
        state.mouseLastX = kAreaWidth / 2;
        moved = true;
    }
    if (state.mouseLastY >= kAreaHeight - kEdgeMargin || state.mouseLastY < kEdgeMargin) {
        state.mouseLastY = kAreaHeight / 2;
        moved = true;
    }
    // One move to the final place: a pointer in a corner moved twice would report the halfway point
    // afterwards, and that event would turn the view.
    if (!moved)
        return std::nullopt;
    return PointerPosition{state.mouseLastX, state.mouseLastY};
}
