// Films as phones make them: stored on their side with a rotation tag, frames unevenly
// spaced, a slow-motion recording rate, a single frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "media/FfmsFrameSource.h"
#include "support/Process.h"

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::string phone(const std::string& name) {
    return std::string(ZEBAK_TEST_FILMS) + "/phone/" + name;
}

std::vector<std::uint8_t> readAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The searches, the display and `frame` see the upright picture: pixel for pixel what
// ffmpeg shows when it turns the film itself.
TEST(PhoneFilms, FilmsStoredOnTheirSideAreDeliveredUpright) {
    struct Case {
        std::string name;
        int rotation;
    };
    for (const Case& c :
         {Case{"h264-90.mp4", 90}, Case{"h264-270.mp4", 270}, Case{"hevc-90.mov", 90},
          Case{"hevc-270.mov", 270}, Case{"h264-180.mp4", 180}}) {
        SCOPED_TRACE(c.name);
        const auto source = FfmsFrameSource::open(phone(c.name));
        const FilmInfo& info = source->info();
        EXPECT_EQ(info.rotationDeg, c.rotation);
        EXPECT_EQ(info.nativeSize, (FrameSize{160, 96}));
        const bool sideways = c.rotation != 180;
        EXPECT_EQ(source->width(), sideways ? 96 : 160);
        EXPECT_EQ(source->height(), sideways ? 160 : 96);
        source->seek(4);
        const auto bytes = source->frame().bytes();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                  readAll(phone(c.name) + ".rgb"));
    }
}

// A film whose rotation tag is changed afterwards is not served from the old cache.
TEST(PhoneFilms, ARetaggedFilmIsNotServedSideways) {
    const fs::path dir =
        fs::temp_directory_path() / ("zebak-retag-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    const fs::path film = dir / "film.mp4";
    fs::copy_file(phone("h264-90.mp4"), film);
    EXPECT_EQ(FfmsFrameSource::open(film.string())->width(), 96);
    const auto time = fs::last_write_time(film);
    ASSERT_EQ(test::runCommand(
                  "python3 " +
                  test::shellQuote(std::string(ZEBAK_SOURCE_DIR) + "/tests/set-rotation.py") + " " +
                  test::shellQuote(film.string()) + " 0")
                  .status,
              0);
    fs::last_write_time(film, time);
    const auto source = FfmsFrameSource::open(film.string());
    EXPECT_EQ(source->info().rotationDeg, 0);
    EXPECT_EQ(source->width(), 160);
    source->seek(4);
    EXPECT_EQ(source->frame().width(), 160);
    fs::remove_all(dir);
}

TEST(PhoneFilms, FrameTimesComeFromTheFilmAndUnevenSpacingIsFound) {
    const auto uneven = FfmsFrameSource::open(phone("uneven.mp4"));
    const FilmInfo& info = uneven->info();
    ASSERT_EQ(info.frameTimesS.size(), 24u);
    EXPECT_DOUBLE_EQ(info.frameTimesS[0], 0.0);
    EXPECT_NEAR(info.frameTimesS[15], 15.0 / 30, 1e-6);
    EXPECT_NEAR(info.frameTimesS[16], 16.0 / 30, 1e-6);
    EXPECT_NEAR(info.frameTimesS[23], 30.0 / 30, 1e-6);  // 16 + 7 * 2 thirtieths
    EXPECT_TRUE(info.variableFrameRate);
    EXPECT_NEAR(info.minFrameSeconds, 1.0 / 30, 1e-6);
    EXPECT_NEAR(info.maxFrameSeconds, 2.0 / 30, 1e-6);

    const auto even = FfmsFrameSource::open(phone("slow-motion.mp4"));
    EXPECT_FALSE(even->info().variableFrameRate);
    EXPECT_NEAR(even->info().frameTimesS[29], 29.0 / 30, 1e-6);
}

TEST(PhoneFilms, RecordingRateAndASoundRateForOneFrame) {
    const auto slow = FfmsFrameSource::open(phone("slow-motion.mp4"));
    ASSERT_TRUE(slow->info().captureFps.has_value());
    EXPECT_DOUBLE_EQ(*slow->info().captureFps, 240.0);
    EXPECT_DOUBLE_EQ(slow->info().fps, 30.0);
    EXPECT_FALSE(FfmsFrameSource::open(phone("uneven.mp4"))->info().captureFps.has_value());

    // The time base of a one-frame film (15360) is no frame rate.
    const auto one = FfmsFrameSource::open(phone("one-frame.mp4"));
    EXPECT_EQ(one->frameCount(), 1);
    EXPECT_DOUBLE_EQ(one->info().fps, 30.0);
    EXPECT_FALSE(one->info().variableFrameRate);
}

}  // namespace
}  // namespace zebak
