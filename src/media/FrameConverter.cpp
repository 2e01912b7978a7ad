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
    scratchWidth_ = width;
    scratchHeight_ = height;
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

bool FrameConverter::convert(const DecodedPicture& in, int width, int height, int rotationDeg,
                             RgbFrame& out) {
    const Key key{in.width, in.height, in.pixelFormat, in.colorSpace, in.colorRange, width, height};
    if (key.srcWidth <= 0 || key.srcHeight <= 0 || width <= 0 || height <= 0) return false;
    if (!prepare(key)) return false;
    if (rotationDeg == 0 && paddedStride(width) == static_cast<std::size_t>(width) * 3u)
        return convertInPlace(in, width, height, out);
    prepareScratch(width, height);
    if (scaleInto(in, scratch_, scratchStride_, scratch_ + scratchPicture_) != height)
        return false;
    copyTurned(rotationDeg, out);
    return true;
}

bool FrameConverter::convertInPlace(const DecodedPicture& in, int width, int height,
                                    RgbFrame& out) {
    // Rows of whole 16-pixel blocks that are already 64-byte multiples: the frame's own rows
    // are laid out as the scratch picture's would be, and its spare bytes take what the
    // scaler writes past the last row. The guard lies behind them, as in the scratch picture.
    if (out.width() != width || out.height() != height) out = RgbFrame(width, height);
    const std::size_t stride = static_cast<std::size_t>(width) * 3u;
    return scaleInto(in, out.row(0), stride, out.tail() + kSpareBytes) == height;
}

int FrameConverter::scaleInto(const DecodedPicture& in, std::uint8_t* picture, std::size_t stride,
                              std::uint8_t* guard) const {
    std::memset(guard, kGuardByte, kGuardBytes);
    std::uint8_t* dst[4] = {picture, nullptr, nullptr, nullptr};
    const int dstStride[4] = {static_cast<int>(stride), 0, 0, 0};
    const int rows = sws_scale(context_, in.data, in.linesize, 0, in.height, dst, dstStride);
    for (std::size_t i = 0; i < kGuardBytes; ++i)
        if (guard[i] != kGuardByte)
            throw std::logic_error("Die Bildumwandlung hat über ihren Puffer hinaus geschrieben.");
    return rows;
}

void FrameConverter::copyTurned(int rotationDeg, RgbFrame& out) const {
    const int w = scratchWidth_;
    const int h = scratchHeight_;
    const bool sideways = rotationDeg == 90 || rotationDeg == 270;
    const int outWidth = sideways ? h : w;
    const int outHeight = sideways ? w : h;
    if (out.width() != outWidth || out.height() != outHeight) out = RgbFrame(outWidth, outHeight);
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3u;
    if (rotationDeg != 90 && rotationDeg != 180 && rotationDeg != 270) {
        for (int y = 0; y < h; ++y)
            std::memcpy(out.row(y), scratch_ + static_cast<std::size_t>(y) * scratchStride_,
                        rowBytes);
        return;
    }
    // Stored pixel (x, y) goes to the turned picture's (tx, ty):
    //  90: (h - 1 - y, x);  180: (w - 1 - x, h - 1 - y);  270: (y, w - 1 - x).
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = scratch_ + static_cast<std::size_t>(y) * scratchStride_;
        for (int x = 0; x < w; ++x, src += 3) {
            int tx = 0;
            int ty = 0;
            if (rotationDeg == 90) {
                tx = h - 1 - y;
                ty = x;
            } else if (rotationDeg == 180) {
                tx = w - 1 - x;
                ty = h - 1 - y;
            } else {
                tx = y;
                ty = w - 1 - x;
            }
            std::memcpy(out.row(ty) + static_cast<std::size_t>(tx) * 3u, src, 3);
        }
    }
}

}  // namespace zebak
