#pragma once

namespace zebak {

/// A frame size in pixels.
struct FrameSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(FrameSize, FrameSize) = default;
};

/// The size at which a film of the given native size is analysed: a 720x576 (PAL) film is
/// halved to 360x288, every other size stays as it is.
constexpr FrameSize analysisSize(FrameSize native) {
    if (native.width == 720 && native.height == 576) return FrameSize{360, 288};
    return native;
}

/// True when the film is the PAL size that is analysed at half size.
constexpr bool isReducedPal(FrameSize native) {
    return native.width == 720 && native.height == 576;
}

}  // namespace zebak
