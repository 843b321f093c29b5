// Geometry shared across subsystems: Vec3 for positions handed between parts (floats), Vec3d for the
// submarine's own position and velocity (doubles, converted to float at each call), and axis-aligned boxes.
#pragma once

#include <cmath>
#include <numbers>

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vec3 toFloat() const { return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)}; }
};

// Degrees, as the game keeps its angles, to the radians of the maths library.
inline double radians(float degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Single-precision straight-line distance; every range test of the game (towns, beaming) is made in float.
inline float distance(const Vec3& a, const Vec3& b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

struct Box {
    Vec3 min;
    Vec3 max;
};
