#include "core/RenderScale.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kSlowestFrameMs = 1000.0 / 30.0;
// Frames this far apart are a stall (the game paused at its end, a dragged window), not a frame rate.
constexpr double kStallMs = 250.0;
// One step up is taken only when the frame, grown with its pixels, would still be this much faster than
// the slowest allowed: frames that cost a little under the limit do not climb into it and fall back.
constexpr double kClimbMargin = 0.8;

} // namespace

float RenderScale::frameShownAt(std::chrono::steady_clock::time_point now) {
    const std::optional<std::chrono::steady_clock::time_point> last = lastShown_;
    lastShown_ = now;
    return last ? frameTook(std::chrono::duration<double, std::milli>(now - *last).count()) : scale();
}

float RenderScale::frameTook(double milliseconds) {
    if (fixed_ || milliseconds > kStallMs || milliseconds < 0.0)
        return scale();
    recent_[count_++] = milliseconds;
    if (count_ < kJudged)
        return scale();
    count_ = 0;
    std::array<double, kJudged> sorted = recent_;
    std::nth_element(sorted.begin(), sorted.begin() + kJudged / 2, sorted.end());
    const double typical = sorted[kJudged / 2];
    if (typical > kSlowestFrameMs && step_ + 1 < kSteps.size()) {
        ++step_;
    } else if (step_ > 0) {
        const double grown = kSteps[step_ - 1] / kSteps[step_];
        if (typical * grown * grown < kClimbMargin * kSlowestFrameMs)
            --step_;
    }
    return scale();
}

std::optional<float> parseRenderScale(const std::string& text, std::string& problem) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(value >= kLeastRenderScale && value <= 1.0f)) {
        problem = "a number from 0.5 to 1 is needed";
        return std::nullopt;
    }
    return value;
}
