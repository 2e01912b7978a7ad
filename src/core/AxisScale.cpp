#include "AxisScale.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zebak {

namespace {
/// The share of the data's stretch added on each side.
constexpr double kMarginShare = 0.03;
/// The axis is divided into about this many steps before the step is rounded up.
constexpr double kSteps = 6.0;

/// The places a label needs to show the step exactly (0.25 needs 2, 500 none).
int decimalsFor(double step) {
    for (int d = 0; d < 12; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) return d;
    }
    return 12;
}
}  // namespace

AxisScale axisTicks(double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min)) return AxisScale{};
    const double rough = (max - min) / kSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double share = rough / magnitude;
    double round = 10.0;
    for (double candidate : {1.0, 2.0, 2.5, 5.0})
        if (share <= candidate) {
            round = candidate;
            break;
        }
    AxisScale scale;
    scale.min = min;
    scale.max = max;
    scale.step = round * magnitude;
    scale.anchor = std::ceil(min / scale.step) * scale.step;
    scale.decimals = decimalsFor(scale.step);
    return scale;
}

AxisScale axisForData(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) return AxisScale{};
    if (hi < lo) std::swap(lo, hi);
    double span = hi - lo;
    if (span <= 0.0) {
        // One value: a stretch of a fifth of it around it, or of 2 around 0.
        span = lo != 0.0 ? std::abs(lo) * 0.2 : 2.0;
        lo -= span / 2.0;
        hi += span / 2.0;
    }
    const double margin = kMarginShare * span;
    return axisTicks(lo - margin, hi + margin);
}

}  // namespace zebak
