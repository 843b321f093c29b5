// What adapts the game to its screen: the world's scale from the time between frames, the text's size for
// a window height, and whether a context can draw offscreen.
#include "app/HudText.h"
#include "core/Picture.h"
#include "core/RenderScale.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
constexpr double kBudgetMs = 1000.0 / 30.0;
} // namespace

TEST(RenderScale, SlowFramesLowerItToHalfFastOnesRaiseItToOneAndItDoesNotPump) {
    RenderScale rule;
    // The first frames: a start-up stall and a few slow frames decide nothing.
    EXPECT_EQ(rule.frameTook(900.0), 1.0f);
    for (size_t k = 0; k < 2 * RenderScale::kJudged; ++k)
        EXPECT_EQ(rule.frameTook(k % 4 == 0 ? 60.0 : 20.0), 1.0f) << k;
    // Steady slow frames lower it step by step to its floor; fast ones raise it back to 1.
    float last = 1.0f;
    for (int k = 0; k < 200; ++k) {
        const float scale = rule.frameTook(80.0);
        EXPECT_TRUE(scale <= last && scale > last - 0.11f) << k << ": in small steps, down only";
        last = scale;
    }
    EXPECT_EQ(last, kLeastRenderScale);
    for (int k = 0; k < 200; ++k)
        last = rule.frameTook(10.0);
    EXPECT_EQ(last, 1.0f);

    // Machines of every speed, their frames alternating 40 % either side of what their pixels cost: each
    // settles within its budget (or at the floor), not needlessly low, and then stays.
    for (const double pixelMs : {5.0, 20.0, 30.0, 40.0, 55.0, 80.0, 150.0}) {
        const auto cost = [&](float scale) { return 6.0 + pixelMs * scale * scale; };
        RenderScale machine;
        int changes = 0;
        float scale = 1.0f;
        for (int frame = 0; frame < 3000; ++frame) {
            const float next = machine.frameTook(cost(scale) * (frame % 2 ? 1.4 : 0.6));
            changes += frame >= 1000 && next != scale;
            scale = next;
        }
        EXPECT_EQ(changes, 0) << pixelMs << " ms: pumps";
        EXPECT_TRUE(cost(scale) <= kBudgetMs || scale == kLeastRenderScale) << pixelMs << " ms: " << scale;
        EXPECT_TRUE(scale == 1.0f || cost(scale + 0.1f) > 0.45 * kBudgetMs) << pixelMs << " ms: " << scale;
    }

    RenderScale fixed;
    fixed.fix(0.7f);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(fixed.frameTook(k % 2 ? 5.0 : 200.0), 0.7f);

    std::string problem;
    EXPECT_EQ(parseRenderScale("0.5", problem), 0.5f);
    EXPECT_EQ(parseRenderScale("1", problem), 1.0f);
    EXPECT_TRUE(problem.empty());
    for (const char* odd : {"0.4", "2", "", "half", "0.7x", "nan"}) {
        EXPECT_EQ(parseRenderScale(odd, problem), std::nullopt) << odd;
        EXPECT_FALSE(problem.empty());
    }
}

TEST(Screens, TextGrowsAboveFullHdAndFramebuffersAreReadFromTheContextsOwnWords) {
    for (const auto& [face, height, pixels] :
         {std::tuple{Typeface::Helvetica18, 600, 0.0}, std::tuple{Typeface::TimesRoman24, 1080, 0.0},
          std::tuple{Typeface::Helvetica18, 1620, 21.0}, std::tuple{Typeface::Helvetica18, 2160, 28.0},
          std::tuple{Typeface::TimesRoman24, 2160, 34.0}})
        EXPECT_DOUBLE_EQ(textCapitalHeight(face, height), pixels) << height;

    for (const auto& [version, extensions, usable] :
         {std::tuple{"4.5 (Compatibility Profile) Mesa 22.3.6", "", true}, std::tuple{"10.0", "", true},
          std::tuple{"2.1 Mesa 22.3.6", "GL_ARB_multitexture GL_EXT_framebuffer_object", false},
          std::tuple{"2.1", "GL_ARB_framebuffer_object_extra GL_X", false},
          std::tuple{"2.1", "GL_X GL_ARB_framebuffer_object", true},
          std::tuple{"OpenGL ES 3.2 Mesa", "", false}, std::tuple{"", "", false}})
        EXPECT_EQ(framebuffersIn(version, extensions), usable) << version << " / " << extensions;
}
