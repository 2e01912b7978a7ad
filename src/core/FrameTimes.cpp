#include "FrameTimes.h"

#include <algorithm>
#include <cmath>

namespace zebak {

namespace {

constexpr double kFastestPlausibleFps = 1000.0;

bool positiveFinite(double v) { return std::isfinite(v) && v > 0.0; }

}  // namespace

FrameSpacing frameSpacing(const std::vector<double>& timesS) {
    FrameSpacing s;
    if (timesS.size() < 2) return s;
    std::vector<double> durations;
    durations.reserve(timesS.size() - 1);
    for (std::size_t n = 0; n + 1 < timesS.size(); ++n)
        durations.push_back(timesS[n + 1] - timesS[n]);
    const auto [low, high] = std::minmax_element(durations.begin(), durations.end());
    s.minSeconds = *low;
    s.maxSeconds = *high;
    std::vector<double> sorted = durations;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2),
                     sorted.end());
    s.medianSeconds = sorted[sorted.size() / 2];
    if (sorted.size() % 2 == 0) {
        const double below = *std::max_element(
            sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2));
        s.medianSeconds = (s.medianSeconds + below) / 2.0;
    }
    const double tolerance = 0.1 * std::abs(s.medianSeconds);
    s.uneven = std::any_of(durations.begin(), durations.end(),
                           [&](double d) { return std::abs(d - s.medianSeconds) > tolerance; });
    return s;
}

double plausibleFrameRate(double reportedFps, double streamFps, const FrameSpacing& spacing) {
    const double timesFps = spacing.medianSeconds > 0.0 ? 1.0 / spacing.medianSeconds : 0.0;
    // A rate is supported by the times when it is not far faster than the frames follow.
    auto plausible = [&](double fps) {
        if (!positiveFinite(fps)) return false;
        if (fps <= kFastestPlausibleFps) return true;
        return timesFps > 0.0 && fps <= 1.5 * timesFps;
    };
    if (plausible(reportedFps)) return reportedFps;
    if (plausible(streamFps)) return streamFps;
    return positiveFinite(timesFps) ? timesFps : 0.0;
}

}  // namespace zebak
