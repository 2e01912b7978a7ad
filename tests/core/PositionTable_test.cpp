#include "core/PositionTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ScriptedHost.h"

namespace zebak {
namespace {

using Row = PositionGrid::Row;

Row rowOf(const PositionGrid& g, int r) { return {g.cell(r, 0), g.cell(r, 1), g.cell(r, 2)}; }

class RowWriter : public ::testing::Test {
  protected:
    RowWriter() {
        state.film.size.width = 360;
        state.film.size.height = 288;
        state.calibration.origin.x = 0;
        state.calibration.origin.y = 288;
        state.range.start = 10;
        resetTracks(state.tracks);
    }
    /// Writes the row of frame n at (px, py), or an empty one when the object was not found.
    void write(SlotNumber slot, int n, int px, int py, bool found = true) {
        const AnalysisJob job = makeAnalysisJob(state);
        writePositionRow(state.track(slot), slot, job, n,
                         found ? std::optional(PixelPoint{px, py}) : std::nullopt, host, host);
    }
    Measurement state;
    test::ScriptedHost host;
};

TEST_F(RowWriter, PreparedTablesHoldHeadersAndOneEmptyRow) {
    state.grid(2).setRowCount(7);
    state.grid(2).setCell(3, 1, "5");
    resetTracks(state.tracks);
    EXPECT_EQ(rowOf(state.grid(1), 0), (Row{"Zeit /s", "X1 /m", "Y1 /m"}));
    EXPECT_EQ(rowOf(state.grid(2), 0), (Row{"Zeit /s", "X2 /m", "Y2 /m"}));
    EXPECT_EQ(state.grid(2).rowCount(), 2);
    EXPECT_EQ(rowOf(state.grid(2), 1), Row{});
    state.grid(2).setRowCount(4);
    EXPECT_EQ(state.grid(2).cell(3, 1), "") << "texts cut off do not come back";
}

TEST_F(RowWriter, RowOfFrameNIsNMinusSPlusOneWithTimeAndPixelsUncalibrated) {
    write(1, 10, 100, 88);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0", "100", "200"}));
    write(1, 11, 101, 90);
    EXPECT_EQ(rowOf(state.grid(1), 2), (Row{"0.04", "101", "198"}));
    write(1, 60, 0, 300);
    EXPECT_EQ(state.grid(1).rowCount(), 52);
    EXPECT_EQ(rowOf(state.grid(1), 51), (Row{"2", "0", "-12"}));
    EXPECT_EQ(rowOf(state.grid(1), 30), Row{}) << "frames never recorded stay empty";
    EXPECT_EQ(state.grid(2).rowCount(), 2) << "slot 1 writes tabelle1 only";
}

TEST_F(RowWriter, CalibrationOriginAndFrameRateShapeTheTexts) {
    state.calibration.factorMPerPx = 0.0025;
    state.calibration.origin.x = 20;
    state.calibration.origin.y = 200;
    state.film.timing.framesPerSecond = 30;
    write(2, 13, 120, 250);
    EXPECT_EQ(rowOf(state.grid(2), 4), (Row{"0.1", "0.25", "-0.125"}));
    state.film.timing.framesPerSecond = 0;  // used as 1
    write(2, 13, 120, 250);
    EXPECT_EQ(state.grid(2).cell(4, 0), "3");
}

TEST_F(RowWriter, RedIndicatorGivesAnEmptyRowAndTheNextFoundFrameContinues) {
    write(1, 10, 5, 5);
    write(1, 11, 5, 5, false);
    write(1, 12, 6, 5);
    EXPECT_EQ(state.track(1).found, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(rowOf(state.grid(1), 2), Row{});
    EXPECT_EQ(rowOf(state.grid(1), 3), (Row{"0.08", "6", "283"}));
}

TEST_F(RowWriter, AnEarlierFrameBecomesTheLastRow) {
    for (int n = 10; n < 20; ++n) write(1, n, n, 0);
    ASSERT_EQ(state.grid(1).rowCount(), 11);
    write(1, 14, 99, 0);
    EXPECT_EQ(state.grid(1).rowCount(), 6);
    EXPECT_EQ(rowOf(state.grid(1), 5), (Row{"0.16", "99", "288"}));
}

TEST_F(RowWriter, AFrameBeforeTheStartShowsTheJumpedBackBoxAndWritesNothing) {
    write(1, 12, 1, 1);
    write(1, 9, 1, 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "Das Video ist zurückgesprungen!Fehlermelung: Liste überschreitet Maximum.");
    EXPECT_EQ(state.grid(1).rowCount(), 4);
}

TEST(FrameTime, FromTheFilmWhenAskedAndTheFilmGivesTimesElseFromTheRate) {
    FilmTiming a;
    a.framesPerSecond = 10;
    a.frameTimesS = {0.0, 0.1, 0.25, 0.5, 0.55};
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 4), 0.2);
    a.timesFromFilm = true;
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 4), 0.3);
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 2), 0.0);
    // Past the film's times (or without them) the rate is used.
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 7), 0.5);
    a.frameTimesS.clear();
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 4), 0.2);
    a.framesPerSecond = 0;  // counts as 1
    EXPECT_DOUBLE_EQ(frameTimeS(a, 2, 4), 2.0);
}

