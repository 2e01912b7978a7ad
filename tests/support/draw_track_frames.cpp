// Writes the frames of the track test film as raw RGB (rgb24) to standard output, for ffmpeg
// to encode: 20 frames of 160x120 with a dark background (32, 32, 32), a red 6x6 box at
// (10 + 4n, 20 + 2n) and a blue 4x4 box at (140 - 3n, 80) in frame n. Box centres as the
// bounding-box midpoint: (12 + 4n, 22 + 2n) and (141 - 3n, 81).
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kFrames = 20;

void box(std::vector<unsigned char>& f, int left, int top, int size, const unsigned char (&c)[3]) {
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x)
            for (int k = 0; k < 3; ++k)
                f[static_cast<std::size_t>((y * kWidth + x) * 3 + k)] = c[k];
}

}  // namespace

int main() {
    const unsigned char red[3] = {230, 40, 40};
    const unsigned char blue[3] = {40, 40, 230};
    for (int n = 0; n < kFrames; ++n) {
        std::vector<unsigned char> frame(kWidth * kHeight * 3, 32);
        box(frame, 10 + 4 * n, 20 + 2 * n, 6, red);
        box(frame, 140 - 3 * n, 80, 4, blue);
        if (std::fwrite(frame.data(), 1, frame.size(), stdout) != frame.size()) return 1;
    }
    return 0;
}
