#pragma once

#include <cstddef>
#include <cstdint>

#include "DecodedPicture.h"
#include "core/RgbFrame.h"

struct SwsContext;

namespace zebak {

/// Turns a decoded frame in the decoder's own pixel format into packed RGB at the analysis
/// size. FFMS2's own conversion runs in swscale's slow accurate mode (four times the cost of
/// decoding); this one takes swscale's fast paths, honours the film's colour matrix and
/// range where the film states them, and keeps one scaler for as long as the input stays
/// the same.
///
/// swscale's fast paths work on whole blocks of pixels and write past the end of a row and
/// of the picture. So it writes into a scratch picture of its own, with rows padded to whole
/// blocks of 16 pixels, spare bytes behind the last row and a guard region after them whose
/// contents are checked after every conversion; the rows are then copied into the packed
/// RGB frame. Where the frame's own rows already are such rows (a width that is a multiple
/// of 64 pixels: 640, 1280, 1920, 3840 ...) and the picture is not turned, it writes into the
/// frame itself, whose spare bytes behind the last row take the overrun and the guard.
///
/// A search reads only a window of each frame, so a frame can also be converted band by band
/// of kBandRows rows, when they are first read: begin() makes ready, convertBand() converts
/// one band through a scaler of the band's size over the band's part of the decoded planes
/// (stored rows, or stored columns of a picture turned by a quarter, then turned). That is
/// offered only where it gives exactly the pixels of the whole conversion: same size, not
/// paletted, bands that start at whole blocks of 16 stored columns, and checked once per kind
/// of picture by converting the first one both ways and comparing every byte.
class FrameConverter {
  public:
    FrameConverter() = default;
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    /// Converts `in` to width x height pixels and turns the picture clockwise by
    /// rotationDeg (0, 90, 180 or 270) into `out`, which is resized to the turned size;
    /// false when the frame's format cannot be converted. Throws std::logic_error when the
    /// scaler wrote past its scratch picture (which would be a fault in this class's
    /// padding, never in the film).
    bool convert(const DecodedPicture& in, int width, int height, int rotationDeg, RgbFrame& out);

    /// Rows a band holds (a multiple of every chroma subsampling there is).
    static constexpr int kBandRows = 16;
    /// What begin() did: nothing (the format cannot be converted), made ready, or converted
    /// the picture whole (the first of its kind, which checks the bands against it).
    enum class Begun { Failed, Ready, Converted };
    /// Makes ready to convert `in` as convert() would and sizes `out` to the turned size.
    Begun begin(const DecodedPicture& in, int width, int height, int rotationDeg, RgbFrame& out);
    /// Whether the picture of the last begin() can be converted band by band.
    bool convertsInBands() const { return bandsExact_; }
    /// Converts rows [top, bottom) of the picture of the last begin() into the same rows of
    /// `out`, exactly as convert() makes them; top a multiple of kBandRows, bottom one too or
    /// the picture's height. Only when convertsInBands(); false when the scaler fails.
    bool convertBand(const DecodedPicture& in, int top, int bottom, RgbFrame& out);

    /// Bytes between rows of the scratch picture for a width in pixels: room for the width
    /// rounded up to 16 pixels, rounded up to a multiple of 64 bytes.
    static std::size_t paddedStride(int width);
    /// Spare bytes behind the scratch picture's last row, and the guard region after them.
    static constexpr std::size_t kSpareBytes = 256;
    static constexpr std::size_t kGuardBytes = 64;
    static_assert(RgbFrame::kTailBytes >= kSpareBytes + kGuardBytes,
                  "a frame's spare bytes must hold what the scaler may write past the last row");

  private:
    struct Key {
        int srcWidth = 0, srcHeight = 0, srcFormat = -1, colorSpace = -1, colorRange = -1;
        int dstWidth = 0, dstHeight = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    /// A scaler for the key with the film's colour matrix and range; null when there is none.
    static SwsContext* makeContext(const Key& key);
    bool prepare(const Key& key);
    /// A part of the stored picture: its first column and row, its width and height.
    struct Region {
        int x = 0, y = 0, width = 0, height = 0;
    };
    /// The stored part that becomes the turned picture's rows top .. bottom - 1.
    Region storedRegion(int top, int bottom) const;
    /// The scaler for a part of this size of the picture of key_.
    SwsContext* bandContext(int width, int height);
    /// Writes the stored part r, converted in `src` (rows `stride` bytes apart), turned by
    /// rotationDeg into the turned rows it becomes: row ty at out + (ty - outTop) * outStride.
    /// The key_'s size is the stored picture's.
    void turnInto(const std::uint8_t* src, std::size_t stride, const Region& r, int rotationDeg,
                  std::uint8_t* out, std::size_t outStride, int outTop) const;
    /// Whether the picture begun can be converted band by band with the pixels of its whole
    /// conversion `whole`.
    bool bandsMatchWhole(const DecodedPicture& in, int rotationDeg, const RgbFrame& whole);
    /// Scales the part r of `in` into the scratch band; false on failure.
    bool scaleBand(const DecodedPicture& in, const Region& r);
    bool convertInPlace(const DecodedPicture& in, int width, int height, RgbFrame& out);
    void prepareScratch(int width, int height);
    /// Scales `rows` rows of the planes `src` into a picture of this row stride whose guard
    /// region lies at `guard`: fills the guard, scales, checks the guard (throws when it was
    /// touched); the rows made.
    static int scaleInto(SwsContext* context, const std::uint8_t* const src[4],
                         const int srcStride[4], int rows, std::uint8_t* picture,
                         std::size_t stride, std::uint8_t* guard);
    void copyTurned(int rotationDeg, RgbFrame& out) const;

    SwsContext* context_ = nullptr;
    Key key_;
    // Band by band: whether this kind of picture was checked, and the outcome; the scalers of
    // a whole band and of the shorter last band; the scratch rows one band is made in.
    bool bandsChecked_ = false;
    bool bandsExact_ = false;
    int bandsRotation_ = 0;
    struct BandScaler {
        int width = 0;
        int height = 0;
        SwsContext* context = nullptr;
    };
    BandScaler bandScalers_[2];
    std::uint8_t* bandScratch_ = nullptr;  // av_malloc'ed, 64-byte aligned
    std::size_t bandScratchBytes_ = 0;
    std::uint8_t* scratch_ = nullptr;  // av_malloc'ed, 64-byte aligned
    std::size_t scratchStride_ = 0;
    std::size_t scratchPicture_ = 0;  // stride * height + spare bytes
    int scratchWidth_ = 0, scratchHeight_ = 0;
};

}  // namespace zebak
