#include "FrameConverter.h"

#include <cstring>
#include <new>
#include <stdexcept>

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace zebak {

namespace {

/// Formats whose name says full range ("yuvj420p" and kin) are full range whatever the tag.
bool isFullRangeFormat(int format) {
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(format));
    return d != nullptr && d->name != nullptr && d->name[0] == 'y' && d->name[1] == 'u' &&
           d->name[2] == 'v' && d->name[3] == 'j';
}

constexpr std::uint8_t kGuardByte = 0xA5;

}  // namespace

FrameConverter::~FrameConverter() {
    sws_freeContext(context_);
    av_free(scratch_);
}

std::size_t FrameConverter::paddedStride(int width) {
    // The vector paths convert whole blocks of 8 or 16 pixels and leave the last pixels of a
    // row unconverted (black) when the stride has no room for the block they end in, so the
    // row gets room for the width rounded up to 16 pixels; 64-byte multiples keep every row
    // aligned for the widest vector loads and stores.
    const std::size_t pixels = (static_cast<std::size_t>(width) + 15u) & ~std::size_t{15u};
    return (pixels * 3u + 63u) & ~std::size_t{63u};
}

void FrameConverter::prepareScratch(int width, int height) {
    if (scratch_ != nullptr && width == scratchWidth_ && height == scratchHeight_) return;
    av_free(scratch_);
    scratch_ = nullptr;
    scratchStride_ = paddedStride(width);
    scratchPicture_ = scratchStride_ * static_cast<std::size_t>(height) + kSpareBytes;
    scratch_ = static_cast<std::uint8_t*>(av_malloc(scratchPicture_ + kGuardBytes));
    if (scratch_ == nullptr) throw std::bad_alloc();
    std::memset(scratch_ + scratchPicture_, kGuardByte, kGuardBytes);
    scratchWidth_ = width;
    scratchHeight_ = height;
}

bool FrameConverter::guardIntact() const {
    for (std::size_t i = 0; i < kGuardBytes; ++i)
        if (scratch_[scratchPicture_ + i] != kGuardByte) return false;
    return true;
}

bool FrameConverter::prepare(const Key& key) {
    if (context_ != nullptr && key == key_) return true;
    sws_freeContext(context_);
    const bool scaled = key.srcWidth != key.dstWidth || key.srcHeight != key.dstHeight;
    // Halving a PAL frame averages each 2x2 block (area); same size takes the unscaled path.
    const int flags = scaled ? SWS_AREA : SWS_POINT;
    context_ = sws_getContext(key.srcWidth, key.srcHeight,
                              static_cast<AVPixelFormat>(key.srcFormat), key.dstWidth,
                              key.dstHeight, AV_PIX_FMT_RGB24, flags, nullptr, nullptr, nullptr);
    if (context_ == nullptr) return false;
    key_ = key;

    // A film that states its colour matrix gets it; an untagged one gets swscale's default.
    int* invTable = nullptr;
    int srcRange = 0;
    int* table = nullptr;
    int dstRange = 0;
    int brightness = 0, contrast = 0, saturation = 0;
    if (sws_getColorspaceDetails(context_, &invTable, &srcRange, &table, &dstRange, &brightness,
                                 &contrast, &saturation) >= 0) {
        const int space = key.colorSpace;
        const int* coefficients = (space > AVCOL_SPC_RGB && space != AVCOL_SPC_UNSPECIFIED)
                                      ? sws_getCoefficients(space)
                                      : invTable;
        const int fullRange =
            key.colorRange == AVCOL_RANGE_JPEG || isFullRangeFormat(key.srcFormat);
        sws_setColorspaceDetails(context_, coefficients, fullRange ? 1 : srcRange, table, 1,
                                 brightness, contrast, saturation);
    }
    return true;
}

bool FrameConverter::convert(const FFMS_Frame& in, int width, int height, RgbFrame& out) {
    const Key key{in.EncodedWidth, in.EncodedHeight, in.EncodedPixelFormat,
                  in.ColorSpace,   in.ColorRange,    width,
                  height};
    if (key.srcWidth <= 0 || key.srcHeight <= 0 || width <= 0 || height <= 0) return false;
    if (!prepare(key)) return false;
    prepareScratch(width, height);
    std::uint8_t* dst[4] = {scratch_, nullptr, nullptr, nullptr};
    const int dstStride[4] = {static_cast<int>(scratchStride_), 0, 0, 0};
    const int rows = sws_scale(context_, in.Data, in.Linesize, 0, in.EncodedHeight, dst, dstStride);
    if (!guardIntact())
        throw std::logic_error("Die Bildumwandlung hat über ihren Puffer hinaus geschrieben.");
    if (rows != height) return false;
    if (out.width() != width || out.height() != height) out = RgbFrame(width, height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3u;
    for (int y = 0; y < height; ++y)
        std::memcpy(out.row(y), scratch_ + static_cast<std::size_t>(y) * scratchStride_, rowBytes);
    return true;
}

}  // namespace zebak
