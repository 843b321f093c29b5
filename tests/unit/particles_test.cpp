#include "enemies/BubbleEmitter.h"
#include "particles/Particle.h"
#include "support/CoutCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

void expectAt(const particle& p, Vec3 want, const std::string& what) {
    EXPECT_NEAR(p.position.x, want.x, 1e-5) << what;
    EXPECT_NEAR(p.position.y, want.y, 1e-5) << what;
    EXPECT_NEAR(p.position.z, want.z, 1e-5) << what;
}

} // namespace

TEST(Particles, BubbleRisesByItsSpeedAndOddDrawsDriftOneWayEvenOnesTheOther) {
    // rand() % 100 -> sideways step per unit of speed, on x and z alike
    const std::pair<int, float> cases[] = {{0, 0.0f}, {99, 1.65f}, {42, -0.7f}, {7, 7 / 60.0f}};
    for (const auto& [r, sideways] : cases) {
        unsigned int seed = 1;
        for (std::srand(seed); std::rand() % 100 != r; std::srand(++seed)) {
        }
        bubbleparticle bubble({1, 2, 3}, 0.08f);
        std::srand(seed);
        bubble.update();
        expectAt(bubble, {1 + 0.04f * sideways, 2.04f, 3 + 0.04f * sideways}, "r = " + std::to_string(r));
        EXPECT_EQ(bubble.age, 1);
    }
}

TEST(Particles, ExplosionFragmentCurvesDownEverFaster) {
    explosionparticle fragment({0, 0, 0}, {1, 0.5f, -2}, 6, 0.5f);
    // Steps of 0.175 * (1, 0.5 - (age + 1) / 20, -2).
    for (const Vec3& want :
         {Vec3{0.175f, 0.07875f, -0.35f}, {0.35f, 0.14875f, -0.7f}, {0.525f, 0.21f, -1.05f}}) {
        fragment.update();
        expectAt(fragment, want, "age " + std::to_string(fragment.age));
    }
}

TEST(Particles, TorpedoPrintsItsLaunchRunsUntilDetonatedThenGrowsItsBlastInPlace) {
    const CoutCapture capture;
    w2particle torpedo({0, 0, 0}, 0, 0);
    EXPECT_EQ(capture.str(), "halo 0.35 xplode 0\n");
    EXPECT_EQ(capture.flushed, capture.str()) << "a console behind a pipe would not see the launch";

    torpedo.update();
    torpedo.detonated = true;
    for (int k = 1; k <= 23; ++k) {
        torpedo.update();
        EXPECT_FLOAT_EQ(torpedo.blastRadius, 0.35f + 0.25f * k);
        EXPECT_EQ(torpedo.age, k < 23 ? 1 + k : kTorpedoRetirementAge) << "the blast reaches 6 at the 23rd";
    }
    expectAt(torpedo, {0, 0, -1}, "one step run, then still");
}

TEST(Particles, ShotsFlyStraightAlongTheirAimAtTheirSpeed) {
    const CoutCapture capture; // torpedoes print
    const Vec3 o{1, 2, 3};
    // Tracers and torpedoes take a = -aimPitch and b = -aimHeading: b = 90 is a view turned right.
    const std::pair<std::shared_ptr<particle>, Vec3> cases[] = {
        {std::make_shared<w4particle>(o, Vec3{40, 0, 0}), {10, 0, 0}},
        {std::make_shared<w1particle>(o, 0, 0), {0, 0, -25}},
        {std::make_shared<w1particle>(o, 0, 90), {25, 0, 0}},
        {std::make_shared<w1particle>(o, -30, 0), {0, -12.5f, -21.650635f}},
        {std::make_shared<w2particle>(o, 60, 180), {0, 0.8660254f, 0.5f}},
    };
    int row = 0;
    for (const auto& [shot, step] : cases) {
        shot->update();
        expectAt(*shot, {o.x + step.x, o.y + step.y, o.z + step.z}, "row " + std::to_string(row++));
        EXPECT_EQ(shot->age, 1);
    }
}

TEST(BubbleEmitter, GrowsByOneBubbleEverySecondUpdateUpToThirtyOne) {
    BubbleEmitter emitter;
    for (const bubbleparticle& bubble : emitter.bubbles)
        expectAt(bubble, {0, 0.05f, 0}, "a new emitter's bubble");
    // updates so far -> bubbles
    const std::pair<int, size_t> cases[] = {{0, 2},   {1, 2},   {2, 3},   {3, 3},   {4, 4},
                                            {57, 30}, {58, 31}, {59, 31}, {300, 31}};
    int done = 0;
    for (const auto& [updates, bubbles] : cases) {
        for (; done < updates; ++done)
            emitter.update(10, 20, 30);
        EXPECT_EQ(emitter.bubbles.size(), bubbles) << updates << " updates";
    }
}

TEST(BubbleEmitter, RecyclesABubbleInItsOwnSlotAtAgeThirtyAtTheCurrentSource) {
    BubbleEmitter emitter;
    for (int k = 0; k < 29; ++k)
        emitter.update(5, 6, 7);
    emitter.update(100, 200, 300);
    for (size_t slot : {0, 1}) {
        EXPECT_EQ(emitter.bubbles[slot].age, 0);
        expectAt(emitter.bubbles[slot], {100, 200.05f, 300}, "slot " + std::to_string(slot));
    }
    EXPECT_EQ(emitter.bubbles[2].age, 29) << "the second update's bubble is not due yet";
    EXPECT_EQ(emitter.bubbles.back().age, 1) << "a bubble added by an update is moved by it too";
}

TEST(BubbleEmitter, SizesStayInRangeAndRecycledBubblesShareTheLastRolledSize) {
    std::set<float> sizes;
    for (unsigned int seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        BubbleEmitter emitter;
        for (int k = 0; k < 100; ++k) {
            emitter.update(0, 0, 0);
            for (const bubbleparticle& bubble : emitter.bubbles)
                sizes.insert(bubble.size);
        }
        // All have been recycled since the last bubble was added, without a new roll.
        for (const bubbleparticle& bubble : emitter.bubbles)
            EXPECT_FLOAT_EQ(bubble.size, 0.075f + 2 * emitter.sizeJitter) << "seed " << seed;
    }
    ASSERT_EQ(sizes.size(), 10u) << "ten steps of the jitter";
    EXPECT_FLOAT_EQ(*sizes.begin(), 0.075f);
    EXPECT_FLOAT_EQ(*sizes.rbegin(), 0.084f);
}
