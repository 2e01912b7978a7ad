// Films cut short, with bytes overwritten, or with a frame size that changes: the frame
// source must count only frames that really decode and say what is wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "media/FfmsFrameSource.h"
#include "support/Barcode.h"
#include "support/Process.h"

namespace zebak {
namespace {

std::string bad(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/bad/" + name; }

bool mentions(const std::vector<std::string>& texts, const std::string& part) {
    for (const auto& t : texts)
        if (t.find(part) != std::string::npos) return true;
    return false;
}

// The container lists frames at the end that the decoder never puts out; FFMS2 then hands
// out the previous frame again, and a tracked object would seem to stand still.
TEST(DamagedFilms, ListedFramesThatDoNotDecodeAreDroppedAndReported) {
    for (const std::string name :
         {"cut-10.mp4", "cut-50.mp4", "cut-90.mp4", "damaged.mov", "damaged.mp4"}) {
        SCOPED_TRACE(name);
        const auto source = FfmsFrameSource::open(bad(name));
        const FilmInfo& info = source->info();
        EXPECT_EQ(info.frameCount, test::decoderFrameCount(bad(name)));
        EXPECT_TRUE(info.damaged);
        EXPECT_GT(info.listedFrameCount, info.frameCount);
        ASSERT_EQ(info.warnings.size(), 1u);
        // Where pictures are missing before the end too, the warning names those places.
        const std::string& w = info.warnings[0];
        EXPECT_TRUE(
            w.rfind("Der Film ist beschädigt: ab Bild " + std::to_string(info.frameCount) + " ",
                    0) == 0 ||
            w.rfind("Der Film ist beschädigt: Es fehlen Bilder, die er angibt: ", 0) == 0)
            << w;
        EXPECT_NE(w.find("werden nur die " + std::to_string(info.frameCount) + " lesbaren"),
                  std::string::npos)
            << w;
        // The last real frame differs from the one before: it is no repeated phantom.
        source->seek(info.frameCount - 2);
        const auto before = source->frame().hash();
        source->seek(info.frameCount - 1);
        EXPECT_NE(source->frame().hash(), before);
    }
}

TEST(DamagedFilms, TheDamageIsRememberedByTheCache) {
    const std::string path = bad("cut-50.mp4");
    const int first = FfmsFrameSource::open(path)->frameCount();
    const auto again = FfmsFrameSource::open(path);  // from the cache now
    EXPECT_EQ(again->frameCount(), first);
    EXPECT_TRUE(again->info().damaged);
    EXPECT_EQ(again->info().warnings.size(), 1u);
}

// Sound films, a still scene included, are not called damaged: identical frames alone
// prove nothing.
TEST(DamagedFilms, SoundFilmsAndFilmsCutAtAFrameBoundaryAreNotDamaged) {
    for (const std::string name : {"source.mp4", "source.mpg", "cut-50.avi", "tiny-1x1.mkv"}) {
        SCOPED_TRACE(name);
        const auto source = FfmsFrameSource::open(bad(name));
        EXPECT_EQ(source->frameCount(), test::decoderFrameCount(bad(name)));
        EXPECT_FALSE(source->info().damaged);
        EXPECT_TRUE(source->info().warnings.empty());
    }
    const auto still = FfmsFrameSource::open(bad("tiny-1x1.mkv"));  // five equal red frames
    EXPECT_EQ(still->frameCount(), 5);
}

TEST(DamagedFilms, AFrameSizeThatChangesIsReported) {
    const auto source = FfmsFrameSource::open(bad("size-change.mkv"));
    EXPECT_EQ(source->width(), 320);
    ASSERT_EQ(source->info().warnings.size(), 1u);
    EXPECT_NE(source->info().warnings[0].find("ab Bild 20 von 320x240 auf 160x120"),
              std::string::npos)
        << source->info().warnings[0];
    source->seek(30);
    EXPECT_EQ(source->frame().width(), 320);  // rescaled to the first size
}

TEST(DamagedFilms, ErrorsSayWhatIsWrong) {
    auto message = [](const std::string& path) {
        try {
            FfmsFrameSource::open(path);
        } catch (const FilmError& e) {
            return std::string(e.what());
        }
        return std::string("opened");
    };
    for (const std::string name : {"cut-10.mov", "cut-50.mov", "cut-1.mp4"}) {
        const std::string text = message(bad(name));
        EXPECT_NE(text.find("beschädigt oder unvollständig"), std::string::npos) << text;
        EXPECT_NE(text.find("(Meldung des Decoders: "), std::string::npos) << text;
    }
    const std::string audio = message(bad("audio-only.m4a"));
    EXPECT_NE(audio.find("enthält keine Videospur (Meldung des Decoders: "), std::string::npos)
        << audio;
    EXPECT_TRUE(mentions({message(std::string(ZEBAK_TEST_FILMS) + "/text.avi")},
                         "ist kein lesbarer Film (Meldung des Decoders: "));
}


// A film cut short while it is open (a copy still being written over, a card pulled): the
// decoder hands out its last picture again after the cut, which a track served as frozen
// positions. The frames after the cut are a FrameReadError that says the file changed (the
// tool's status 1), never served as frames of their own nor called a film that cannot open.
TEST(DamagedFilms, AFilmCutWhileOpenGivesAnErrorNotRepeatedFrames) {
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(::testing::TempDir()) / "zebak-cut-while-open.avi";
    fs::copy_file(std::string(ZEBAK_TEST_FILMS) + "/mpeg4-bframes.avi", copy,
                  fs::copy_options::overwrite_existing);
    FfmsFrameSource::open(copy.string());
    const auto source = FfmsFrameSource::open(copy.string());  // from the cache
    for (int n = 0; n < 10; ++n) source->seek(n);
    fs::resize_file(copy, fs::file_size(copy) / 2);
    int n = 10;
    try {
        for (; n < source->frameCount(); ++n) {
            source->seek(n);
            ASSERT_EQ(test::readBarcode(source->frame()), n);
        }
    } catch (const FrameReadError& e) {
        EXPECT_NE(std::string(e.what()).find("verändert oder abgeschnitten"), std::string::npos)
            << "frame " << n << ": " << e.what();
    }
    EXPECT_LT(n, source->frameCount()) << "the frames after the cut cannot all be there";
    EXPECT_THROW(source->seek(source->frameCount() - 1), FrameReadError);
    fs::remove(copy);
}


// A picture missing in the middle: FFMS2 shows the one before it twice and drops the last
// one, and the frames' times were those of the listed frames. The frames after the gap are
// the film's next pictures, each with its own time, also from the cache, and the warning
// says where the gap is.
TEST(DamagedFilms, APictureMissingInTheMiddleLeavesEveryFrameItsOwnPictureAndTime) {
    for (const char* open : {"first open", "from the cache"}) {
        SCOPED_TRACE(open);
        const auto source = FfmsFrameSource::open(bad("gap-8.avi"));  // 60 listed, 25/s
        const FilmInfo& info = source->info();
        ASSERT_EQ(info.frameCount, 59);
        ASSERT_EQ(info.frameTimesS.size(), 59u);
        EXPECT_NEAR(info.frameTimesS[7], 0.28, 1e-9);
        EXPECT_NEAR(info.frameTimesS[8], 0.36, 1e-9);
        EXPECT_NEAR(info.frameTimesS[58], 2.36, 1e-9);
        for (int n : {8, 7, 58, 20, 9}) {
            source->seek(n);
            EXPECT_EQ(test::readBarcode(source->frame()), n < 8 ? n : n + 1) << "frame " << n;
        }
        ASSERT_EQ(info.warnings.size(), 1u);
        EXPECT_NE(info.warnings[0].find("1 Bild zwischen Bild 7 und 8 (bei 0,320 s)"),
                  std::string::npos)
            << info.warnings[0];
    }
}

}  // namespace
}  // namespace zebak
