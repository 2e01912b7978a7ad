#pragma once

#include <array>
#include <cstdint>

#include "Colour.h"

namespace zebak {

/// The colour match rule: true when every channel of the pixel differs from the reference by
/// strictly less than the tolerance. Signed arithmetic, so R - t may be negative and R + t may
/// exceed 255; tolerance 0 matches nothing and tolerance 1 only the exact colour.
constexpr bool FarbeInToleranz(int r, int g, int b, int refR, int refG, int refB, int tolerance) {
    return refR - tolerance < r && r < refR + tolerance && refG - tolerance < g &&
           g < refG + tolerance && refB - tolerance < b && b < refB + tolerance;
}

/// The match rule for two colours.
constexpr bool FarbeInToleranz(Rgb pixel, Rgb reference, int tolerance) {
    return FarbeInToleranz(pixel.r, pixel.g, pixel.b, reference.r, reference.g, reference.b,
                           tolerance);
}

/// The match rule prepared for scanning many pixels against one reference: one table of 256
/// answers per channel, so testing a pixel costs three table reads and no arithmetic.
class ColourMatcher {
  public:
    ColourMatcher(Rgb reference, int tolerance) {
        for (int v = 0; v < 256; ++v) {
            red_[v] = channelMatches(v, reference.r, tolerance);
            green_[v] = channelMatches(v, reference.g, tolerance);
            blue_[v] = channelMatches(v, reference.b, tolerance);
        }
    }

    /// True when the three bytes r, g, b (one pixel of an RgbFrame row) match.
    bool matches(const std::uint8_t* rgb) const {
        return (red_[rgb[0]] & green_[rgb[1]] & blue_[rgb[2]]) != 0;
    }
    bool matches(Rgb c) const { return (red_[c.r] & green_[c.g] & blue_[c.b]) != 0; }

  private:
    static constexpr std::uint8_t channelMatches(int value, int reference, int tolerance) {
        return (reference - tolerance < value && value < reference + tolerance) ? 1 : 0;
    }

    std::array<std::uint8_t, 256> red_{};
    std::array<std::uint8_t, 256> green_{};
    std::array<std::uint8_t, 256> blue_{};
};

}  // namespace zebak
