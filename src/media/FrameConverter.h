#pragma once

#include <ffms.h>

#include "core/RgbFrame.h"

struct SwsContext;

namespace zebak {

/// Turns a decoded frame in the decoder's own pixel format into packed RGB at the analysis
/// size. FFMS2's own conversion runs in swscale's slow accurate mode (four times the cost of
/// decoding); this one takes swscale's fast paths, honours the film's colour matrix and
/// range where the film states them, and keeps one scaler for as long as the input stays
/// the same.
class FrameConverter {
  public:
    FrameConverter() = default;
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    /// Converts `in` into `out` (resized to width x height); false when the frame's format
    /// cannot be converted.
    bool convert(const FFMS_Frame& in, int width, int height, RgbFrame& out);

  private:
    struct Key {
        int srcWidth = 0, srcHeight = 0, srcFormat = -1, colorSpace = -1, colorRange = -1;
        int dstWidth = 0, dstHeight = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    bool prepare(const Key& key);

    SwsContext* context_ = nullptr;
    Key key_;
};

}  // namespace zebak
