#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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

/// The film's frame 1 read a few rows at a time, as a search reads it (the rows converted
/// from the decoder's planes on demand), and then whole: every row read must be the row of the
/// whole frame as a fresh source converts it at once.
void expectRowsAsWhole(const std::string& film) {
    const auto whole = FfmsFrameSource::open(film);
    whole->seek(1);
    const RgbFrame& reference = whole->frame();
    const auto source = FfmsFrameSource::open(film);
    source->seek(1);
    EXPECT_TRUE(source->convertsInBands());
    const int h = source->height();
    const std::size_t rowBytes = static_cast<std::size_t>(source->width()) * 3u;
    // The last row first, then a window across a band's border, then one row, then all.
    for (const auto& [top, bottom] : {std::pair{h - 1, h - 1}, std::pair{h / 3, h / 3 + 17},
                                      std::pair{h / 2, h / 2}, std::pair{0, h - 1}}) {
        const RgbFrame& part = source->rows(top, bottom);
        for (int y = top; y <= std::min(bottom, h - 1); ++y)
            ASSERT_TRUE(std::equal(part.row(y), part.row(y) + rowBytes, reference.row(y)))
                << "row " << y << " of the rows " << top << " to " << bottom;
    }
    EXPECT_EQ(source->frame(), reference);
}

// Every width from 1 to 64 and the phone sizes: frame 1 must carry exactly the pixels
// ffmpeg itself decodes (no black last columns, no bytes of the next row), read row by row
// as whole, and the scaler must never write past its scratch picture (the converter throws
// if its guard is touched). Odd heights, other chroma layouts and turned films read row by
// row too.
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
        expectRowsAsWhole(entry.path().string());
        ++films;
    }
    EXPECT_EQ(films, 64 + 32 + 8);
    for (const auto& entry : fs::directory_iterator(fs::path(ZEBAK_TEST_FILMS) / "layouts")) {
        SCOPED_TRACE(entry.path().filename().string());
        expectRowsAsWhole(entry.path().string());
        ++films;
    }
    // Films stored on their side or upside down: their bands are stored columns or rows.
    for (const char* turned :
         {"h264-90.mp4", "h264-270.mp4", "hevc-90.mov", "hevc-270.mov", "h264-180.mp4"}) {
        SCOPED_TRACE(turned);
        expectRowsAsWhole((fs::path(ZEBAK_TEST_FILMS) / "phone" / turned).string());
        ++films;
    }
    EXPECT_EQ(films, 64 + 32 + 8 + 5 + 5);
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
