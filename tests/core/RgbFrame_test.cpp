#include "core/RgbFrame.h"

#include <gtest/gtest.h>

#include "core/VideoSize.h"

namespace zebak {
namespace {

TEST(ColourTest, PacksRedIntoTheLowByte) {
    EXPECT_EQ(toColorRef(Rgb{0x12, 0x34, 0x56}), 0x00563412u);
    EXPECT_EQ(fromColorRef(0x00563412u), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(fromColorRef(0xFF563412u), (Rgb{0x12, 0x34, 0x56}));  // high byte ignored
    EXPECT_EQ(redOf(0x00563412u), 0x12);
    EXPECT_EQ(greenOf(0x00563412u), 0x34);
    EXPECT_EQ(blueOf(0x00563412u), 0x56);
}

TEST(RgbFrameTest, ReadsAndWritesInsideAndIgnoresOutside) {
    RgbFrame f(3, 2);
    f.setPixel(2, 1, Rgb{1, 2, 3});
    EXPECT_EQ(f.rgb(2, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(f.rgb(0, 0), (Rgb{0, 0, 0}));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {1 << 30, 1 << 30}}) {
        EXPECT_EQ(f.pixel(x, y), kInvalidColorRef) << x << "," << y;
        f.setPixel(x, y, Rgb{9, 9, 9});  // must not write anywhere
    }
    EXPECT_EQ(f.rgb(2, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(f.bytes().size(), 18u);
    EXPECT_EQ(RgbFrame(-5, 3).bytes().size(), 0u);
    EXPECT_EQ(RgbFrame().pixel(0, 0), kInvalidColorRef);
}

TEST(RgbFrameTest, HashTellsPicturesApart) {
    RgbFrame a(5, 5), b(5, 5);
    EXPECT_EQ(a.hash(), b.hash());
    b.setPixel(4, 4, Rgb{0, 0, 1});  // last byte lies in the tail after the 8-byte words
    EXPECT_NE(a.hash(), b.hash());
    EXPECT_NE(RgbFrame(3, 4).hash(), RgbFrame(4, 3).hash());
}

TEST(VideoSizeTest, OnlyPalIsHalved) {
    EXPECT_EQ(analysisSize({720, 576}), (FrameSize{360, 288}));
    EXPECT_EQ(analysisSize({640, 480}), (FrameSize{640, 480}));
    EXPECT_EQ(analysisSize({720, 480}), (FrameSize{720, 480}));
    EXPECT_EQ(analysisSize({576, 720}), (FrameSize{576, 720}));
    EXPECT_TRUE(isReducedPal({720, 576}));
    EXPECT_FALSE(isReducedPal({360, 288}));
}

}  // namespace
TEST(MedianAround, OneNoisyPixelCannotSpoilTheSampleAndEdgesCutTheSquare) {
    RgbFrame f(10, 8);
    f.fill(Rgb{120, 110, 40});
    f.setPixel(5, 4, Rgb{250, 250, 250});  // a glint under the click
    f.setPixel(6, 4, Rgb{0, 0, 0});
    EXPECT_EQ(f.rgb(5, 4), (Rgb{250, 250, 250}));
    EXPECT_EQ(medianAround(f, 5, 4, 2), (Rgb{120, 110, 40}));
    // Channels are taken one by one.
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 8; ++y)
            f.setPixel(x, y, Rgb{static_cast<std::uint8_t>(x), 7, static_cast<std::uint8_t>(y)});
    EXPECT_EQ(medianAround(f, 5, 4, 2), (Rgb{5, 7, 4}));
    // At the corner only the 3x3 inside the picture count: x and y 0, 1, 2.
    EXPECT_EQ(medianAround(f, 0, 0, 2), (Rgb{1, 7, 1}));
    EXPECT_FALSE(medianAround(f, 10, 0, 2).has_value());
    EXPECT_FALSE(medianAround(RgbFrame(), 0, 0, 2).has_value());
}

}  // namespace zebak
