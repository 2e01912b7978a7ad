#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/FfmsFrameSource.h"
#include "media/FrameConverter.h"

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::vector<std::uint8_t> readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every width from 1 to 64 and the phone sizes: frame 1 must carry exactly the pixels
// ffmpeg itself decodes (no black last columns, no bytes of the next row), and the scaler
// must never write past its scratch picture (the converter throws if its guard is touched).
TEST(FrameSizes, EveryWidthDecodesLikeFfmpegWithoutWritingPastTheBuffer) {
    const fs::path folder = fs::path(ZEBAK_TEST_FILMS) / "widths";
    int films = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".mkv") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<std::uint8_t> expected = readAll(entry.path().string() + ".rgb");
        ASSERT_FALSE(expected.empty());
        std::unique_ptr<FfmsFrameSource> source;
        ASSERT_NO_THROW(source = FfmsFrameSource::open(entry.path().string()));
        ASSERT_EQ(source->frameCount(), 3);
        source->seek(1);
        const RgbFrame& f = source->frame();
        ASSERT_EQ(f.bytes().size(), expected.size());
        std::size_t firstDifference = 0;
        while (firstDifference < expected.size() &&
               f.bytes()[firstDifference] == expected[firstDifference])
            ++firstDifference;
        EXPECT_EQ(firstDifference, expected.size())
            << "first differing pixel at column " << (firstDifference / 3) % f.width() << ", row "
            << firstDifference / 3 / f.width();
        ++films;
    }
    EXPECT_EQ(films, 64 + 32 + 8);
}

TEST(FrameSizes, RowsOfTheScratchPictureHoldWholeBlocksOf16PixelsAligned) {
    for (int width = 1; width <= 4096; ++width) {
        const std::size_t stride = FrameConverter::paddedStride(width);
        ASSERT_EQ(stride % 64, 0u) << width;
        ASSERT_GE(stride, static_cast<std::size_t>((width + 15) / 16 * 16 * 3)) << width;
    }
}

}  // namespace
}  // namespace zebak
