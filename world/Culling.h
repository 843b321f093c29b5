// Which parts of the floor a frame can see: the view frustum of the game's perspective, cut off where the
// fog has swallowed every colour.
#pragma once

#include "core/Vec3.h"

#include <array>

// Eye depth beyond which exponential-squared fog of this density leaves less than half an 8-bit step
// between any colour and the fog colour.
double fogHidingDepth(double density);

class ViewFrustum {
public:
    // The camera of a frame: pitch about x, then 360 - aimHeading about y, then the eye at `eye`.
    ViewFrustum(float pitch, float aimHeading, const Vec3& eye, double farDepth);

    // False only if the box lies wholly outside one of the six planes: a visible box is never culled.
    bool mayShow(const Box& box) const;

    // Eye-space coordinates of a world point (x right, y up, -z ahead).
    std::array<double, 3> toEye(double x, double y, double z) const;

private:
    double rotation_[3][3];
    double eye_[3];
    // Inside when a*x + b*y + c*z + d >= 0 in eye space.
    std::array<std::array<double, 4>, 6> planes_;
};
