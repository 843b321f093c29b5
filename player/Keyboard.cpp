#include "player/Keyboard.h"

#include "core/GameState.h"
#include "towns/Beaming.h"
#include "world/Terrain.h"

#include <cmath>

namespace {

constexpr unsigned char kEscape = 27;
// A component at or beyond this speed takes no more horizontal thrust in its direction band.
constexpr double kThrustBand = 0.4;
constexpr float kForwardThrust = 0.4f;
constexpr float kSideThrust = 0.2f;
constexpr float kVerticalThrust = 0.1f;
constexpr float kLiftThrust = 0.15f;
constexpr float kAimNudge = 5.0f;
constexpr float kArrowTurn = 1.5f;
// E is refused this close under the water surface.
constexpr double kSurfaceClearance = 2.0;

bool inBand(double component) {
    return component > -kThrustBand && component < kThrustBand;
}

// Each component is gated on its own value before the change, so it leaves the band by one push at most.
void thrust(Vec3d& vel, double dx, double dy, double dz) {
    if (inBand(vel.x))
        vel.x += dx;
    if (inBand(vel.y))
        vel.y += dy;
    if (inBand(vel.z))
        vel.z += dz;
}

// W, S, A and D: along the view (forward and back) or across it.
void horizontalThrust(GameState& state, const TerrainGrid& terrainGrid, unsigned char key) {
    if (!isAboveTerrain(state, terrainGrid))
        return;
    const double cosP = std::cos(radians(state.pitch));
    const double sinP = std::sin(radians(state.pitch));
    const double cosH = std::cos(radians(state.heading));
    const double sinH = std::sin(radians(state.heading));
    switch (key) {
    case 'w':
        thrust(state.playerVel, -kForwardThrust * cosP * sinH, -kVerticalThrust * sinP,
               -kForwardThrust * cosP * cosH);
        break;
    case 's':
        thrust(state.playerVel, kSideThrust * cosP * sinH, kVerticalThrust * sinP, kSideThrust * cosP * cosH);
        break;
    case 'a':
        thrust(state.playerVel, -kSideThrust * cosP * cosH, 0.0, kSideThrust * cosP * sinH);
        break;
    case 'd':
        thrust(state.playerVel, kSideThrust * cosP * cosH, 0.0, -kSideThrust * cosP * sinH);
        break;
    default:
        break;
    }
}

} // namespace

bool isAboveTerrain(const GameState& state, const TerrainGrid& terrainGrid) {
    const std::optional<GridCell> cell = gridCellAt(state.playerPos.x, state.playerPos.z);
    return cell && static_cast<float>(state.playerPos.y) > terrainGrid[cell->column][cell->row].y;
}

KeyCommand pressKey(GameState& state, const std::vector<Stadt>& towns, const TerrainGrid& terrainGrid,
                    unsigned char key) {
    const double cosP = std::cos(radians(state.pitch));
    switch (key) {
    case kEscape:
        return KeyCommand::Quit;
    case 'w':
    case 's':
    case 'a':
    case 'd':
        horizontalThrust(state, terrainGrid, key);
        return KeyCommand::None;
    case 'e':
        // Rising has no speed limit of its own: the ceiling stops it.
        if (state.playerVel.y > -kThrustBand && state.playerPos.y + kSurfaceClearance < state.waterLevel)
            state.playerVel.y += kLiftThrust * cosP;
        return KeyCommand::None;
    case 'q':
        // Gated on the z component, as the controls have always been.
        if (state.playerVel.z < kThrustBand)
            state.playerVel.y -= kLiftThrust * cosP;
        return KeyCommand::None;
    case 'b':
        if (isNearTown(state, towns, state.playerPos.toFloat()))
            state.beamingActive = true;
        return KeyCommand::None;
    case 'c':
        state.aimPitch += kAimNudge;
        return KeyCommand::None;
    case 'n':
        state.aimHeading += kAimNudge;
        return KeyCommand::None;
    case 'o':
        return KeyCommand::Redraw;
    case 'p':
        return KeyCommand::PrintScore;
    case 'y':
        return state.gameEnded ? KeyCommand::Restart : KeyCommand::None;
    default:
        return KeyCommand::None;
    }
}

void pressArrow(GameState& state, int key) {
    switch (key) {
    case kArrowLeft:
        state.heading += kArrowTurn;
        state.aimHeading = state.heading;
        break;
    case kArrowRight:
        state.heading -= kArrowTurn;
        state.aimHeading = state.heading;
        break;
    case kArrowUp:
        state.pitch -= kArrowTurn;
        state.aimPitch = state.pitch;
        break;
    case kArrowDown:
        state.pitch += kArrowTurn;
        state.aimPitch = state.pitch;
        break;
    default:
        break;
    }
}
