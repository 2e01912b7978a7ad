// The evaluation grids on exact data: polynomials whose difference quotients are known,
// gaps, short tables, the per-colour differences and cell texts that are not numbers.
#include "core/Kinematics.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "core/NumberText.h"

namespace zebak {
namespace {

/// A position table from rows of (t, x, y) texts.
PositionGrid table(const std::vector<PositionGrid::Row>& rows) {
    PositionGrid g({"Zeit /s", "X1 /m", "Y1 /m"});
    g.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t k = 0; k < rows.size(); ++k)
        for (int c = 0; c < 3; ++c)
            g.setCell(static_cast<int>(k) + 1, c, rows[k][static_cast<std::size_t>(c)]);
    return g;
}

/// Frames 0..count-1 at `fps`, x = f(frame) and y = g(frame) as number texts.
template <typename F, typename G>
PositionGrid sampled(int count, int fps, F x, G y) {
    std::vector<PositionGrid::Row> rows;
    for (int j = 0; j < count; ++j)
        rows.push_back(
            {timeText(static_cast<double>(j) / fps), lengthText(x(j)), lengthText(y(j))});
    return table(rows);
}

const std::string& cell(const TextGrid& g, int row, int column) { return gridCell(g, row, column); }

TEST(Tabellefuellen, QuadraticMotionAt25FramesPerSecond) {
    // x = 2 t^2 + t, y = 3 t: the mean velocity over a frame is the velocity at its mid time.
    const auto k = fillKinematics(1,
                                  sampled(
                                      8, 25,
                                      [](int j) {
                                          double t = j / 25.0;
                                          return 2 * t * t + t;
                                      },
                                      [](int j) { return 3 * j / 25.0; }),
                                  25);
    ASSERT_EQ(k.positions.size(), 9u);
    ASSERT_EQ(k.velocities.size(), 9u);
    ASSERT_EQ(k.accelerations.size(), 8u);
    EXPECT_TRUE(k.messages.empty());
    EXPECT_EQ(cell(k.positions, 1, 0), "1");
    EXPECT_EQ(cell(k.positions, 2, 1), "0.04");
    for (int c = 0; c < 5; ++c) EXPECT_EQ(cell(k.velocities, 1, c), "") << "row 1 stays empty";
    EXPECT_EQ(cell(k.velocities, 2, vel::kInterval), "0-0.04");
    EXPECT_EQ(cell(k.velocities, 3, vel::kInterval), "0.04-0.08");
    EXPECT_EQ(cell(k.velocities, 2, vel::kMid), "0.02");
    EXPECT_EQ(cell(k.velocities, 3, vel::kMid), "0.06");
    EXPECT_EQ(cell(k.velocities, 2, vel::kVx), "1.08");  // 4 * 0.02 + 1
    EXPECT_EQ(cell(k.velocities, 2, vel::kVy), "3");
    EXPECT_EQ(cell(k.velocities, 2, vel::kV), lengthText(std::sqrt(1.08 * 1.08 + 9)));
    for (int c = 0; c < 5; ++c) EXPECT_EQ(cell(k.accelerations, 1, c), "");
    EXPECT_EQ(cell(k.accelerations, 2, vel::kInterval), "0.02-0.06");
    EXPECT_EQ(cell(k.accelerations, 2, vel::kMid), "0.04");
    for (int j = 2; j <= 7; ++j) {
        EXPECT_EQ(cell(k.accelerations, j, vel::kVx), "4") << j;
        EXPECT_EQ(cell(k.accelerations, j, vel::kVy), "0") << j;
        EXPECT_EQ(cell(k.accelerations, j, vel::kV), "4") << j;
    }
    EXPECT_EQ(cell(k.positions, 0, pos::kRow), "Bildnr.");
    EXPECT_EQ(cell(k.velocities, 0, 0), "Zeitintervall /s");
    EXPECT_EQ(cell(k.velocities, 0, 1), "v / (m/s)");
    EXPECT_EQ(cell(k.accelerations, 0, 1), "a /(m/s²)");
    EXPECT_EQ(cell(k.accelerations, 0, 4), "t Mitte /s");
}

TEST(Tabellefuellen, GapsSpanToTheNearestEarlierRow) {
    // Frames of rows 6 and 7 have no position: row 8 takes its velocity over rows 5 to 8.
    PositionGrid g = sampled(
        9, 25, [](int j) { return 1.0 * j * j; }, [](int j) { return 2.0 * j; });
    for (int row : {6, 7})
        for (int c = 0; c < 3; ++c) g.setCell(row, c, "");
    const auto k = fillKinematics(1, g, 25);
    EXPECT_EQ(cell(k.velocities, 6, vel::kVx), "");
    EXPECT_EQ(cell(k.velocities, 7, vel::kMid), "");
    // x = j^2 with frame j = row - 1: (49 - 16) / 3 frames * 25.
    EXPECT_EQ(cell(k.velocities, 8, vel::kVx), "275");
    EXPECT_EQ(cell(k.velocities, 8, vel::kVy), "50");
    EXPECT_EQ(cell(k.velocities, 8, vel::kInterval), "0.16-0.28");
    EXPECT_EQ(cell(k.velocities, 8, vel::kMid), "0.22");
    // The acceleration from velocity rows 5 and 8 lands in row 7; its step is the distance of
    // the mid times 0.14 and 0.22, and for x = j^2 the result is 2 * 25^2 exactly.
    EXPECT_EQ(cell(k.accelerations, 7, vel::kVx), "1250");
    EXPECT_EQ(cell(k.accelerations, 7, vel::kVy), "0");
    EXPECT_EQ(cell(k.accelerations, 7, vel::kInterval), "0.14-0.22");
    EXPECT_EQ(cell(k.accelerations, 5, vel::kVx), "") << "velocity row 6 is empty";
    EXPECT_EQ(cell(k.accelerations, 6, vel::kVx), "");
}

TEST(Tabellefuellen, AccelerationStepIsExactAtPhoneFrameRates) {
    // x = j^2 (frame j): every acceleration is 2 fps^2, also where the mid-time texts round
    // to alternating steps (0.033 / 0.034 at 30 frames/s, 0.004 / 0.005 at 240).
    for (int fps : {30, 240}) {
        const auto k =
            fillKinematics(2,
                           sampled(
                               12, fps, [](int j) { return 1.0 * j * j; }, [](int) { return 0.0; }),
                           fps);
        const std::string expected = lengthText(2.0 * fps * fps);
        for (int j = 2; j <= 10; ++j)
            EXPECT_EQ(cell(k.accelerations, j, vel::kVx), expected) << fps << " row " << j;
        EXPECT_TRUE(k.messages.empty());
    }
}

TEST(Tabellefuellen, FilmTimesGiveTheStepsOfUnevenFrames) {
    // 8 frames 1/30 s apart, then 6 frames 2/30 s apart: x = 300 t, y = 900 t^2 at each
    // frame's true time. The t texts are rounded; the steps come from the exact times.
    std::vector<double> times{0.0};
    for (int k = 0; k < 14; ++k) times.push_back(k < 8 ? k / 30.0 : (8 + 2 * (k - 8)) / 30.0);
    std::vector<PositionGrid::Row> rows;
    for (std::size_t r = 1; r < times.size(); ++r) {
        const double t = times[r];
        rows.push_back({timeText(t), lengthText(300 * t), lengthText(900 * t * t)});
    }
    const PositionGrid g = table(rows);
    const auto k = fillKinematics(1, g, 23, times);
    for (int r = 2; r <= 14; ++r) EXPECT_EQ(cell(k.velocities, r, vel::kVx), "300") << r;
    for (int r = 2; r <= 12; ++r) EXPECT_EQ(cell(k.accelerations, r, vel::kVy), "1800") << r;
    EXPECT_TRUE(k.messages.empty());
    // Without the times the rate's steps make the second half twice as fast.
    const auto byRate = fillKinematics(1, g, 30);
    EXPECT_EQ(cell(byRate.velocities, 3, vel::kVx), "300");
    EXPECT_EQ(cell(byRate.velocities, 12, vel::kVx), "600");
    // Two rows at one time cannot give a velocity: the cell stays empty, with the message.
    times[3] = times[2];
    const auto same = fillKinematics(1, g, 30, times);
    EXPECT_EQ(cell(same.velocities, 3, vel::kVx), "");
    EXPECT_FALSE(same.messages.empty());
}

TEST(Tabellefuellen, ShortTablesFillWhatExists) {
    const auto four =
        fillKinematics(1, table({{"0", "0", "0"}, {"0.04", "1", "0"}, {"0.08", "3", "0"}}), 25);
    EXPECT_EQ(cell(four.velocities, 2, vel::kVx), "25");
    EXPECT_EQ(cell(four.velocities, 3, vel::kVx), "50");
    ASSERT_EQ(four.accelerations.size(), 3u);
    EXPECT_EQ(cell(four.accelerations, 2, vel::kVx), "625");

    const auto three = fillKinematics(2, table({{"0", "0", "0"}, {"0.04", "1", "0"}}), 25);
    EXPECT_EQ(cell(three.velocities, 2, vel::kVx), "25");
    ASSERT_EQ(three.accelerations.size(), 2u);
    EXPECT_EQ(cell(three.accelerations, 0, 0), "Zeitintervall/s");
    EXPECT_EQ(cell(three.accelerations, 1, vel::kVx), "");

    const auto two = fillKinematics(1, table({{"0", "0", "0"}}), 25);
    EXPECT_EQ(two.velocities.size(), 2u);
    EXPECT_EQ(two.accelerations.size(), 1u);
    EXPECT_EQ(cell(two.positions, 1, pos::kX), "0");
}

TEST(Tabellefuellen, ColoursDifferInCopyAndHeaders) {
    const PositionGrid g =
        table({{"0.000", "1.500", "2.0"}, {"0.040", "1.600", "2.0"}, {"", "", ""}});
    const auto one = fillKinematics(1, g, 25);
    const auto two = fillKinematics(2, g, 25);
    EXPECT_EQ(cell(one.positions, 1, pos::kX), "1.5");
    EXPECT_EQ(cell(one.positions, 1, pos::kT), "0");
    EXPECT_EQ(cell(two.positions, 1, pos::kX), "1.500");
    EXPECT_EQ(cell(two.velocities, 2, vel::kInterval), "0.000-0.040") << "the texts as copied";
    EXPECT_EQ(cell(one.velocities, 2, vel::kInterval), "0-0.04");
    EXPECT_EQ(cell(two.velocities, 0, 0), "Zeitintervall/s");
    EXPECT_EQ(cell(two.velocities, 0, 1), "v /(m/s)");
    EXPECT_EQ(cell(two.accelerations, 0, 4), "t Mitte/ s");
    EXPECT_EQ(cell(one.accelerations, 0, 0), "Zeitintervall/ s");
}

TEST(Tabellefuellen, SpeedNeedsTheXVelocity) {
    const auto k =
        fillKinematics(1, table({{"0", "0", "0"}, {"0.04", "", "1"}, {"0.08", "2", "2"}}), 25);
    EXPECT_EQ(cell(k.velocities, 2, vel::kVx), "");
    EXPECT_EQ(cell(k.velocities, 2, vel::kVy), "25");
    EXPECT_EQ(cell(k.velocities, 2, vel::kV), "") << "no speed without vx";
    EXPECT_EQ(cell(k.velocities, 3, vel::kVx), "25") << "x over two rows";
}

TEST(Tabellefuellen, BadCellTextsHoldNoValue) {
    // "1.2.3" is no number: row 3 takes its velocity from row 1; a lone "-" likewise.
    const auto k = fillKinematics(
        1, table({{"0", "0", "0"}, {"0.04", "1.2.3", "-"}, {"0.08", "2", "2"}, {"x", "3", "3"}}),
        25);
    EXPECT_EQ(cell(k.velocities, 2, vel::kVx), "");
    EXPECT_EQ(cell(k.velocities, 3, vel::kVx), "25");
    EXPECT_EQ(cell(k.velocities, 3, vel::kVy), "25");
    EXPECT_EQ(cell(k.velocities, 4, vel::kMid), "0.04") << "a bad time text reads as 0";
    EXPECT_TRUE(k.messages.empty());

    // Numbers near the largest double overflow the quotient: message, empty cell, go on.
    const std::string big(308, '9');
    const auto o = fillKinematics(
        1, table({{"0", "-" + big, "0"}, {"0.04", big, "0"}, {"0.08", big, "0"}}), 25);
    ASSERT_EQ(o.messages.size(), 1u);
    EXPECT_EQ(o.messages[0], kGeschwindigkeitsfehler);
    EXPECT_EQ(cell(o.velocities, 2, vel::kVx), "");
    EXPECT_EQ(cell(o.velocities, 3, vel::kVx), "0");
}

TEST(Tabellefuellen, DifferencesOverSeveralRows) {
    // x = 2 t^2 + t at 25 frames/s, differences over 3 rows, no position in row 7.
    PositionGrid g = sampled(
        12, 25, [](int j) { return 2.0 * j * j / 625 + j / 25.0; }, [](int j) { return j / 25.0; });
    for (int c = 0; c < 3; ++c) g.setCell(7, c, "");
    const auto k = fillKinematics(1, g, 25, {}, 3);
    EXPECT_EQ(cell(k.velocities, 3, vel::kVx), "") << "no row 3 rows earlier";
    EXPECT_EQ(cell(k.velocities, 4, vel::kInterval), "0-0.12");
    EXPECT_EQ(cell(k.velocities, 4, vel::kMid), "0.06");
    EXPECT_NEAR(*cellValue(k.velocities, 4, vel::kVx), 4 * 0.06 + 1, 1e-4);
    EXPECT_EQ(cell(k.velocities, 7, vel::kVx), "") << "the gap";
    // Row 10 reaches over the gap to row 6: four frames.
    EXPECT_EQ(cell(k.velocities, 10, vel::kInterval), "0.2-0.36");
    EXPECT_NEAR(*cellValue(k.velocities, 10, vel::kVx), 4 * 0.28 + 1, 1e-4);
    // Accelerations from velocity rows 3 apart, one row higher: first from rows 5 and 8.
    EXPECT_EQ(cell(k.accelerations, 6, vel::kVx), "");
    EXPECT_EQ(cell(k.accelerations, 7, vel::kInterval), "0.1-0.22");
    EXPECT_NEAR(*cellValue(k.accelerations, 7, vel::kVx), 4.0, 1e-2);
    EXPECT_EQ(cell(k.accelerations, 7, vel::kVy), "0");
    EXPECT_EQ(fillKinematics(1, g, 25, {}, 0).velocities, fillKinematics(1, g, 25).velocities)
        << "a step below 1 counts as 1";
}

}  // namespace
}  // namespace zebak
