#include "app/Instruments.h"

#include "core/TextureTable.h"

#include <string>

namespace {
constexpr int kFullLifeAbove = 90;
constexpr double kHeatPerBarUnit = 182.0;
} // namespace

int lifeBarTexture(int lifePoints) {
    if (lifePoints > kFullLifeAbove)
        return kHealthFrames - 2;
    if (lifePoints <= 0)
        return kHealthFrames - 1;
    return lifePoints / 10;
}

float heatFillTop(int gunHeat) {
    return static_cast<float>(kHeatFillBottom + gunHeat / kHeatPerBarUnit);
}

int personIconTexture(bool beamingActive, bool nearTown) {
    if (beamingActive)
        return kPersonBeamTexture;
    return nearTown ? kPersonGreenTexture : kPersonRedTexture;
}

RadarOffset radarPointerOffset(const Vec3d& playerPos) {
    return {static_cast<float>(playerPos.x / 4096.0 * 0.8), static_cast<float>(playerPos.z / 2048.0 * 0.4)};
}

std::string intToString(int n) {
    return std::to_string(n);
}
