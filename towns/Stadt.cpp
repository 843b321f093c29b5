#include "towns/Stadt.h"

int nextSignAngle(int angle) {
    return angle == 360 ? 0 : static_cast<int>(angle + 2.5);
}

bool townInDrawingRange(float distanceToTown) {
    return distanceToTown < 175.0f;
}
