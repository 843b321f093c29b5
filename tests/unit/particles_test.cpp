#include "enemies/BubbleEmitter.h"
#include "particles/Particle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

void expectNear(const Vec3& got, const Vec3& want, const std::string& what) {
    EXPECT_NEAR(got.x, want.x, 1e-5) << what;
    EXPECT_NEAR(got.y, want.y, 1e-5) << what;
    EXPECT_NEAR(got.z, want.z, 1e-5) << what;
}

// A seed whose first rand() % 100 is r, so a test can choose the bubble's draw.
unsigned int seedGiving(int r) {
    for (unsigned int seed = 1; seed < 100000; ++seed) {
        std::srand(seed);
        if (std::rand() % 100 == r)
            return seed;
    }
    ADD_FAILURE() << "no seed gives " << r;
    return 0;
}

// Takes std::cout's output and notes what had been written when it was last flushed.
class CoutCapture : public std::stringbuf {
public:
    CoutCapture() : previous_(std::cout.rdbuf(this)) {}
    ~CoutCapture() override { std::cout.rdbuf(previous_); }
    std::string flushed;

protected:
    int sync() override {
        flushed = str();
        return 0;
    }

private:
    std::streambuf* previous_;
};

} // namespace

TEST(Particles, BubbleRisesByItsSpeedAndOddDrawsDriftOneWayEvenOnesTheOther) {
    struct Case {
        int r;
        float sideways; // per unit of speed, on x and on z alike
    };
    const Case cases[] = {{0, 0.0f}, {99, 1.65f}, {42, -0.7f}, {7, 7.0f / 60.0f}};
    for (const Case& c : cases) {
        bubbleparticle bubble({1.0f, 2.0f, 3.0f}, 0.08f);
        EXPECT_FLOAT_EQ(bubble.speed, 0.04f);
        std::srand(seedGiving(c.r));
        bubble.update();
        expectNear(bubble.position, {1.0f + 0.04f * c.sideways, 2.04f, 3.0f + 0.04f * c.sideways},
                   "r = " + std::to_string(c.r));
        EXPECT_EQ(bubble.age, 1);
    }
}

TEST(Particles, ExplosionFragmentCurvesDownEverFasterFromItsDirection) {
    struct Case {
        Vec3 direction;
        std::vector<Vec3> path; // after each update, from the origin
    };
    const Case cases[] = {
        {{0.0f, 0.0f, 0.0f}, {{0, -0.00875f, 0}, {0, -0.02625f, 0}, {0, -0.0525f, 0}, {0, -0.0875f, 0}}},
        {{1.0f, 0.5f, -2.0f},
         {{0.175f, 0.07875f, -0.35f},
          {0.35f, 0.14875f, -0.7f},
          {0.525f, 0.21f, -1.05f},
          {0.7f, 0.2625f, -1.4f}}},
    };
    for (const Case& c : cases) {
        explosionparticle fragment({0.0f, 0.0f, 0.0f}, c.direction, 6.0f, 0.5f);
        for (size_t k = 0; k < c.path.size(); ++k) {
            fragment.update();
            expectNear(fragment.position, c.path[k], "update " + std::to_string(k + 1));
        }
        EXPECT_EQ(fragment.age, 4);
        expectNear(fragment.direction, c.direction, "the direction itself never bends");
    }
}

TEST(Particles, TorpedoRunsUntilDetonatedThenGrowsItsBlastInPlaceUntilRetired) {
    const CoutCapture capture;
    w2particle torpedo({0.0f, 0.0f, 0.0f}, 0.0f, 0.0f);
    torpedo.update();
    expectNear(torpedo.position, {0.0f, 0.0f, -1.0f}, "a running torpedo");
    EXPECT_FLOAT_EQ(torpedo.blastRadius, 0.35f);

    torpedo.detonated = true;
    for (int k = 1; k <= 22; ++k) {
        torpedo.update();
        EXPECT_FLOAT_EQ(torpedo.blastRadius, 0.35f + 0.25f * k);
        EXPECT_EQ(torpedo.age, 1 + k);
    }
    torpedo.update(); // 6.1: the blast is full grown
    EXPECT_FLOAT_EQ(torpedo.blastRadius, 6.1f);
    EXPECT_EQ(torpedo.age, kTorpedoRetirementAge);
    expectNear(torpedo.position, {0.0f, 0.0f, -1.0f}, "a blast stays where it went off");
}

TEST(Particles, TorpedoLaunchPrintsOneHaloLineAndFlushesIt) {
    const CoutCapture capture;
    const w2particle torpedo({5.0f, 6.0f, 7.0f}, 10.0f, 20.0f);
    EXPECT_EQ(capture.str(), "halo 0.35 xplode 0\n");
    EXPECT_EQ(capture.flushed, capture.str()) << "a console behind a pipe would not see the launch";
}

