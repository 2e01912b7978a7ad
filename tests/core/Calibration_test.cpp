// The calibration and origin sequences, the rescaling of stored rows, the manual row writer
// and the letterboxed picture of manual capture.
#include "core/Calibration.h"

#include <gtest/gtest.h>

#include "core/ManualCapture.h"
#include "core/NumberText.h"
#include "core/PositionTable.h"

namespace zebak {
namespace {

using Row = PositionGrid::Row;

Row rowOf(const PositionGrid& g, int r) { return {g.cell(r, 0), g.cell(r, 1), g.cell(r, 2)}; }

class CalibrationTest : public ::testing::Test {
  protected:
    CalibrationTest() {
        state.film.size.width = 320;
        state.film.size.height = 480;
        state.calibration.origin.x = 0;
        state.calibration.origin.y = 480;
        resetTracks(state.tracks);
    }
    /// The main-window run from two clicks and a length, origin declined.
    Messages calibrate(PixelPoint a, PixelPoint b, double lengthM) {
        Messages shown;
        EXPECT_TRUE(run.begin(t(CalibrationKind::Main), CalibrationKind::Main, {320, 480}));
        shown = run.click(t(run.kind()), a);
        EXPECT_EQ(run.step(), CalibrationStep::EndPoint);
        run.click(t(run.kind()), b);
        EXPECT_EQ(run.step(), CalibrationStep::Length);
        EXPECT_TRUE(run.length(t(run.kind()), lengthM, shown));
        EXPECT_EQ(run.step(), CalibrationStep::OriginQuestion);
        const Messages end = run.originAnswer(t(run.kind()), false);
        shown.insert(shown.end(), end.begin(), end.end());
        EXPECT_FALSE(run.running());
        return shown;
    }
    void fill(SlotNumber slot, int rows) {
        PositionGrid& g = state.grid(slot);
        g.setRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r)
            g.setCell(r, 0, "0.04"), g.setCell(r, 1, "250"), g.setCell(r, 2, "-100");
    }
    ManualRowRules rules() const {
        return {state.film.timing, state.range.start, state.calibration};
    }
    CalibrationTarget t(CalibrationKind kind) { return calibrationTarget(state, kind); }
    Measurement state;
    CalibrationRun run;
};

TEST_F(CalibrationTest, TheMainSequenceKeepsTheStepValuesAndFormsTheFactor) {
    ASSERT_TRUE(run.begin(t(CalibrationKind::Main), CalibrationKind::Main, {320, 480}));
    EXPECT_TRUE(run.running(CalibrationKind::Main));
    EXPECT_EQ(run.step(), CalibrationStep::StartPoint);
    EXPECT_EQ(state.calibration.line.a.x, -1);
    EXPECT_STREQ(run.prompt(), kAnfangspunkt);
    // A second start while one runs changes nothing.
    EXPECT_FALSE(run.begin(t(CalibrationKind::Main), CalibrationKind::Main, {320, 480}));
    Messages none;
    EXPECT_FALSE(run.length(t(run.kind()), 0.8, none));  // no length is awaited yet
    run.click(t(run.kind()), {10, 20});
    EXPECT_EQ(run.step(), CalibrationStep::EndPoint);
    EXPECT_STREQ(run.prompt(), kEndpunkt);
    run.click(t(run.kind()), {310, 420});
    EXPECT_FALSE(run.awaitsClick());
    EXPECT_FALSE(run.awaitsClick());
    Messages shown;
    EXPECT_FALSE(run.length(t(run.kind()), 0.0, shown));  // 0 never ends the wait
    EXPECT_EQ(run.step(), CalibrationStep::Length);
    ASSERT_TRUE(run.length(t(run.kind()), 0.8, shown));
    EXPECT_TRUE(shown.empty());
    EXPECT_DOUBLE_EQ(state.calibration.factorMPerPx, 0.0016);
    EXPECT_DOUBLE_EQ(state.calibration.line.lengthM, 0.8);
    // The origin click: 3 while awaited, then the point, the run over.
    run.originAnswer(t(run.kind()), true);
    EXPECT_EQ(run.step(), CalibrationStep::Origin);
    EXPECT_EQ(state.calibration.origin.x, -1);
    run.click(t(run.kind()), {30, 400});
    EXPECT_EQ((PixelPoint{state.calibration.origin.x, state.calibration.origin.y}),
              (PixelPoint{30, 400}));
    EXPECT_FALSE(run.awaitsClick());
    EXPECT_FALSE(run.running(CalibrationKind::Main));
    EXPECT_FALSE(run.running());
}

TEST_F(CalibrationTest, AFailedFactorKeepsTheOldOne) {
    state.calibration.factorMPerPx = 0.002;
    // Both clicks on one pixel: no distance to divide by.
    EXPECT_EQ(calibrate({50, 50}, {50, 50}, 0.8), Messages{kEichfehler});
    EXPECT_DOUBLE_EQ(state.calibration.factorMPerPx, 0.002);
    // A factor so large that the picture's corners lie beyond what the tables can write.
    EXPECT_EQ(calibrate({0, 0}, {0, 1}, 1e12), Messages{kEichfehler});
    EXPECT_DOUBLE_EQ(state.calibration.factorMPerPx, 0.002);
    // A negative length is taken as typed.
    EXPECT_TRUE(calibrate({0, 0}, {0, 100}, -1.0).empty());
    EXPECT_DOUBLE_EQ(state.calibration.factorMPerPx, -0.01);
}

TEST_F(CalibrationTest, StoredRowsAreRescaledOnlyWithMoreThanFourRowsInAll) {
    fill(1, 1);
    fill(2, 1);  // 2 + 2 rows: left as they are
    calibrate({0, 0}, {0, 250}, 0.5);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.04", "250", "-100"}));
    fill(1, 2);  // 3 + 2 rows: from 1.0 (pixels) to 0.002 metres per pixel
    state.grid(1).setCell(2, 1, "");
    state.calibration.factorMPerPx = 1.0;
    calibrate({0, 0}, {0, 250}, 0.5);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.04", "0.5", "-0.2"}));
    EXPECT_EQ(rowOf(state.grid(1), 2), (Row{"0.04", "", "-0.2"}));
    EXPECT_EQ(rowOf(state.grid(2), 1), (Row{"0.04", "0.5", "-0.2"}));
    // A second calibration to 0.004 doubles every coordinate.
    calibrate({0, 0}, {0, 125}, 0.5);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.04", "1", "-0.4"}));
    EXPECT_EQ(rowOf(state.grid(2), 1), (Row{"0.04", "1", "-0.4"}));
}

TEST_F(CalibrationTest, RescalingLeavesWhatItCannotComputeAsItIs) {
    std::array<TrackResult, 2> tables;
    PositionGrid& grid = tables[0].grid;
    grid.setRowCount(3);
    grid.setCell(1, 1, "1.2.3");
    grid.setCell(1, 2, "1e300");
    grid.setCell(2, 1, "3");
    EXPECT_EQ(rescaleTables(tables, 2.0, 0.0), Messages{kEichfaktoraltNull});
    EXPECT_EQ(grid.cell(2, 1), "3");
    EXPECT_TRUE(rescaleTables(tables, 1e300, 1e-300).empty());
    EXPECT_EQ(grid.cell(1, 1), "1.2.3");
    EXPECT_EQ(grid.cell(2, 1), "3");  // infinite: kept
    EXPECT_TRUE(rescaleTables(tables, 2.0, 1.0).empty());
    EXPECT_EQ(grid.cell(2, 1), "6");
}

TEST_F(CalibrationTest, TheManualOriginMoveReexpressesTheRowsAndMayMoveTheTimeOrigin) {
    state.calibration.factorMPerPx = 0.01;
    state.calibration.origin.x = 0;
    state.calibration.origin.y = 768;
    fill(1, 1);
    state.grid(1).setCell(1, 1, "1.5");
    state.grid(1).setCell(1, 2, "2");
    ASSERT_TRUE(
        run.begin(t(CalibrationKind::ManualOrigin), CalibrationKind::ManualOrigin, {1024, 768}));
    EXPECT_EQ(run.step(), CalibrationStep::Origin);
    EXPECT_TRUE(run.click(t(run.kind()), {10, 748}).empty());  // 10 right, 20 up
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.04", "1.4", "1.8"}));
    EXPECT_FALSE(run.timeOriginMoved());
    EXPECT_FALSE(run.awaitsClick());

    // With the time origin: five rows are emptied and said so.
    fill(1, 4);
    run.begin(t(CalibrationKind::ManualOrigin), CalibrationKind::ManualOrigin, {1024, 768}, true);
    EXPECT_EQ(run.click(t(run.kind()), {0, 768}), Messages{kMesswerteGeloescht});
    EXPECT_TRUE(run.timeOriginMoved());
    EXPECT_EQ(state.grid(1).rowCount(), 2);
    EXPECT_EQ(rowOf(state.grid(1), 1), Row{});
    // A zero factor cannot be undone into pixels.
    PositionGrid g;
    g.setCell(1, 1, "5");
    EXPECT_EQ(moveTableOrigin(g, 0.0, {0, 0}, {1, 1}), Messages{kEichfehler});
    EXPECT_EQ(g.cell(1, 1), "5");
}

TEST_F(CalibrationTest, TheManualCalibrationAlwaysRescalesAndAbandoningRestoresTheOrigin) {
    fill(1, 1);
    ASSERT_TRUE(run.begin(t(CalibrationKind::Manual), CalibrationKind::Manual, {1024, 768}));
    EXPECT_EQ(run.step(), CalibrationStep::StartPoint);
    EXPECT_EQ(state.manualLine.a.x, -1);
    EXPECT_STREQ(run.prompt(), kManuellAnfangspunkt);
    run.click(t(run.kind()), {5, 5});
    EXPECT_STREQ(run.prompt(), kManuellEndpunkt);
    run.click(t(run.kind()), {5, 5});
    Messages shown;
    ASSERT_TRUE(run.length(t(run.kind()), 1.0, shown));
    EXPECT_EQ(shown, Messages{kManuellEichfehler});
    EXPECT_FALSE(run.running());  // the manual run has no origin question
    run.begin(t(CalibrationKind::Manual), CalibrationKind::Manual, {1024, 768});
    run.click(t(run.kind()), {0, 0});
    run.click(t(run.kind()), {0, 500});
    shown.clear();
    run.length(t(run.kind()), 1.0, shown);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.04", "0.5", "-0.2"}));  // 2 rows, rescaled

    run.begin(t(CalibrationKind::ManualOrigin), CalibrationKind::ManualOrigin, {1024, 768});
    run.abandon(t(run.kind()));
    EXPECT_EQ((PixelPoint{state.calibration.origin.x, state.calibration.origin.y}),
              (PixelPoint{0, 480}));
    EXPECT_FALSE(run.awaitsClick());
    EXPECT_FALSE(run.running());
}

TEST(LengthText, CommaOrPointAndNeverZeroOrEmpty) {
    EXPECT_EQ(readLength("0,5"), 0.5);
    EXPECT_EQ(readLength("0.8"), 0.8);
    EXPECT_EQ(readLength("-2"), -2.0);
    for (const char* refused : {"", "  ", "0", "0.000", "-", "1.2.3", "abc"})
        EXPECT_FALSE(readLength(refused)) << refused;
}

TEST(ManualRows, ClicksWriteUntrimmedRowsThatOnlyGrow) {
    Measurement state;
    state.grid(1).reset();
    state.calibration.origin.x = 0;
    state.calibration.origin.y = 768;
    state.range.start = 5;
    state.film.timing.framesPerSecond = 25;
    auto rules = [&] {
        return ManualRowRules{state.film.timing, state.range.start, state.calibration};
    };
    EXPECT_EQ(writeManualRow(state.track(1), rules(), 5, {100, 767}), 1);
    EXPECT_EQ(rowOf(state.grid(1), 1), (Row{"0.000", "100.00000", "0.00000"}));
    EXPECT_EQ(mouseLabelX(state.calibration, 100), "x: 100 Pixel");
    EXPECT_EQ(mouseLabelY(state.calibration, 767), "y: 0 Pixel");
    // Frame 8 skipped to: rows 2 and 3 stay empty; a second click in frame 8 overwrites.
    writeManualRow(state.track(1), rules(), 8, {1, 1});
    writeManualRow(state.track(1), rules(), 8, {2, 2});
    EXPECT_EQ(state.grid(1).rowCount(), 5);
    EXPECT_EQ(rowOf(state.grid(1), 4), (Row{"0.120", "2.00000", "765.00000"}));
    EXPECT_EQ(rowOf(state.grid(1), 2), Row{});
    // Back at frame 6: the table keeps its length.
    writeManualRow(state.track(1), rules(), 6, {3, 3});
    EXPECT_EQ(state.grid(1).rowCount(), 5);
    EXPECT_EQ(writeManualRow(state.track(1), rules(), 4, {3, 3}), 0);  // before the sequence start
    state.calibration.factorMPerPx = 0.01;
    EXPECT_EQ(mouseLabelX(state.calibration, 150), "x: 1.5 m");

    const ManualEvaluationCheck gaps = checkManualEvaluation(state.grid(1));
    EXPECT_TRUE(gaps.opens);
    EXPECT_EQ(gaps.warning, kUebersprungen);
    state.grid(1).setRowCount(3);
    const ManualEvaluationCheck few = checkManualEvaluation(state.grid(1));
    EXPECT_FALSE(few.opens);
    EXPECT_EQ(few.refusal, kZuWenigMesswerte);
}

TEST(Letterbox, ThePictureKeepsItsAspectRatioAndClicksBesideItMissIt) {
    // A 4:3 film on a 16:9 screen: bars left and right.
    const PictureRect wide = letterbox({320, 240}, {1280, 720});
    EXPECT_EQ(wide, (PictureRect{160, 0, 960, 720}));
    EXPECT_EQ(screenToPicture({160, 0}, wide), (PixelPoint{0, 0}));
    EXPECT_EQ(screenToPicture({1119, 719}, wide), (PixelPoint{959, 719}));
    EXPECT_FALSE(screenToPicture({159, 300}, wide));
    EXPECT_FALSE(screenToPicture({1120, 300}, wide));
    // A wide film on a 4:3 screen: bars above and below.
    EXPECT_EQ(letterbox({640, 360}, {1024, 768}), (PictureRect{0, 96, 1024, 576}));
    EXPECT_EQ(letterbox({320, 240}, {1024, 768}), (PictureRect{0, 0, 1024, 768}));
    EXPECT_EQ(letterbox({0, 240}, {1024, 768}), PictureRect{});
}

}  // namespace
}  // namespace zebak
