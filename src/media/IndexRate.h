#pragma once

#include <cstdint>

namespace zebak {

/// A frame rate as a fraction, frames per second = num / den.
struct RateFraction {
    std::int64_t num = 0;
    std::int64_t den = 0;
    double fps() const { return num > 0 && den > 0 ? static_cast<double>(num) / den : 0.0; }
};

/// The nominal rate of a film read from its index alone, by the rule FFMS2 applies when it
/// opens a decoder: the mean frame duration between the first and the last frame to a
/// microsecond, snapped to 24, 25, 30, 48, 50, 60, 100 or 120 frames/s (or their 1000/1001
/// kin) when it lies within half the distance between the two; with fewer than two frames
/// the stream's time base. So a film's rate is the same whether a decoder was opened or the
/// film's facts came from the cache.
/// The PTS are in the track's ticks; tickNum / tickDen is a tick in milliseconds (FFMS2's
/// track time base).
RateFraction indexFrameRate(std::int64_t firstPts, std::int64_t lastPts, int frames,
                            std::int64_t tickNum, std::int64_t tickDen);

}  // namespace zebak
