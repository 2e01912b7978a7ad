#include "RgbFrame.h"

#include <algorithm>
#include <cstring>

namespace zebak {

RgbFrame::RgbFrame(int width, int height) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    data_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3u, 0);
}

ColorRef RgbFrame::pixel(int x, int y) const {
    if (!contains(x, y)) return kInvalidColorRef;
    const std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 3u;
    return toColorRef(Rgb{p[0], p[1], p[2]});
}

void RgbFrame::setPixel(int x, int y, Rgb c) {
    if (!contains(x, y)) return;
    std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 3u;
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void RgbFrame::fill(Rgb c) {
    for (std::size_t i = 0; i + 2 < data_.size(); i += 3) {
        data_[i] = c.r;
        data_[i + 1] = c.g;
        data_[i + 2] = c.b;
    }
}

std::uint64_t RgbFrame::hash() const {
    // Multiply-xorshift over 64-bit words: a jump check hashes a whole frame, so this must
    // cost far less than decoding one.
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(width_)) << 32) ^
                      static_cast<std::uint32_t>(height_);
    h = (h ^ (h >> 29)) * kMul;
    const std::size_t n = data_.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, data_.data() + i, 8);
        h = (h ^ w) * kMul;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    for (std::size_t k = 0; i < n; ++i, ++k) tail |= static_cast<std::uint64_t>(data_[i]) << (8 * k);
    h = (h ^ tail ^ n) * kMul;
    return h ^ (h >> 31);
}

}  // namespace zebak
