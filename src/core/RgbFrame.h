#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "Colour.h"

namespace zebak {

/// One picture as packed 8-bit RGB, rows top to bottom, no padding between rows. Behind the
/// last row lie kTailBytes spare bytes that are not part of the picture, so a converter that
/// writes whole blocks of pixels may write the picture in place.
/// Every pixel access checks its coordinates: reads outside the picture return
/// kInvalidColorRef and writes outside it are ignored, so no caller can leave the buffer.
class RgbFrame {
  public:
    /// An empty picture of size 0 x 0.
    RgbFrame() = default;
    /// A black picture of width x height pixels; negative sizes give an empty picture.
    RgbFrame(int width, int height);
    /// A picture of width x height pixels whose bytes are not set: for a converter that
    /// writes every row before it is read. Its memory is touched only where it is written,
    /// so rows never converted cost neither time nor memory.
    static RgbFrame unfilled(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    /// True when (x, y) lies inside the picture.
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    /// Colour at (x, y) as 0x00BBGGRR; kInvalidColorRef outside the picture.
    ColorRef pixel(int x, int y) const;
    /// Colour at (x, y) as channels; (255, 255, 255) outside the picture.
    Rgb rgb(int x, int y) const { return fromColorRef(pixel(x, y)); }
    /// Sets (x, y) to c; does nothing outside the picture.
    void setPixel(int x, int y, Rgb c);
    /// Fills the whole picture with c.
    void fill(Rgb c);

    /// Start of row y (3 bytes a pixel); y must lie in [0, height).
    const std::uint8_t* row(int y) const { return data_.data() + rowOffset(y); }
    std::uint8_t* row(int y) { return data_.data() + rowOffset(y); }
    /// All pixel bytes, width * height * 3 of them.
    std::span<const std::uint8_t> bytes() const { return {data_.data(), pixelBytes()}; }
    /// The spare bytes behind the last row (kTailBytes of them; none in an empty picture).
    std::uint8_t* tail() { return data_.data() + pixelBytes(); }
    static constexpr std::size_t kTailBytes = 320;

    /// 64-bit hash of the size and the pixel bytes, 8 bytes a step; equal pictures hash equal.
    std::uint64_t hash() const;

    /// Same size and the same pixels (the spare bytes do not count).
    friend bool operator==(const RgbFrame& a, const RgbFrame& b);

  private:
    std::size_t pixelBytes() const {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3u;
    }
    std::size_t rowOffset(int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) * 3u;
    }

    /// Makes its elements without setting them, unless a value is given.
    template <typename T>
    struct UnsetAllocator : std::allocator<T> {
        using std::allocator<T>::allocator;
        template <typename U>
        void construct(U* p) noexcept {
            ::new (static_cast<void*>(p)) U;
        }
        template <typename U, typename... Args>
        void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t, UnsetAllocator<std::uint8_t>> data_;
};

/// The per-channel median of the pixels within `radius` of (x, y) (a square of side
/// 2 radius + 1, cut at the picture's edges): a colour sample that one noisy pixel cannot
/// spoil. Nothing when (x, y) lies outside the picture.
std::optional<Rgb> medianAround(const RgbFrame& frame, int x, int y, int radius);

}  // namespace zebak
