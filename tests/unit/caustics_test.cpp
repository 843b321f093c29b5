#include "world/Caustics.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Caustics, FrameCyclesThroughTheThirtyTwoTextures) {
    std::vector<int> frames{29};
    for (int k = 0; k < 4; ++k)
        frames.push_back(nextCausticFrame(frames.back()));
    EXPECT_EQ(frames, (std::vector<int>{29, 30, 31, 0, 1}));

    // A full round visits every texture once, stays inside the array and comes back to the start.
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
}

TEST(Caustics, PlanesProjectThePatternAcrossXAndZAndDriftWithHeight) {
    const CausticPlanes planes = causticPlanes(0.75f);
    EXPECT_EQ(planes.s, (std::array<float, 4>{0.0375f, 0.0225f, 0.0f, 0.0f}));
    EXPECT_EQ(planes.t, (std::array<float, 4>{0.0f, 0.0225f, 0.0375f, 0.0f}));

    // The planes grow with the scale; at scale 0 (before world initialisation) the pattern is one texel.
    const CausticPlanes doubled = causticPlanes(1.5f);
    EXPECT_FLOAT_EQ(doubled.s[0], 0.075f);
    EXPECT_FLOAT_EQ(doubled.t[2], 0.075f);
    const CausticPlanes none = causticPlanes(0.0f);
    EXPECT_EQ(none.s, (std::array<float, 4>{}));
    EXPECT_EQ(none.t, (std::array<float, 4>{}));
}
