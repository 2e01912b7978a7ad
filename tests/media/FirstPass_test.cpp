// The first open's pass over the film and the warm open after it: the facts read from the
// index and the header equal FFMS2's own, a cancel leaves nothing behind, and a warm open
// decodes frame 0 only.
#include <ffms.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/FfmsFrameSource.h"
#include "media/IndexRate.h"
#include "support/Barcode.h"
#include "support/CacheFolder.h"

namespace zebak {
namespace {

std::string film(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/" + name; }

using test::CacheFolder;

struct FfmsFacts {
    double fps = 0;
    int rotation = 0;
};

/// What FFMS2 itself reports once its source is set up.
FfmsFacts ffmsOwn(const std::string& path) {
    FFMS_Init(0, 0);
    char text[512];
    FFMS_ErrorInfo e;
    e.Buffer = text;
    e.BufferSize = sizeof text;
    FFMS_Indexer* indexer = FFMS_CreateIndexer(path.c_str(), &e);
    EXPECT_NE(indexer, nullptr) << path;
    FFMS_Index* index = FFMS_DoIndexing2(indexer, FFMS_IEH_IGNORE, &e);
    const int track = FFMS_GetFirstIndexedTrackOfType(index, FFMS_TYPE_VIDEO, &e);
    FFMS_VideoSource* source =
        FFMS_CreateVideoSource(path.c_str(), track, index, 1, FFMS_SEEK_NORMAL, &e);
    EXPECT_NE(source, nullptr) << path;
    const FFMS_VideoProperties* p = FFMS_GetVideoProperties(source);
    FfmsFacts facts{static_cast<double>(p->FPSNumerator) / p->FPSDenominator, p->Rotation};
    FFMS_DestroyVideoSource(source);
    FFMS_DestroyIndex(index);
    return facts;
}

// The rate and turn come from the index and the header now, with no FFMS2 source set up;
// they must be the ones FFMS2 reports, on films of every kind, rate and turn.
TEST(FirstPassTest, RateAndTurnWithoutADecoderEqualFfms2sOwn) {
    CacheFolder cache;
    for (const std::string name :
         {"mpeg4.avi", "mpeg4-bframes.avi", "mjpeg.avi", "dv-pal.avi", "h264.mov", "mpeg2.mpg",
          "hevc.mp4", "vp9.webm", "phone/h264-90.mp4", "phone/h264-180.mp4",
          "phone/h264-270.mp4", "phone/hevc-90.mov", "phone/uneven.mp4", "phone/slow-motion.mp4",
          "phone/one-frame.mp4"}) {
        const FfmsFacts own = ffmsOwn(film(name));
        const auto source = FfmsFrameSource::open(film(name));
        // Only the careful pass (films whose time stamps are guesses) sets up FFMS2 at once.
        EXPECT_EQ(source->jumpSourceMade(), !source->readsInOrder()) << name;
        EXPECT_EQ(source->info().rotationDeg, own.rotation) << name;
        // The program keeps FFMS2's rate unless it is implausible (the one-frame film's
        // 15360 frames/s is replaced by the stream's own rate).
        if (name != "phone/one-frame.mp4") {
            EXPECT_DOUBLE_EQ(source->info().fps, own.fps) << name;
        }
    }
}

TEST(FirstPassTest, IndexRateSnapsToCommonRatesOnlyWhenClose) {
    // Ticks of 1/15360 s in milliseconds: Num 1000, Den 15360.
    EXPECT_DOUBLE_EQ(indexFrameRate(0, 512 * 269, 270, 1000, 15360).fps(), 30.0);
    // 29.97 frames/s (1001 ticks of 1/30000 s a frame) becomes 30000/1001.
    const RateFraction ntsc = indexFrameRate(0, 1001 * 99, 100, 1000, 30000);
    EXPECT_EQ(ntsc.num, 30000);
    EXPECT_EQ(ntsc.den, 1001);
    // 23 frames/s is near no common rate and stays.
    EXPECT_NEAR(indexFrameRate(0, 667 * 23, 24, 1000, 15360).fps(), 23.03, 0.01);
    // One frame: the stream's time base.
    EXPECT_DOUBLE_EQ(indexFrameRate(0, 0, 1, 1000, 15360).fps(), 15360.0);
    EXPECT_DOUBLE_EQ(indexFrameRate(0, 0, 0, 0, 0).fps(), 0.0);
    EXPECT_DOUBLE_EQ(indexFrameRate(100, 50, 5, 1000, 25).fps(), 25.0);  // times backwards
}

TEST(FirstPassTest, ACancelInTheMiddleOfThePassLeavesNothingInTheCache) {
    CacheFolder cache;
    int reports = 0;
    EXPECT_THROW(FfmsFrameSource::open(film("h264.mov"),
                                       [&](const FilmOpenStatus& s) {
                                           ++reports;
                                           return s.framesDone < 100;
                                       }),
                 FilmOpenCancelled);
    EXPECT_GT(reports, 10);
    EXPECT_EQ(cache.files(), 0u);
    // The next open makes the pass again and serves the right frames.
    auto source = FfmsFrameSource::open(film("h264.mov"));
    EXPECT_EQ(cache.files(), 2u);
    source->seek(150);
    EXPECT_EQ(test::readBarcode(source->frame()), 150);
}

// A warm open decodes frame 0 only and sets up no FFMS2 source; going on in order needs none
// either, and the first jump makes it.
TEST(FirstPassTest, AWarmOpenDecodesFrameZeroOnlyAndJumpsSetUpFfms2) {
    CacheFolder cache;
    FfmsFrameSource::open(film("h264-1080.mp4")).reset();
    auto source = FfmsFrameSource::open(film("h264-1080.mp4"));
    EXPECT_EQ(source->decodeCount(), 1);
    EXPECT_TRUE(source->readsInOrder());
    for (int n = 1; n <= 10; ++n) {
        source->seek(n);
        ASSERT_EQ(test::readBarcode(source->frame()), n);
    }
    EXPECT_FALSE(source->jumpSourceMade());
    EXPECT_EQ(source->decodeCount(), 11);
    // Read in order, only the frame before the shown one is kept: one step back is free.
    source->seek(9);
    EXPECT_EQ(test::readBarcode(source->frame()), 9);
    EXPECT_EQ(source->decodeCount(), 11);
    // Stepped back, the list keeps what it can: forth and back again costs no decode.
    source->seek(4);
    EXPECT_EQ(test::readBarcode(source->frame()), 4);
    for (int n = 5; n <= 12; ++n) source->seek(n);
    const std::int64_t decodes = source->decodeCount();
    for (int n : {11, 7, 5, 4, 10}) {
        source->seek(n);
        EXPECT_EQ(test::readBarcode(source->frame()), n);
    }
    EXPECT_EQ(source->decodeCount(), decodes);
    source->seek(40);
    EXPECT_EQ(test::readBarcode(source->frame()), 40);
    EXPECT_TRUE(source->jumpSourceMade());
    // Back to frame 0 and on in order: the plain decoder starts again from the beginning.
    source->seek(0);
    EXPECT_EQ(test::readBarcode(source->frame()), 0);
    source->seek(1);
    EXPECT_EQ(test::readBarcode(source->frame()), 1);
}

}  // namespace
}  // namespace zebak
