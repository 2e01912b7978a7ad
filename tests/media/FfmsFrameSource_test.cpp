#include "media/FfmsFrameSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/Barcode.h"
#include "support/CacheFolder.h"
#include "support/Process.h"

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::string film(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/" + name; }

using test::CacheFolder;

struct FilmCase {
    std::string name;
    int width;
    int height;
    /// Whether the first pass may read the film with the plain decoder in order: not where
    /// the decoder's time stamps are guesses (B-frames in AVI, MPEG program streams), so its
    /// numbering cannot be checked against the index.
    bool readsInOrder = true;
};

void PrintTo(const FilmCase& c, std::ostream* os) { *os << c.name; }

class FrameExactnessTest : public ::testing::TestWithParam<FilmCase> {};

// Every frame reached by a jump, in any order, must be the frame asked for and carry the
// same pixels as when the film is decoded from start to end.
TEST_P(FrameExactnessTest, JumpsDeliverTheFrameAskedForWithSequentialPixels) {
    const FilmCase& c = GetParam();
    auto source = FfmsFrameSource::open(film(c.name));
    ASSERT_EQ(source->frameCount(), test::decoderFrameCount(film(c.name)));
    EXPECT_EQ(source->width(), c.width);
    EXPECT_EQ(source->height(), c.height);
    EXPECT_EQ(source->frame().width(), c.width);
    EXPECT_EQ(source->readsInOrder(), c.readsInOrder);

    const int count = source->frameCount();
    std::vector<std::uint64_t> sequential;
    for (int n = 0; n < count; ++n) {
        source->seek(n);
        ASSERT_EQ(source->currentFrame(), n);
        ASSERT_EQ(test::readBarcode(source->frame()), n) << "sequential frame " << n;
        sequential.push_back(source->frame().hash());
    }
    // Read from frame 0 in order, the film never needed FFMS2's own source.
    EXPECT_EQ(source->jumpSourceMade(), !c.readsInOrder);

    std::vector<int> order;
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> pick(0, count - 1);
    for (int i = 0; i < 40; ++i) order.push_back(pick(random));
    for (int n = count - 1; n >= 0; n -= std::max(1, count / 15)) order.push_back(n);
    order.push_back(0);
    for (int n : order) {
        source->seek(n);
        ASSERT_EQ(test::readBarcode(source->frame()), n) << c.name << " jump to " << n;
        ASSERT_EQ(source->frame().hash(), sequential[n]) << c.name << " jump to " << n;
        // The next frame after a jump is one step of the decoder and must be right too.
        if (n + 1 < count) {
            source->seek(n + 1);
            ASSERT_EQ(test::readBarcode(source->frame()), n + 1) << c.name << " step after " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Films, FrameExactnessTest,
    ::testing::Values(FilmCase{"mpeg4.avi", 640, 480}, FilmCase{"mpeg4-bframes.avi", 640, 480, false},
                      FilmCase{"mjpeg.avi", 640, 480}, FilmCase{"dv-pal.avi", 360, 288},
                      FilmCase{"h264.mov", 320, 240}, FilmCase{"mpeg2.mpg", 640, 480, false},
                      FilmCase{"hevc.mp4", 640, 360}, FilmCase{"vp9.webm", 640, 360},
                      FilmCase{"h264-1080.mp4", 1920, 1080}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace_if(
            name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
        return name;
    });

TEST(FfmsFrameSourceTest, LosslessFilmGivesTheDrawnPixelsExactly) {
    auto source = FfmsFrameSource::open(film("lossless.avi"));
    ASSERT_EQ(source->frameCount(), 40);
    for (int n : {0, 17, 39, 3, 38, 1}) {
        source->seek(n);
        const RgbFrame& f = source->frame();
        for (int y = 0; y < f.height(); y += 7)
            for (int x = 0; x < f.width(); x += 5)
                ASSERT_EQ(f.rgb(x, y), (Rgb{static_cast<std::uint8_t>((x + n) % 256),
                                            static_cast<std::uint8_t>((2 * y + 3 * n) % 256),
                                            static_cast<std::uint8_t>((x + y) % 256)}))
                    << "frame " << n << " at " << x << "," << y;
    }
}

TEST(FfmsFrameSourceTest, ReportsSizesRateAndClampsPositions) {
    auto dv = FfmsFrameSource::open(film("dv-pal.avi"));
    EXPECT_EQ(dv->info().nativeSize, (FrameSize{720, 576}));
    EXPECT_EQ(dv->info().analysisSize, (FrameSize{360, 288}));
    EXPECT_DOUBLE_EQ(dv->info().fps, 25.0);

    auto mov = FfmsFrameSource::open(film("h264.mov"));
    EXPECT_DOUBLE_EQ(mov->info().fps, 30.0);
    // The position may stand at the frame count (the end of the film): the last frame shows.
    mov->seek(mov->frameCount());
    EXPECT_EQ(mov->currentFrame(), mov->frameCount());
    EXPECT_EQ(test::readBarcode(mov->frame()), mov->frameCount() - 1);
    mov->seek(-5);
    EXPECT_EQ(mov->currentFrame(), 0);
    EXPECT_EQ(test::readBarcode(mov->frame()), 0);
    mov->seek(1 << 30);
    EXPECT_EQ(mov->currentFrame(), mov->frameCount());
}

TEST(FfmsFrameSourceTest, FilmCutShortHoldsOnlyRightFramesOrFails) {
    std::unique_ptr<FfmsFrameSource> source;
    try {
        source = FfmsFrameSource::open(film("truncated.avi"));
    } catch (const FilmError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
        return;
    }
    ASSERT_GT(source->frameCount(), 0);
    ASSERT_LE(source->frameCount(), 250);
    for (int n = 0; n < source->frameCount(); ++n) {
        source->seek(n);
        EXPECT_EQ(test::readBarcode(source->frame()), n) << "frame " << n;
    }
    for (int n : {source->frameCount() - 1, 3, source->frameCount() / 2}) {
        source->seek(n);
        EXPECT_EQ(test::readBarcode(source->frame()), n) << "jump to " << n;
    }
}

TEST(FfmsFrameSourceTest, FilmDamagedInTheMiddleStaysExactWhereItCanAndQuickWhereItCannot) {
    auto source = FfmsFrameSource::open(film("damaged.avi"));
    ASSERT_GT(source->frameCount(), 200);
    const int count = source->frameCount();
    for (int pass = 0; pass < 2; ++pass) {
        const auto before = source->decodeCount();
        for (int n = 0; n < count; ++n) {
            source->seek(n);
            // The damage starts a third into the file; the frames before it are intact.
            if (n < count / 4) {
                ASSERT_EQ(test::readBarcode(source->frame()), n) << "frame " << n;
            }
        }
        // Frames that decode differently each time are not repaired over and over.
        EXPECT_LT(source->decodeCount() - before, 2 * count) << "pass " << pass;
    }
    source->seek(5);
    EXPECT_EQ(test::readBarcode(source->frame()), 5);
}

TEST(FfmsFrameSourceTest, BadPathsSayWhatIsWrong) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {film("missing.avi"), "gibt es nicht"},
        {film("folder.avi"), "Ordner"},
        {film("empty.avi"), "leer"},
        {film("text.avi"), "kein lesbarer Film"},
    };
    for (const auto& [path, words] : cases) {
        try {
            FfmsFrameSource::open(path);
            ADD_FAILURE() << path << " opened";
        } catch (const FilmError& e) {
            EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
}

TEST(FfmsFrameSourceTest, SecondOpenUsesTheCacheAndBrokenCacheFilesAreRebuilt) {
    CacheFolder cache;
    const std::string path = film("mpeg4-bframes.avi");
    auto first = FfmsFrameSource::open(path);
    const std::int64_t firstDecodes = first->decodeCount();
    first.reset();

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(cache.zebakFolder()))
        files.push_back(entry.path());
    ASSERT_EQ(files.size(), 2u) << "index and frame hashes";

    // A second open reads the cache: no sequential pass over the film.
    auto second = FfmsFrameSource::open(path);
    EXPECT_LT(second->decodeCount(), firstDecodes / 10);
    second.reset();

    // Garbage in both cache files: they are rebuilt, never trusted.
    for (const auto& f : files) std::ofstream(f, std::ios::binary | std::ios::trunc) << "kaputt";
    // The progress rises from 0 to 1 and counts the frames of the pass up to the last one.
    std::vector<FilmOpenStatus> seen;
    auto third = FfmsFrameSource::open(path, [&](const FilmOpenStatus& status) {
        seen.push_back(status);
        return true;
    });
    ASSERT_FALSE(seen.empty());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].fraction, i > 0 ? seen[i - 1].fraction : 0.0);
        EXPECT_LE(seen[i].fraction, 1.0);
        EXPECT_LE(seen[i].framesDone, seen[i].framesTotal);
        if (i > 0 && seen[i].framesTotal > 0) {
            EXPECT_GE(seen[i].framesDone, seen[i - 1].framesDone);
        }
    }
    EXPECT_EQ(seen.back().framesDone, 250);
    EXPECT_EQ(seen.back().framesTotal, 250);
    EXPECT_DOUBLE_EQ(seen.back().fraction, 1.0);
    EXPECT_GE(third->decodeCount(), 250);
    for (int n : {200, 13, 130}) {
        third->seek(n);
        EXPECT_EQ(test::readBarcode(third->frame()), n);
    }
}

