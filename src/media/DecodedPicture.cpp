#include "DecodedPicture.h"

// The library's own XXH3, which picks the widest vector unit of the machine at run time (the
// same hash values on every one): hashing every decoded picture is a share of reading a film.
#define XXH_STATIC_LINKING_ONLY
#include <xxhash.h>
#if defined(__x86_64__) || defined(__i386__)
#include <xxh_x86dispatch.h>
#endif

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

namespace zebak {

DecodedPicture DecodedPicture::of(const FFMS_Frame& frame) {
    DecodedPicture p;
    for (int i = 0; i < 4; ++i) {
        p.data[i] = frame.Data[i];
        p.linesize[i] = frame.Linesize[i];
    }
    p.width = frame.EncodedWidth;
    p.height = frame.EncodedHeight;
    p.pixelFormat = frame.EncodedPixelFormat;
    p.colorSpace = frame.ColorSpace;
    p.colorRange = frame.ColorRange;
    return p;
}

DecodedPicture DecodedPicture::of(const AVFrame& frame) {
    DecodedPicture p;
    for (int i = 0; i < 4; ++i) {
        p.data[i] = frame.data[i];
        p.linesize[i] = frame.linesize[i];
    }
    p.width = frame.width;
    p.height = frame.height;
    p.pixelFormat = frame.format;
    p.colorSpace = frame.colorspace;
    p.colorRange = frame.color_range;
    return p;
}

std::uint64_t pictureHash(const DecodedPicture& picture) {
    const auto format = static_cast<AVPixelFormat>(picture.pixelFormat);
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    int rowBytes[4] = {0, 0, 0, 0};
    if (desc == nullptr || picture.width <= 0 || picture.height <= 0 ||
        av_image_fill_linesizes(rowBytes, format, picture.width) < 0)
        return 0;
    XXH3_state_t state;
    XXH3_INITSTATE(&state);
    XXH3_64bits_reset(&state);
    const int header[3] = {picture.width, picture.height, picture.pixelFormat};
    XXH3_64bits_update(&state, header, sizeof header);
    const int planes = av_pix_fmt_count_planes(format);
    for (int p = 0; p < planes && p < 4; ++p) {
        if (picture.data[p] == nullptr) return 0;
        // The chroma planes of subsampled formats have fewer rows; luma and alpha have all.
        const bool chroma = (p == 1 || p == 2) && (desc->flags & AV_PIX_FMT_FLAG_RGB) == 0;
        const int rows = chroma ? -((-picture.height) >> desc->log2_chroma_h) : picture.height;
        const std::uint8_t* row = picture.data[p];
        for (int y = 0; y < rows; ++y, row += picture.linesize[p])
            XXH3_64bits_update(&state, row, static_cast<std::size_t>(rowBytes[p]));
    }
    // A paletted picture's colours are part of it.
    if ((desc->flags & AV_PIX_FMT_FLAG_PAL) != 0 && picture.data[1] != nullptr)
        XXH3_64bits_update(&state, picture.data[1], 256 * 4);
    return XXH3_64bits_digest(&state);
}

}  // namespace zebak
