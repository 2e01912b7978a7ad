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
    // A first frame that lasts longer (a recording that starts late) or a last one cut short
    // is no uneven spacing: only the durations between them are judged.
    const auto off = [&](double d) { return std::abs(d - s.medianSeconds) > tolerance; };
    s.uneven = durations.size() > 2 && std::any_of(durations.begin() + 1, durations.end() - 1, off);
    return s;
}

double commonFrameSeconds(const std::vector<double>& timesS) {
    if (timesS.size() < 2) return 0.0;
    std::vector<double> d;
    d.reserve(timesS.size() - 1);
    for (std::size_t n = 0; n + 1 < timesS.size(); ++n) d.push_back(timesS[n + 1] - timesS[n]);
    std::sort(d.begin(), d.end());
    // The widest run of sorted durations whose longest is within 10 % of its shortest.
    std::size_t bestFrom = 0;
    std::size_t bestCount = 0;
    for (std::size_t from = 0, to = 0; from < d.size(); ++from) {
        to = std::max(to, from);
        while (to < d.size() && d[to] <= d[from] * 1.1) ++to;
        if (to - from > bestCount) {
            bestCount = to - from;
            bestFrom = from;
        }
    }
    return d[bestFrom + bestCount / 2];
}

std::vector<double> recordedTimesS(const std::vector<double>& timesS,
                                   std::optional<double> captureFps) {
    const double common = commonFrameSeconds(timesS);
    if (!captureFps || !positiveFinite(*captureFps) || !positiveFinite(common)) return timesS;
    // stored rate / recording rate = (1 / common) / captureFps
    const double scale = 1.0 / (common * *captureFps);
    std::vector<double> real;
    real.reserve(timesS.size());
    for (double t : timesS) real.push_back(t * scale);
    return real;
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
