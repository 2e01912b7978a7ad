#include "FrameConverter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include "core/FrameSource.h"

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
    for (BandScaler& b : bandScalers_) sws_freeContext(b.context);
    av_free(scratch_);
    av_free(bandScratch_);
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

SwsContext* FrameConverter::makeContext(const Key& key) {
    const bool scaled = key.srcWidth != key.dstWidth || key.srcHeight != key.dstHeight;
    // Halving a PAL frame averages each 2x2 block (area); same size takes the unscaled path.
    const int flags = scaled ? SWS_AREA : SWS_POINT;
    SwsContext* context = sws_getContext(
        key.srcWidth, key.srcHeight, static_cast<AVPixelFormat>(key.srcFormat), key.dstWidth,
        key.dstHeight, AV_PIX_FMT_RGB24, flags, nullptr, nullptr, nullptr);
    if (context == nullptr) return nullptr;

    // A film that states its colour matrix gets it; an untagged one gets swscale's default.
    int* invTable = nullptr;
    int srcRange = 0;
    int* table = nullptr;
    int dstRange = 0;
    int brightness = 0, contrast = 0, saturation = 0;
    if (sws_getColorspaceDetails(context, &invTable, &srcRange, &table, &dstRange, &brightness,
                                 &contrast, &saturation) >= 0) {
        const int space = key.colorSpace;
        const int* coefficients = (space > AVCOL_SPC_RGB && space != AVCOL_SPC_UNSPECIFIED)
                                      ? sws_getCoefficients(space)
                                      : invTable;
        const int fullRange =
            key.colorRange == AVCOL_RANGE_JPEG || isFullRangeFormat(key.srcFormat);
        sws_setColorspaceDetails(context, coefficients, fullRange ? 1 : srcRange, table, 1,
                                 brightness, contrast, saturation);
    }
    return context;
}

bool FrameConverter::prepare(const Key& key) {
    if (context_ != nullptr && key == key_) return true;
    sws_freeContext(context_);
    for (BandScaler& b : bandScalers_) {
        sws_freeContext(b.context);
        b = BandScaler{};
    }
    bandsChecked_ = false;
    bandsExact_ = false;
    context_ = makeContext(key);
    if (context_ == nullptr) return false;
    key_ = key;
    return true;
}

SwsContext* FrameConverter::bandContext(int width, int height) {
    // Two scalers serve a picture: one for whole bands, one for the shorter last band.
    for (BandScaler& b : bandScalers_)
        if (b.context != nullptr && b.width == width && b.height == height) return b.context;
    BandScaler& slot = bandScalers_[(width == key_.dstWidth ? height : width) == kBandRows ? 0 : 1];
    sws_freeContext(slot.context);
    Key band = key_;
    band.srcWidth = band.dstWidth = width;
    band.srcHeight = band.dstHeight = height;
    slot = BandScaler{width, height, makeContext(band)};
    return slot.context;
}

FrameConverter::Region FrameConverter::storedRegion(int top, int bottom) const {
    // The turned picture's rows top .. bottom - 1 are stored rows (upright, half turn) or
    // stored columns (quarter turns).
    const int w = key_.dstWidth;
    const int h = key_.dstHeight;
    const int n = bottom - top;
    switch (bandsRotation_) {
        case 90:
            return {top, 0, n, h};
        case 180:
            return {0, h - bottom, w, n};
        case 270:
            return {w - bottom, 0, n, h};
        default:
            return {0, top, w, n};
    }
}

bool FrameConverter::convert(const DecodedPicture& in, int width, int height, int rotationDeg,
                             RgbFrame& out) {
    const Key key{in.width, in.height, in.pixelFormat, in.colorSpace, in.colorRange, width, height};
    if (key.srcWidth <= 0 || key.srcHeight <= 0 || width <= 0 || height <= 0) return false;
    if (!prepare(key)) return false;
    if (rotationDeg == 0 && paddedStride(width) == static_cast<std::size_t>(width) * 3u)
        return convertInPlace(in, width, height, out);
    prepareScratch(width, height);
    if (scaleInto(context_, in.data, in.linesize, in.height, scratch_, scratchStride_,
                  scratch_ + scratchPicture_) != height)
        return false;
    copyTurned(rotationDeg, out);
    return true;
}

