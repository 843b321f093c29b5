#include "world/Culling.h"

#include "core/View.h"

#include <cmath>

double fogHidingDepth(double density) {
    // The fog leaves f = exp(-(density * depth)^2) of a colour's distance to the fog colour, at most 1.
    // Below half a step of 1/255 nothing can show: f < 1/510.
    return std::sqrt(std::log(2.0 * 255.0)) / density;
}

ViewFrustum::ViewFrustum(float pitch, float aimHeading, const Vec3& eye, double farDepth) {
    const double degree = M_PI / 180.0;
    // Angles in float as the GL calls take them, then the same rotation matrices glRotate builds.
    const double p = static_cast<double>(pitch) * degree;
    const double h = static_cast<double>(360.0f - aimHeading) * degree;
    const double cp = std::cos(p), sp = std::sin(p), ch = std::cos(h), sh = std::sin(h);
    const double rx[3][3] = {{1, 0, 0}, {0, cp, -sp}, {0, sp, cp}};
    const double ry[3][3] = {{ch, 0, sh}, {0, 1, 0}, {-sh, 0, ch}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            rotation_[r][c] = 0.0;
            for (int k = 0; k < 3; ++k)
                rotation_[r][c] += rx[r][k] * ry[k][c];
        }
    eye_[0] = eye.x;
    eye_[1] = eye.y;
    eye_[2] = eye.z;

    const double ty = std::tan(kFieldOfViewY * 0.5 * degree);
    const double tx = ty * kAspect;
    planes_ = {{
        {0, 0, -1, -kNearPlane}, // -z >= near
        {0, 0, 1, farDepth},     // -z <= far
        {1, 0, -tx, 0},          // x >= z * tx (left)
        {-1, 0, -tx, 0},         // right
        {0, 1, -ty, 0},          // bottom
        {0, -1, -ty, 0},         // top
    }};
}

std::array<double, 3> ViewFrustum::toEye(double x, double y, double z) const {
    const double d[3] = {x - eye_[0], y - eye_[1], z - eye_[2]};
    std::array<double, 3> e{};
    for (int r = 0; r < 3; ++r)
        e[r] = rotation_[r][0] * d[0] + rotation_[r][1] * d[1] + rotation_[r][2] * d[2];
    return e;
}

bool ViewFrustum::mayShow(const Box& box) const {
    std::array<std::array<double, 3>, 8> corners{};
    for (int i = 0; i < 8; ++i)
        corners[i] = toEye(i & 1 ? box.max.x : box.min.x, i & 2 ? box.max.y : box.min.y,
                           i & 4 ? box.max.z : box.min.z);
    for (const auto& plane : planes_) {
        bool allOutside = true;
        for (const auto& c : corners)
            if (plane[0] * c[0] + plane[1] * c[1] + plane[2] * c[2] + plane[3] >= 0.0) {
                allOutside = false;
                break;
            }
        if (allOutside)
            return false;
    }
    return true;
}
