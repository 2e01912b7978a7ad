#include "IndexRate.h"

#include <climits>
#include <cmath>
#include <initializer_list>

extern "C" {
#include <libavutil/rational.h>
}

namespace zebak {

namespace {

RateFraction reduced(std::int64_t num, std::int64_t den) {
    int n = 0;
    int d = 0;
    av_reduce(&n, &d, num, den, INT_MAX);
    return RateFraction{n, d};
}

/// A rate within half the distance of a common rate and its 1000/1001 kin becomes that rate.
RateFraction snapped(RateFraction rate) {
    if (rate.num <= 0 || rate.den <= 0) return rate;
    const double fps = rate.fps();
    for (const int common : {24, 25, 30, 48, 50, 60, 100, 120}) {
        const double delta = (common - common / 1.001) / 2.0;
        if (std::fabs(fps - common) < delta) return RateFraction{common, 1};
        if (common % 25 != 0 && std::fabs(fps - common / 1.001) < delta)
            return RateFraction{common * 1000, 1001};
    }
    return rate;
}

}  // namespace

RateFraction indexFrameRate(std::int64_t firstPts, std::int64_t lastPts, int frames,
                            std::int64_t tickNum, std::int64_t tickDen) {
    if (tickNum <= 0 || tickDen <= 0) return RateFraction{};
    // The stream's own time base (a tick in seconds is tickNum / (1000 tickDen)).
    RateFraction rate = reduced(tickDen * 1000, tickNum);
    if (frames >= 2 && lastPts > firstPts) {
        const double microseconds = static_cast<double>(lastPts - firstPts) *
                                    static_cast<double>(tickNum) / static_cast<double>(tickDen) *
                                    1000.0 / (frames - 1);
        if (microseconds >= 1.0 && microseconds < static_cast<double>(UINT_MAX))
            rate = reduced(1000000, static_cast<std::int64_t>(static_cast<unsigned>(microseconds)));
    }
    return snapped(rate);
}

}  // namespace zebak
