// A town of the valley: its name, the inhabitants still waiting, its place and its SOS sign, and the
// display list of its model; with the rules of the sign's turn and of the distance a town is drawn at.
#pragma once

#include "core/Vec3.h"

#include <string>

class Stadt {
public:
    Stadt(float x, float y, float z, int inhabitants, std::string name)
        : name(std::move(name)), inhabitants(inhabitants), position{x, y, z} {}
    virtual ~Stadt() = default;
    Stadt(const Stadt&) = default;
    Stadt& operator=(const Stadt&) = default;

    std::string name;
    int inhabitants = 0;
    Vec3 position;
    int signAngle = 0;            // degrees; the sign turns a step each time the town is drawn
    unsigned int displayList = 0; // the compiled model, 0 until the drawing side compiles it
};

// The sign's next angle: 2 degrees on, 360 back to 0.
int nextSignAngle(int angle);

// Whether a town at `distanceToTown` is near enough to be drawn.
bool townInDrawingRange(float distanceToTown);
