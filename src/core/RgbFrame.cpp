#include "RgbFrame.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zebak {

RgbFrame::RgbFrame(int width, int height) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    data_.assign(pixelBytes() + kTailBytes, 0);
}

RgbFrame RgbFrame::unfilled(int width, int height) {
    RgbFrame frame;
    if (width <= 0 || height <= 0) return frame;
    frame.width_ = width;
    frame.height_ = height;
    frame.data_.resize(frame.pixelBytes() + kTailBytes);
    return frame;
}

bool operator==(const RgbFrame& a, const RgbFrame& b) {
    const auto x = a.bytes();
    const auto y = b.bytes();
    return a.width_ == b.width_ && a.height_ == b.height_ &&
           std::equal(x.begin(), x.end(), y.begin(), y.end());
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
    for (std::size_t i = 0; i + 2 < pixelBytes(); i += 3) {
        data_[i] = c.r;
        data_[i + 1] = c.g;
        data_[i + 2] = c.b;
    }
}

std::uint64_t RgbFrame::hash() const {
    // Four independent multiply-xorshift lanes over 64-bit words: every frame a jump or a
    // step delivers is hashed, so this must cost far less than decoding the frame.
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t lane[4] = {static_cast<std::uint64_t>(static_cast<std::uint32_t>(width_)),
                             static_cast<std::uint64_t>(static_cast<std::uint32_t>(height_)),
                             0x243F6A8885A308D3ull, 0x13198A2E03707344ull};
    const std::size_t n = pixelBytes();
    const std::uint8_t* p = data_.data();
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        for (int k = 0; k < 4; ++k) {
            std::uint64_t w;
            std::memcpy(&w, p + i + 8 * k, 8);
            lane[k] = (lane[k] ^ w) * kMul;
            lane[k] ^= lane[k] >> 29;
        }
    }
    std::uint64_t tail = n;
    for (std::size_t k = 0; i < n; ++i, ++k) tail = (tail ^ p[i]) * 0x100000001B3ull + k;
    std::uint64_t h = tail;
    for (std::uint64_t v : lane) {
        h = (h ^ v) * kMul;
        h ^= h >> 31;
    }
    return h;
}

std::optional<Rgb> medianAround(const RgbFrame& frame, int x, int y, int radius) {
    if (!frame.contains(x, y) || radius < 0) return std::nullopt;
    std::array<std::vector<std::uint8_t>, 3> channels;
    for (int v = std::max(0, y - radius); v <= std::min(frame.height() - 1, y + radius); ++v)
        for (int u = std::max(0, x - radius); u <= std::min(frame.width() - 1, x + radius); ++u) {
            const Rgb c = frame.rgb(u, v);
            channels[0].push_back(c.r);
            channels[1].push_back(c.g);
            channels[2].push_back(c.b);
        }
    std::array<std::uint8_t, 3> median{};
    for (std::size_t k = 0; k < 3; ++k) {
        auto& values = channels[k];
        // The middle value; of an even count the upper of the two middle ones.
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        median[k] = *middle;
    }
    return Rgb{median[0], median[1], median[2]};
}

}  // namespace zebak