TEST(RowTimes, TheSequencesFilmTimesPerRowOnlyWhenTimesComeFromTheFilm) {
    FilmTiming a;
    a.framesPerSecond = 10;
    a.frameTimesS = {0.0, 0.1, 0.25, 0.5, 0.55};
    EXPECT_TRUE(rowTimesS(a, 1, 4).empty()) << "box off: steps from the rate";
    a.timesFromFilm = true;
    const std::vector<double> t = rowTimesS(a, 1, 4);
    ASSERT_EQ(t.size(), 4u);  // header row and rows of frames 1, 2, 3
    EXPECT_DOUBLE_EQ(t[1], 0.0);
    EXPECT_DOUBLE_EQ(t[2], 0.15);
    EXPECT_DOUBLE_EQ(t[3], 0.4);
    a.frameTimesS.clear();
    EXPECT_TRUE(rowTimesS(a, 1, 4).empty()) << "a film without times";
}

TEST(CalibrationFactor, LengthOverDistanceAndNoFactorForOnePoint) {
    EXPECT_DOUBLE_EQ(*calibrationFactor(0, 0, 30, 40, 1.0), 0.02);
    EXPECT_DOUBLE_EQ(*calibrationFactor(272, 446, 272, 46, 1.0), 0.0025);
    EXPECT_FALSE(calibrationFactor(5, 5, 5, 5, 1.0).has_value());
}

// Lengths of 1e300 or 1e-320 metres give factors the tables cannot write sensibly: hundreds
// of digits, or a subnormal factor whose coordinates are all zero.
TEST(CalibrationFactor, FactorsWhoseCoordinatesDoNotFitTheTablesAreRefused) {
    EXPECT_TRUE(calibrationFits(0.0025, 640, 480, 0, 480));
    EXPECT_TRUE(calibrationFits(-0.0025, 640, 480, 0, 480));  // a negative length is kept
    EXPECT_TRUE(calibrationFits(1e6, 640, 480, 0, 480));      // 6.4e8 m at the far edge
    EXPECT_FALSE(calibrationFits(1e7, 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(*calibrationFactor(0, 0, 0, 100, 1e300), 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(*calibrationFactor(0, 0, 0, 100, 1e-320), 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(0.0, 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(std::numeric_limits<double>::infinity(), 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(std::nan(""), 640, 480, 0, 480));
    // An origin far outside the frame makes the frame's pixels far from it.
    EXPECT_TRUE(calibrationFits(1.0, 640, 480, 0, 480));
    EXPECT_FALSE(calibrationFits(1.0, 640, 480, -1000000000, 480));
}

}  // namespace
}  // namespace zebak