TEST(FfmsFrameSourceTest, CancelledOpenThrowsCancelled) {
    CacheFolder cache;
    EXPECT_THROW(FfmsFrameSource::open(film("mpeg4.avi"), [](const FilmOpenStatus&) { return false; }),
                 FilmOpenCancelled);
    // Nothing half-made was left to be trusted: the next open works.
    auto source = FfmsFrameSource::open(film("mpeg4.avi"));
    source->seek(100);
    EXPECT_EQ(test::readBarcode(source->frame()), 100);
}

TEST(FfmsFrameSourceTest, OpensTheRealClips) {
    for (const auto& [name, frames] : std::vector<std::pair<std::string, int>>{
             {"BallTossOut.mov", 32}, {"BallToss_new_BallToss.mp4", 13}, {"drop.avi", 182}}) {
        const std::string path = std::string(ZEBAK_SOURCE_DIR) + "/tests/data/osp-tracker/" + name;
        auto source = FfmsFrameSource::open(path);
        EXPECT_EQ(source->frameCount(), frames) << name;
        EXPECT_EQ(source->frameCount(), test::decoderFrameCount(path)) << name;
        source->seek(frames - 1);
        source->seek(frames / 2);
        EXPECT_FALSE(source->frame().empty());
    }
}

}  // namespace
}  // namespace zebak
