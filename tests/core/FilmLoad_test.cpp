// What a film load sets in the state, the frame-rate default, the reduced display and the
// first analysed colour: the rules the windows and the headless tool share.
#include <gtest/gtest.h>

#include <limits>

#include "core/FilmLoad.h"

namespace zebak::test {

TEST(FilmLoadTest, FrameRateIsTheRateRoundedAnd25WithoutAUsableRate) {
    EXPECT_EQ(defaultFrameRate(25.0), 25);
    EXPECT_EQ(defaultFrameRate(29.97), 30);
    EXPECT_EQ(defaultFrameRate(1.0), 1);
    EXPECT_EQ(defaultFrameRate(1.4), 1);
    // A film without a rate, or one below a frame per second, would give times that mean
    // nothing: both get 25.
    for (double fps : {0.0, 0.3, 0.5, 0.99, -5.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_EQ(defaultFrameRate(fps), 25) << fps;
    EXPECT_EQ(defaultFrameRate(1e9), 100000);
}

TEST(FilmLoadTest, FilmsTallerThan288RowsAreShownReducedAndClicksMapBack) {
    EXPECT_EQ(displayWindowSize({640, 480}), (FrameSize{384, 288}));
    EXPECT_EQ(displayWindowSize({360, 288}), (FrameSize{360, 288}));
    EXPECT_EQ(displayWindowSize({320, 240}), (FrameSize{320, 240}));
    // 640 x 480 shown at 384 x 288: the product first, then truncated.
    EXPECT_EQ(displayToFrame({383, 287}, {640, 480}), (PixelPoint{638, 478}));
    EXPECT_EQ(displayToFrame({100, 50}, {640, 480}), (PixelPoint{166, 83}));
    EXPECT_EQ(displayToFrame({100, 50}, {320, 240}), (PixelPoint{100, 50}));
    // Every other shape keeps its aspect: portrait, wide and square films.
    EXPECT_EQ(displayWindowSize({1080, 1920}), (FrameSize{162, 288}));
    EXPECT_EQ(displayWindowSize({1920, 1080}), (FrameSize{384, 216}));
    EXPECT_EQ(displayToFrame({161, 287}, {1080, 1920}), (PixelPoint{1073, 1913}));
    EXPECT_EQ(displayToFrame({81, 144}, {1080, 1920}), (PixelPoint{540, 960}));
    // Huge sizes do not overflow the product.
    EXPECT_EQ(displayToFrame({287, 287}, {100000, 100000}), (PixelPoint{99652, 99652}));
}

TEST(FilmLoadTest, TheFirstAnalysedColourIsColour1WhenItIsAnalysed) {
    ResultDisplay d;
    d.analyseColour1 = true;
    d.analyseColour2 = true;
    EXPECT_EQ(firstAnalysedSlot(d), 1);
    d.analyseColour1 = false;
    EXPECT_EQ(firstAnalysedSlot(d), 2);
    d.analyseColour2 = false;
    EXPECT_EQ(firstAnalysedSlot(d), 0);
}

TEST(FilmLoadTest, ALoadSetsSizesAreaOriginSequenceAndRate) {
    Measurement s;
    s.area.left = 7;
    s.range.start = 3;
    applyFilmLoad(s, "/filme/pal.avi", describedAs({720, 576}, 0.4), 20);
    EXPECT_EQ(s.film.path, "/filme/pal.avi");
    // A PAL film is worked on at half size.
    EXPECT_EQ(s.film.size.width, 360);
    EXPECT_EQ(s.film.size.height, 288);
    EXPECT_EQ(s.area.left, 0);
    EXPECT_EQ(s.area.top, 0);
    EXPECT_EQ(s.area.right, 360);
    EXPECT_EQ(s.area.bottom, 288);
    EXPECT_EQ(s.calibration.origin.x, 0);
    EXPECT_EQ(s.calibration.origin.y, 288);
    EXPECT_EQ(s.range.start, 0);
    EXPECT_EQ(s.range.end, 20);
    EXPECT_EQ(s.film.timing.framesPerSecond, 25);

    applyFilmLoad(s, "b.avi", describedAs({640, 480}, 29.97), 50);
    EXPECT_EQ(s.film.size.width, 640);
    EXPECT_EQ(s.calibration.origin.y, 480);
    EXPECT_EQ(s.film.timing.framesPerSecond, 30);
}

TEST(FilmLoadTest, UprightSizesRecordingRateAndFrameTimes) {
    Measurement s;
    s.film.timing.timesFromFilm = true;
    FilmDescription phone = describedAs({1920, 1080}, 30.0);
    phone.rotationDeg = 90;
    phone.captureFps = 240.0;
    phone.frameTimesS = {0.0, 0.04, 0.1};
    applyFilmLoad(s, "hoch.mp4", phone, 3);
    EXPECT_EQ(s.film.size.width, 1080);
    EXPECT_EQ(s.film.size.height, 1920);
    EXPECT_EQ(s.area.right, 1080);
    EXPECT_EQ(s.calibration.origin.y, 1920);
    EXPECT_EQ(s.film.timing.framesPerSecond, 240);
    // Its times are real times: the common spacing of 0.04 s is 1/240 s.
    ASSERT_EQ(s.film.timing.frameTimesS.size(), 3u);
    EXPECT_NEAR(s.film.timing.frameTimesS[1], 1 / 240., 1e-12);
    EXPECT_NEAR(s.film.timing.frameTimesS[2], 2.5 / 240., 1e-12);
    EXPECT_FALSE(s.film.timing.timesFromFilm);  // until the user says otherwise

    FilmDescription pal = describedAs({720, 576}, 25.0);
    pal.rotationDeg = 270;
    applyFilmLoad(s, "pal.mov", pal, 3);
    EXPECT_EQ(s.film.size.width, 288);
    EXPECT_EQ(s.film.size.height, 360);
    EXPECT_EQ(uprightSize({720, 576}, 180), (FrameSize{720, 576}));
}

TEST(FilmLoadTest, OpenProgressTellsFramesDoneAndTheTimeLeft) {
    auto text = [](int done, int total, double left) {
        FilmOpenStatus s;
        s.framesDone = done;
        s.framesTotal = total;
        s.secondsLeft = left;
        return filmOpenProgressText(s);
    };
    EXPECT_EQ(text(0, 0, -1.0), "");  // the index is built: no frames to count yet
    EXPECT_EQ(text(120, 270, -1.0), "Bild 120 von 270");
    EXPECT_EQ(text(120, 270, 3.4), "Bild 120 von 270, noch etwa 3 s");
    EXPECT_EQ(text(269, 270, 0.01), "Bild 269 von 270, noch etwa 1 s");
    EXPECT_EQ(text(10, 9000, 89.4), "Bild 10 von 9000, noch etwa 89 s");
    EXPECT_EQ(text(10, 9000, 150.0), "Bild 10 von 9000, noch etwa 3 min");
    EXPECT_EQ(text(300, 270, 1.0), "Bild 270 von 270, noch etwa 1 s");
    EXPECT_EQ(text(1, 2, std::numeric_limits<double>::infinity()), "Bild 1 von 2");
    EXPECT_EQ(text(1, 2, std::numeric_limits<double>::quiet_NaN()), "Bild 1 von 2");
}

}  // namespace zebak::test
