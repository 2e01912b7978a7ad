#pragma once

#include <ffms.h>

#include <cstdint>

extern "C" {
struct AVFrame;
}

namespace zebak {

/// A picture as a decoder puts it out, in the decoder's own pixel format: plane pointers and
/// row strides, the stored size and the colour tags. Borrowed: it is valid as long as the
/// decoder's frame it was taken from.
struct DecodedPicture {
    const std::uint8_t* data[4] = {nullptr, nullptr, nullptr, nullptr};
    int linesize[4] = {0, 0, 0, 0};
    int width = 0;
    int height = 0;
    int pixelFormat = -1;  // AVPixelFormat
    int colorSpace = -1;   // AVColorSpace
    int colorRange = -1;   // AVColorRange

    static DecodedPicture of(const FFMS_Frame& frame);
    static DecodedPicture of(const AVFrame& frame);
};

/// 64-bit hash of the picture's visible pixels, plane by plane and row by row (the padding
/// behind each row is left out), with its size and format: equal pictures hash equal, however
/// their rows are laid out in memory. 0 when the format is unknown.
std::uint64_t pictureHash(const DecodedPicture& picture);

}  // namespace zebak
