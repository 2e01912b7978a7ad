#pragma once

#include "core/RgbFrame.h"

namespace zebak::test {

/// Reads the frame index that the test films carry as a 16-bit barcode along the top edge
/// (bit k = white block over the k-th sixteenth of the width, least bit left).
inline int readBarcode(const RgbFrame& f) {
    const int y = f.height() / 32;
    int value = 0;
    for (int k = 0; k < 16; ++k) {
        const Rgb c = f.rgb((2 * k + 1) * f.width() / 32, y);
        if (c.r + c.g + c.b > 3 * 128) value |= 1 << k;
    }
    return value;
}

}  // namespace zebak::test
