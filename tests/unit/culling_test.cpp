#include "core/View.h"
#include "world/Culling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// An independent model of what OpenGL does with a point: the camera built from the same rotations as
// the frame, then gluPerspective's matrix, then the clip test. Culling must never drop what this shows.
bool projectsIntoView(float pitch, float aimHeading, const Vec3& eye, double farDepth, double x, double y,
                      double z) {
    const double p = pitch * M_PI / 180.0;
    const double h = (360.0f - aimHeading) * M_PI / 180.0;
    double dx = x - eye.x, dy = y - eye.y, dz = z - eye.z;
    // Rotate about y, then about x.
    const double x1 = std::cos(h) * dx + std::sin(h) * dz;
    const double z1 = -std::sin(h) * dx + std::cos(h) * dz;
    const double y2 = std::cos(p) * dy - std::sin(p) * z1;
    const double z2 = std::sin(p) * dy + std::cos(p) * z1;
    const double f = 1.0 / std::tan(kFieldOfViewY * M_PI / 360.0);
    const double w = -z2;
    if (w < kNearPlane || w > farDepth)
        return false;
    const double cx = f / kAspect * x1;
    const double cy = f * y2;
    return std::abs(cx) <= w && std::abs(cy) <= w;
}

} // namespace

TEST(Culling, FogHidesEverythingBeyondTheDerivedDepth) {
    const double depth = fogHidingDepth(0.008);
    EXPECT_NEAR(depth, 312.1, 0.1);
    // At that depth even a full-strength colour differs from the fog by under half a step.
    const double factor = std::exp(-std::pow(0.008 * depth, 2));
    EXPECT_LE(factor * 255.0, 0.5 + 1e-9);
    const double justNearer = std::exp(-std::pow(0.008 * (depth - 5.0), 2));
    EXPECT_GT(justNearer * 255.0, 0.5);
}

TEST(Culling, AVisibleBoxIsNeverCulled) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> angle(-180.0f, 180.0f);
    std::uniform_real_distribution<float> coordinate(-400.0f, 400.0f);
    std::uniform_real_distribution<float> extent(0.0f, 130.0f);
    int visible = 0, culled = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const float pitch = angle(random) / 2;
        const float heading = angle(random);
        const Vec3 eye{coordinate(random), coordinate(random) / 4, coordinate(random)};
        const ViewFrustum frustum(pitch, heading, eye, 312.0);
        Box box;
        box.min = {coordinate(random), coordinate(random) / 4, coordinate(random)};
        box.max = {box.min.x + extent(random), box.min.y + extent(random) / 4, box.min.z + extent(random)};
        bool anyShows = false;
        for (int s = 0; s < 27 && !anyShows; ++s) {
            const double x = box.min.x + (box.max.x - box.min.x) * (s % 3) / 2.0;
            const double y = box.min.y + (box.max.y - box.min.y) * (s / 3 % 3) / 2.0;
            const double z = box.min.z + (box.max.z - box.min.z) * (s / 9) / 2.0;
            anyShows = projectsIntoView(pitch, heading, eye, 312.0, x, y, z);
        }
        const bool kept = frustum.mayShow(box);
        if (anyShows) {
            ++visible;
            ASSERT_TRUE(kept) << "trial " << trial;
        }
        culled += kept ? 0 : 1;
    }
    // The rule must do some work, too: many random boxes lie behind or beside the camera.
    EXPECT_GT(visible, 300);
    EXPECT_GT(culled, 5000);
}

TEST(Culling, BoxesBehindBesideAndBeyondTheFogAreDropped) {
    // Looking along -z from the origin (heading 0, pitch 0).
    const ViewFrustum frustum(0.0f, 0.0f, {0, 0, 0}, 312.0);
    const auto box = [](float x, float z) { return Box{{x - 5, -5, z - 5}, {x + 5, 5, z + 5}}; };
    EXPECT_TRUE(frustum.mayShow(box(0, -100)));
    EXPECT_FALSE(frustum.mayShow(box(0, 100)));   // behind
    EXPECT_FALSE(frustum.mayShow(box(300, -50))); // far to the right
    EXPECT_FALSE(frustum.mayShow(box(0, -330)));  // lost in the fog
    EXPECT_TRUE(frustum.mayShow(box(0, -310)));

    // A positive heading turns left: the box on the left comes into view.
    const ViewFrustum turned(0.0f, 90.0f, {0, 0, 0}, 312.0);
    EXPECT_TRUE(turned.mayShow(box(-100, 0)));
    EXPECT_FALSE(turned.mayShow(box(100, 0)));
    // A positive pitch tilts down: at 60 degrees the view axis runs through (0, -86.6, -50).
    const ViewFrustum down(60.0f, 0.0f, {0, 0, 0}, 312.0);
    EXPECT_TRUE(down.mayShow(Box{{-5, -92, -55}, {5, -82, -45}}));
    EXPECT_FALSE(down.mayShow(Box{{-5, 82, -55}, {5, 92, -45}}));
    EXPECT_FALSE(down.mayShow(box(0, -100)));
}
