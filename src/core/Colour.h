#pragma once

#include <cstdint>

namespace zebak {

/// A colour as three 8-bit channels, 0 to 255 each.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

/// A colour packed as 0x00BBGGRR: red in the low byte, green in the second, blue in the third.
using ColorRef = std::uint32_t;

/// The value a pixel read outside the frame returns (all bits set, like an invalid colour
/// of the window system). Its channels read as 255, 255, 255.
inline constexpr ColorRef kInvalidColorRef = 0xFFFFFFFFu;

/// Packs three channels into 0x00BBGGRR.
constexpr ColorRef toColorRef(Rgb c) {
    return static_cast<ColorRef>(c.r) | (static_cast<ColorRef>(c.g) << 8) |
           (static_cast<ColorRef>(c.b) << 16);
}

/// Red channel of a packed colour (the low byte).
constexpr std::uint8_t redOf(ColorRef c) { return static_cast<std::uint8_t>(c & 0xFFu); }
/// Green channel of a packed colour (the second byte).
constexpr std::uint8_t greenOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 8) & 0xFFu); }
/// Blue channel of a packed colour (the third byte).
constexpr std::uint8_t blueOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 16) & 0xFFu); }

/// Unpacks 0x00BBGGRR into three channels; the high byte is ignored.
constexpr Rgb fromColorRef(ColorRef c) { return Rgb{redOf(c), greenOf(c), blueOf(c)}; }

}  // namespace zebak
