#pragma once

#include <filesystem>
#include <string>

#include "Process.h"
#include "core/RgbFrame.h"

namespace zebak::test {

/// A lossless 640 x 480 film of 10 frames on a dark grey ground: a 24 x 24 red square
/// (200, 50, 50) flying from (40, 100) down to the right by (50, 20) a frame, and a blue one
/// (50, 50, 200) moving left along y = 380 from x = 500 by 40 a frame.
struct StrobeFilm {
    static constexpr int kFrames = 10;
    /// Centre of each square in frame k, as the searches find it (top-left + 11).
    static int redX(int k) { return 40 + 50 * k + 11; }
    static int redY(int k) { return 100 + 20 * k + 11; }
    static int blueX(int k) { return 500 - 40 * k + 11; }
    static constexpr int kBlueY = 391;

    /// Writes the film to `path` with ffmpeg; false when ffmpeg failed.
    static bool make(const std::filesystem::path& path) {
        const std::string cmd =
            "ffmpeg -nostdin -hide_banner -loglevel error -y "
            "-f lavfi -i color=c=0x202020:s=640x480:r=10:d=1 "
            "-f lavfi -i color=c=0xC83232:s=24x24:r=10:d=1 "
            "-f lavfi -i color=c=0x3232C8:s=24x24:r=10:d=1 -filter_complex "
            "\"[0][1]overlay=x='40+t*500':y='100+t*200'[a];[a][2]overlay=x='500-t*400':y=380\" "
            "-c:v ffv1 -pix_fmt bgr0 " +
            shellQuote(path.string());
        return runCommand(cmd).status == 0 && std::filesystem::exists(path);
    }
};

/// Reads a PNG (or any picture ffmpeg reads) as RGB; an empty frame when it cannot.
inline RgbFrame readPicture(const std::filesystem::path& path, int width, int height) {
    const auto r = runCommand("ffmpeg -nostdin -hide_banner -loglevel error -i " +
                              shellQuote(path.string()) + " -f rawvideo -pix_fmt rgb24 -");
    if (r.status != 0 || r.out.size() != static_cast<std::size_t>(width * height * 3)) return {};
    RgbFrame f(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(r.out.data()) +
                            3 * (static_cast<std::size_t>(y) * width + x);
            f.setPixel(x, y, Rgb{p[0], p[1], p[2]});
        }
    return f;
}

}  // namespace zebak::test
