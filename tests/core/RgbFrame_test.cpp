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
}  // namespace zebak
