// A town of the valley: its name, the inhabitants still waiting, its place and its SOS sign, and the
// display list of its model.
#pragma once

#include "app/Vec3.h"

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
    int signAngle = 0;
    unsigned int displayList = 0;
};
