// How much of the window's resolution the world is drawn at: lowered step by step while recent frames
// run slower than 30 a second, raised back towards 1 once they would stay fast one step up. Fed the time
// between frames by the shell; keeps no clock of its own.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

inline constexpr float kLeastRenderScale = 0.5f;

class RenderScale {
public:
    // A frame was shown at `now`; returns the scale the next frame is drawn at.
    float frameShownAt(std::chrono::steady_clock::time_point now);
    // The same, given the time from the last frame to this one.
    float frameTook(double milliseconds);
    float scale() const { return fixed_ ? *fixed_ : kSteps[step_]; }
    // Holds the scale whatever frames take (for tests and screenshots).
    void fix(float scale) { fixed_ = scale; }

    // Each step draws about a fifth fewer pixels than the one above it.
    static constexpr std::array<float, 6> kSteps{1.0f, 0.9f, 0.8f, 0.7f, 0.6f, kLeastRenderScale};
    // Frames judged together: a step is taken on their median, and the frames after a step wait for a
    // full set of their own.
    static constexpr size_t kJudged = 12;

private:
    std::array<double, kJudged> recent_{};
    size_t count_ = 0;
    size_t step_ = 0;
    std::optional<float> fixed_;
    std::optional<std::chrono::steady_clock::time_point> lastShown_;
};

// The scale a ZARNOWELL_RENDER_SCALE value fixes: a number from 0.5 to 1; otherwise nothing, with the
// reason in `problem`.
std::optional<float> parseRenderScale(const std::string& text, std::string& problem);
