#pragma once

#include <string>

#include "core/RgbFrame.h"

namespace zebak::cli {

/// The picture as the bytes of an 8-bit RGB PNG file (no interlacing, every row unfiltered).
/// Throws std::runtime_error when the compressor fails.
std::string encodePng(const RgbFrame& picture);

}  // namespace zebak::cli