TEST(Particles, ShotsFlyStraightAlongTheirAimAtTheirSpeed) {
    const CoutCapture capture; // torpedoes print
    const Vec3 origin{1.0f, 2.0f, 3.0f};
    struct Case {
        std::string what;
        std::shared_ptr<particle> shot;
        Vec3 step;
    };
    // Tracers and torpedoes take a = -aimPitch and b = -aimHeading: b = 90 is a view turned right.
    const Case cases[] = {
        {"bullet aimed 40 along x",
         std::make_shared<w4particle>(origin, Vec3{40.0f, 0.0f, 0.0f}),
         {10, 0, 0}},
        {"bullet aimed down and back",
         std::make_shared<w4particle>(origin, Vec3{0.0f, -20.0f, 80.0f}),
         {0, -5, 20}},
        {"tracer straight ahead", std::make_shared<w1particle>(origin, 0.0f, 0.0f), {0, 0, -25}},
        {"tracer straight up", std::make_shared<w1particle>(origin, 90.0f, 0.0f), {0, 25, 0}},
        {"tracer to the right", std::make_shared<w1particle>(origin, 0.0f, 90.0f), {25, 0, 0}},
        {"tracer to the left", std::make_shared<w1particle>(origin, 0.0f, -90.0f), {-25, 0, 0}},
        {"tracer tilted down", std::make_shared<w1particle>(origin, -30.0f, 0.0f), {0, -12.5f, -21.650635f}},
        {"torpedo up and back", std::make_shared<w2particle>(origin, 60.0f, 180.0f), {0, 0.8660254f, 0.5f}},
    };
    for (const Case& c : cases) {
        for (int k = 1; k <= 2; ++k) {
            c.shot->update();
            expectNear(c.shot->position,
                       {origin.x + k * c.step.x, origin.y + k * c.step.y, origin.z + k * c.step.z}, c.what);
            EXPECT_EQ(c.shot->age, k) << c.what;
        }
    }
}

TEST(BubbleEmitter, GrowsByOneBubbleEverySecondUpdateUpToThirtyOne) {
    BubbleEmitter emitter;
    ASSERT_EQ(emitter.bubbles.size(), 2u);
    for (const bubbleparticle& bubble : emitter.bubbles)
        expectNear(bubble.position, {0.0f, 0.05f, 0.0f}, "a bubble of a new emitter");

    struct Case {
        int updates;
        size_t bubbles;
    };
    const Case cases[] = {{1, 2}, {2, 3}, {3, 3}, {4, 4}, {57, 30}, {58, 31}, {59, 31}, {60, 31}, {300, 31}};
    int done = 0;
    for (const Case& c : cases) {
        for (; done < c.updates; ++done)
            emitter.update(10.0f, 20.0f, 30.0f);
        EXPECT_EQ(emitter.bubbles.size(), c.bubbles) << "after " << c.updates << " updates";
    }
}

TEST(BubbleEmitter, RecyclesABubbleInItsOwnSlotAtAgeThirtyAtTheCurrentSource) {
    BubbleEmitter emitter;
    for (int k = 0; k < 29; ++k)
        emitter.update(5.0f, 6.0f, 7.0f);
    EXPECT_EQ(emitter.bubbles[0].age, 29);
    EXPECT_NEAR(emitter.bubbles[0].position.y, 0.05f + 29 * emitter.bubbles[0].speed, 1e-5)
        << "the first bubbles rise from the world origin";

    emitter.update(100.0f, 200.0f, 300.0f);
    for (size_t slot : {0u, 1u}) {
        EXPECT_EQ(emitter.bubbles[slot].age, 0);
        expectNear(emitter.bubbles[slot].position, {100.0f, 200.05f, 300.0f}, "slot " + std::to_string(slot));
    }
    EXPECT_EQ(emitter.bubbles[2].age, 29) << "the bubble added by the second update is not due yet";
    EXPECT_GT(emitter.bubbles[2].position.y, 7.0f);
    ASSERT_EQ(emitter.bubbles.size(), 17u);
    EXPECT_EQ(emitter.bubbles[16].age, 1) << "a bubble added by an update is also moved by it";
}

TEST(BubbleEmitter, SizesStayInRangeAndRecycledBubblesShareTheLastRolledSize) {
    std::set<float> sizes;
    for (unsigned int seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        BubbleEmitter emitter;
        for (int k = 0; k < 100; ++k) {
            emitter.update(0.0f, 0.0f, 0.0f);
            for (const bubbleparticle& bubble : emitter.bubbles) {
                EXPECT_GE(bubble.size, 0.075f);
                EXPECT_LE(bubble.size, 0.0840001f);
                EXPECT_FLOAT_EQ(bubble.speed, bubble.size * 0.5f);
                sizes.insert(bubble.size);
            }
        }
        // Every bubble has been recycled since the last one was added, without a new roll.
        for (const bubbleparticle& bubble : emitter.bubbles)
            EXPECT_FLOAT_EQ(bubble.size, 0.075f + 2.0f * emitter.sizeJitter) << "seed " << seed;
    }
    EXPECT_EQ(sizes.size(), 10u) << "the ten jitter steps should all occur";
}