FrameConverter::Begun FrameConverter::begin(const DecodedPicture& in, int width, int height,
                                            int rotationDeg, RgbFrame& out) {
    const Key key{in.width, in.height, in.pixelFormat, in.colorSpace, in.colorRange, width, height};
    if (key.srcWidth <= 0 || key.srcHeight <= 0 || width <= 0 || height <= 0) return Begun::Failed;
    if (!prepare(key)) return Begun::Failed;
    if (bandsChecked_ && bandsRotation_ == rotationDeg) {
        const FrameSize turned = uprightSize({width, height}, rotationDeg);
        if (out.width() != turned.width || out.height() != turned.height)
            out = RgbFrame::unfilled(turned.width, turned.height);
        return Begun::Ready;
    }
    // The first picture of its kind is converted whole, and then band by band for the check.
    if (!convert(in, width, height, rotationDeg, out)) return Begun::Failed;
    bandsExact_ = bandsMatchWhole(in, rotationDeg, out);
    bandsChecked_ = true;
    bandsRotation_ = rotationDeg;
    return Begun::Converted;
}

bool FrameConverter::bandsMatchWhole(const DecodedPicture& in, int rotationDeg,
                                     const RgbFrame& whole) {
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(in.pixelFormat));
    if (d == nullptr || key_.srcWidth != key_.dstWidth || key_.srcHeight != key_.dstHeight ||
        (d->flags & (AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_BITSTREAM)) !=
            0 ||
        (1 << d->log2_chroma_h) > kBandRows || (1 << d->log2_chroma_w) > kBandRows)
        return false;
    bandsRotation_ = rotationDeg;
    // Every band, made from the last to the first in a scratch picture of its own, must give
    // the rows of the whole conversion byte for byte. Bands start at whole blocks of 16
    // stored rows or columns, so every plane's band starts at a whole chroma sample.
    const int height = whole.height();
    const std::size_t rowBytes = static_cast<std::size_t>(whole.width()) * 3u;
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(kBandRows));
    const int last = (height - 1) / kBandRows * kBandRows;
    for (int top = last; top >= 0; top -= kBandRows) {
        const int bottom = std::min(top + kBandRows, height);
        const Region r = storedRegion(top, bottom);
        if (r.x % kBandRows != 0 || r.y % (1 << d->log2_chroma_h) != 0 || !scaleBand(in, r))
            return false;
        turnInto(bandScratch_, paddedStride(r.width), r, rotationDeg, rows.data(), rowBytes, top);
        for (int y = top; y < bottom; ++y)
            if (std::memcmp(whole.row(y),
                            rows.data() + static_cast<std::size_t>(y - top) * rowBytes,
                            rowBytes) != 0)
                return false;
    }
    return true;
}

bool FrameConverter::scaleBand(const DecodedPicture& in, const Region& r) {
    SwsContext* context = bandContext(r.width, r.height);
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(in.pixelFormat));
    if (context == nullptr || d == nullptr) return false;
    // The region's samples of each plane: chroma planes have a row for every 2^log2_chroma_h
    // rows and a sample for every 2^log2_chroma_w columns, `step` bytes apart.
    const std::uint8_t* src[4] = {nullptr, nullptr, nullptr, nullptr};
    for (int p = 0; p < 4; ++p) {
        if (in.data[p] == nullptr) continue;
        const bool chroma = p == 1 || p == 2;
        int step = 0;
        for (int c = d->nb_components - 1; c >= 0; --c)
            if (d->comp[c].plane == p) step = d->comp[c].step;
        const std::ptrdiff_t row = r.y >> (chroma ? d->log2_chroma_h : 0);
        const std::ptrdiff_t column = r.x >> (chroma ? d->log2_chroma_w : 0);
        src[p] = in.data[p] + row * in.linesize[p] + column * step;
    }
    const std::size_t stride = paddedStride(r.width);
    const std::size_t picture = stride * static_cast<std::size_t>(r.height) + kSpareBytes;
    if (bandScratch_ == nullptr || bandScratchBytes_ < picture) {
        av_free(bandScratch_);
        bandScratch_ = static_cast<std::uint8_t*>(av_malloc(picture + kGuardBytes));
        if (bandScratch_ == nullptr) throw std::bad_alloc();
        bandScratchBytes_ = picture;
    }
    return scaleInto(context, src, in.linesize, r.height, bandScratch_, stride,
                     bandScratch_ + picture) == r.height;
}

bool FrameConverter::convertBand(const DecodedPicture& in, int top, int bottom, RgbFrame& out) {
    if (!bandsExact_ || bottom <= top || top % kBandRows != 0 || bottom > out.height())
        return false;
    const Region r = storedRegion(top, bottom);
    if (!scaleBand(in, r)) return false;
    turnInto(bandScratch_, paddedStride(r.width), r, bandsRotation_, out.row(0),
             static_cast<std::size_t>(out.width()) * 3u, 0);
    return true;
}

