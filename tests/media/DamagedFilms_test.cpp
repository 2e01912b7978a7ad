// Films cut short, with bytes overwritten, or with a frame size that changes: the frame
// source must count only frames that really decode and say what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "media/FfmsFrameSource.h"
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
        EXPECT_EQ(
            info.warnings[0].rfind(
                "Der Film ist beschädigt: ab Bild " + std::to_string(info.frameCount) + " ", 0),
            0u)
            << info.warnings[0];
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

}  // namespace
}  // namespace zebak
