#include "world/Caustics.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Caustics, FramesVisitEveryTextureOnceARoundAndPlanesScaleWithTheCausticScale) {
    std::vector<int> seen(kCausticFrames, 0);
    int frame = 0;
    for (int k = 0; k < kCausticFrames; ++k) {
        frame = nextCausticFrame(frame);
        ASSERT_GE(frame, 0);
        ASSERT_LT(frame, kCausticFrames);
        ++seen[static_cast<size_t>(frame)];
    }
    EXPECT_EQ(seen, std::vector<int>(kCausticFrames, 1));
    EXPECT_EQ(frame, 0);

    const CausticPlanes doubled = causticPlanes(1.5f);
    EXPECT_FLOAT_EQ(doubled.s[0], 0.075f);
    EXPECT_FLOAT_EQ(doubled.s[1], 0.045f);
    EXPECT_FLOAT_EQ(doubled.t[1], 0.045f);
    EXPECT_FLOAT_EQ(doubled.t[2], 0.075f);
    EXPECT_EQ(doubled.s[2] + doubled.s[3] + doubled.t[0] + doubled.t[3], 0.0f);
    // Before world initialisation the scale is 0 and the pattern one texel.
    EXPECT_EQ(causticPlanes(0.0f).s, (std::array<float, 4>{}));
}