void FrameConverter::turnInto(const std::uint8_t* src, std::size_t stride, const Region& r,
                              int rotationDeg, std::uint8_t* out, std::size_t outStride,
                              int outTop) const {
    const int w = key_.dstWidth;
    const int h = key_.dstHeight;
    const auto target = [&](int tx, int ty) {
        return out + static_cast<std::size_t>(ty - outTop) * outStride +
               static_cast<std::size_t>(tx) * 3u;
    };
    if (rotationDeg != 90 && rotationDeg != 180 && rotationDeg != 270) {
        for (int j = 0; j < r.height; ++j)
            std::memcpy(target(0, r.y + j), src + static_cast<std::size_t>(j) * stride,
                        static_cast<std::size_t>(r.width) * 3u);
        return;
    }
    // Stored pixel (x, y) goes to the turned picture's (tx, ty):
    //  90: (h - 1 - y, x);  180: (w - 1 - x, h - 1 - y);  270: (y, w - 1 - x).
    const std::ptrdiff_t rowStep = static_cast<std::ptrdiff_t>(outStride);
    if (rotationDeg == 180) {
        // Each stored row becomes a turned row, its pixels in reverse order.
        for (int j = 0; j < r.height; ++j) {
            const std::uint8_t* from = src + static_cast<std::size_t>(j) * stride;
            std::uint8_t* to = target(w - 1 - r.x, h - 1 - (r.y + j));
            for (int i = 0; i < r.width; ++i, from += 3, to -= 3) std::memcpy(to, from, 3);
        }
        return;
    }
    // A quarter turn makes stored columns turned rows: in tiles of 32 x 32 pixels, so the
    // rows written stay in the processor's cache while a tile is done.
    constexpr int kTile = 32;
    const std::ptrdiff_t step = rotationDeg == 90 ? rowStep : -rowStep;
    for (int j0 = 0; j0 < r.height; j0 += kTile) {
        for (int i0 = 0; i0 < r.width; i0 += kTile) {
            const int iEnd = std::min(i0 + kTile, r.width);
            for (int j = j0; j < std::min(j0 + kTile, r.height); ++j) {
                const int y = r.y + j;
                const int x = r.x + i0;
                const std::uint8_t* from =
                    src + static_cast<std::size_t>(j) * stride + static_cast<std::size_t>(i0) * 3u;
                std::uint8_t* to = rotationDeg == 90 ? target(h - 1 - y, x) : target(y, w - 1 - x);
                for (int i = i0; i < iEnd; ++i, from += 3, to += step) std::memcpy(to, from, 3);
            }
        }
    }
}

bool FrameConverter::convertInPlace(const DecodedPicture& in, int width, int height,
                                    RgbFrame& out) {
    // Rows of whole 16-pixel blocks that are already 64-byte multiples: the frame's own rows
    // are laid out as the scratch picture's would be, and its spare bytes take what the
    // scaler writes past the last row. The guard lies behind them, as in the scratch picture.
    if (out.width() != width || out.height() != height) out = RgbFrame::unfilled(width, height);
    const std::size_t stride = static_cast<std::size_t>(width) * 3u;
    return scaleInto(context_, in.data, in.linesize, in.height, out.row(0), stride,
                     out.tail() + kSpareBytes) == height;
}

int FrameConverter::scaleInto(SwsContext* context, const std::uint8_t* const src[4],
                              const int srcStride[4], int rows, std::uint8_t* picture,
                              std::size_t stride, std::uint8_t* guard) {
    std::memset(guard, kGuardByte, kGuardBytes);
    std::uint8_t* dst[4] = {picture, nullptr, nullptr, nullptr};
    const int dstStride[4] = {static_cast<int>(stride), 0, 0, 0};
    const int made = sws_scale(context, src, srcStride, 0, rows, dst, dstStride);
    for (std::size_t i = 0; i < kGuardBytes; ++i)
        if (guard[i] != kGuardByte)
            throw std::logic_error("Die Bildumwandlung hat über ihren Puffer hinaus geschrieben.");
    return made;
}

void FrameConverter::copyTurned(int rotationDeg, RgbFrame& out) const {
    const FrameSize turned = uprightSize({scratchWidth_, scratchHeight_}, rotationDeg);
    if (out.width() != turned.width || out.height() != turned.height)
        out = RgbFrame::unfilled(turned.width, turned.height);
    turnInto(scratch_, scratchStride_, Region{0, 0, scratchWidth_, scratchHeight_}, rotationDeg,
             out.row(0), static_cast<std::size_t>(turned.width) * 3u, 0);
}

}  // namespace zebak
