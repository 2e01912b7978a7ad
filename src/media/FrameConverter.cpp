#include "FrameConverter.h"

extern "C" {
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

}  // namespace

FrameConverter::~FrameConverter() { sws_freeContext(context_); }

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
    if (out.width() != width || out.height() != height) out = RgbFrame(width, height);
    std::uint8_t* dst[4] = {out.row(0), nullptr, nullptr, nullptr};
    const int dstStride[4] = {width * 3, 0, 0, 0};
    const int rows = sws_scale(context_, in.Data, in.Linesize, 0, in.EncodedHeight, dst, dstStride);
    return rows == height;
}

}  // namespace zebak
