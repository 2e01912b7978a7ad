#pragma once

#include <array>
#include <cstdint>

#include "Colour.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zebak {

/// The colour match rule: true when every channel of the pixel differs from the reference by
/// strictly less than the tolerance. Signed arithmetic, so R - t may be negative and R + t may
/// exceed 255; tolerance 0 matches nothing and tolerance 1 only the exact colour.
constexpr bool colourMatches(int r, int g, int b, int refR, int refG, int refB, int tolerance) {
    return refR - tolerance < r && r < refR + tolerance && refG - tolerance < g &&
           g < refG + tolerance && refB - tolerance < b && b < refB + tolerance;
}

/// The match rule for two colours.
constexpr bool colourMatches(Rgb pixel, Rgb reference, int tolerance) {
    return colourMatches(pixel.r, pixel.g, pixel.b, reference.r, reference.g, reference.b,
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
        // The strict rule as an inclusive range per channel: lo <= v <= hi.
        const int refs[3] = {reference.r, reference.g, reference.b};
        for (int c = 0; c < 3; ++c) {
            const int lo = refs[c] - tolerance + 1 < 0 ? 0 : refs[c] - tolerance + 1;
            const int hi = refs[c] + tolerance - 1 > 255 ? 255 : refs[c] + tolerance - 1;
            if (lo > hi) matchesNothing_ = true;
            low_[c] = static_cast<std::uint8_t>(lo);
            span_[c] = static_cast<std::uint8_t>(hi - lo);
        }
        // Byte i of a run of 48 bytes (16 pixels) belongs to channel i % 3.
        for (int i = 0; i < 48; ++i) {
            runLow_[i] = low_[i % 3];
            runSpan_[i] = span_[i % 3];
        }
    }

    /// True when the three bytes r, g, b (one pixel of an RgbFrame row) match.
    bool matches(const std::uint8_t* rgb) const {
        return (red_[rgb[0]] & green_[rgb[1]] & blue_[rgb[2]]) != 0;
    }
    bool matches(Rgb c) const { return (red_[c.r] & green_[c.g] & blue_[c.b]) != 0; }

    /// The first pixel index in [x, end) of the row from which a match is possible: runs of
    /// 16 pixels in which no pixel matches are skipped at once (with SSE2 where the processor
    /// has it). Returns end when no pixel of the rest can match. Pixels from the returned
    /// index on must still be tested one by one with matches().
    int skipNonMatching(const std::uint8_t* row, int x, int end) const {
        if (matchesNothing_) return end;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        __m128i loV[3];
        __m128i spanV[3];
        for (int k = 0; k < 3; ++k) {
            loV[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(runLow_ + 16 * k));
            spanV[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(runSpan_ + 16 * k));
        }
        constexpr std::uint64_t kFirstBytes = 0x249249249249ull;  // bits 0, 3, ..., 45
        for (; x + 16 <= end; x += 16) {
            std::uint64_t inRange = 0;
            for (int k = 0; k < 3; ++k) {
                const __m128i v =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 3 * x + 16 * k));
                // v - lo wraps below lo to large values; in range when it does not exceed span.
                const __m128i above = _mm_subs_epu8(_mm_sub_epi8(v, loV[k]), spanV[k]);
                const auto bits =
                    static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(above, zero)));
                inRange |= static_cast<std::uint64_t>(bits) << (16 * k);
            }
            if ((inRange & (inRange >> 1) & (inRange >> 2) & kFirstBytes) != 0) return x;
        }
#else
        (void)row;
#endif
        return x;
    }

  private:
    static constexpr std::uint8_t channelMatches(int value, int reference, int tolerance) {
        return (reference - tolerance < value && value < reference + tolerance) ? 1 : 0;
    }

    std::array<std::uint8_t, 256> red_{};
    std::array<std::uint8_t, 256> green_{};
    std::array<std::uint8_t, 256> blue_{};
    std::uint8_t low_[3] = {0, 0, 0};
    std::uint8_t span_[3] = {0, 0, 0};
    alignas(16) std::uint8_t runLow_[48] = {};
    alignas(16) std::uint8_t runSpan_[48] = {};
    bool matchesNothing_ = false;
};

}  // namespace zebak
