// Diagram point lists and titles, and the trend line, on hand-made grids.
#include "core/Diagrams.h"

#include <gtest/gtest.h>

#include "core/NumberText.h"

namespace zebak {
namespace {

/// A grid of `rows` rows and 5 columns with the header row.
TextGrid grid(int rows) {
    return TextGrid(static_cast<std::size_t>(rows), std::vector<std::string>(5));
}

/// Velocity grid with values v(row) in `column` and mid times row/10 in rows first..last.
TextGrid velocities(int rows, int first, int last, double (*v)(int)) {
    TextGrid g = grid(rows);
    for (int r = first; r <= last; ++r) {
        g[r][vel::kMid] = timeText(r / 10.0);
        g[r][vel::kV] = lengthText(v(r));
    }
    return g;
}

TEST(Diagrams, PositionAndPhaseSpacePairing) {
    KinematicsGrids k;
    k.positions = {{"Bildnr.", "t /s", "x /m", "y /m"},
                   {"1", "0", "3", "1"},
                   {"2", "0.04", "", ""},
                   {"3", "0.08", "1", "2"},
                   {"4", "0.12", "2", "4"}};
    k.velocities = grid(5);
    k.velocities[3][vel::kVx] = "-50";  // from rows 1 and 3
    k.velocities[4][vel::kVx] = "25";
    k.velocities[4][vel::kVy] = "50";
    k.accelerations = grid(4);

    // x - y: the empty row gives no point; points come in ascending x.
    EXPECT_EQ(diagramPoints(Diagram::XY, k), (std::vector<DiagramPoint>{{1, 2}, {2, 4}, {3, 1}}));
    EXPECT_EQ(diagramPoints(Diagram::XT, k),
              (std::vector<DiagramPoint>{{0, 3}, {0.08, 1}, {0.12, 2}}));
    // x - vx pairs the position of row k with the velocity of row k + 1: row 1 has no partner
    // (velocity row 2 empty), row 2 no position, row 3 pairs with row 4, row 4 with nothing.
    EXPECT_EQ(diagramPoints(Diagram::XVX, k), (std::vector<DiagramPoint>{{1, 25}}));
    EXPECT_EQ(diagramPoints(Diagram::YVY, k), (std::vector<DiagramPoint>{{2, 50}}));
}

TEST(Diagrams, VelocityAndAccelerationRows) {
    KinematicsGrids k;
    k.positions = TextGrid(5, std::vector<std::string>(4));
    k.velocities = grid(5);
    k.accelerations = grid(4);
    for (int r = 2; r <= 4; ++r) {
        k.velocities[r][vel::kMid] = timeText(r / 10.0);
        k.velocities[r][vel::kV] = lengthText(r);
        k.velocities[r][vel::kVx] = lengthText(r);
    }
    k.velocities[3][vel::kVy] = "";  // a blank value with a mid time plots as 0
    k.accelerations[2] = {"", "7", "7", "", "0.25"};
    k.accelerations[3] = {"", "8", "8", "1.2.3", "0.35"};
    EXPECT_EQ(diagramPoints(Diagram::VT, k),
              (std::vector<DiagramPoint>{{0.2, 2}, {0.3, 3}, {0.4, 4}}));
    EXPECT_EQ(diagramPoints(Diagram::VYT, k),
              (std::vector<DiagramPoint>{{0.2, 0}, {0.3, 0}, {0.4, 0}}));
    EXPECT_EQ(diagramPoints(Diagram::AT, k), (std::vector<DiagramPoint>{{0.25, 7}, {0.35, 8}}));
    EXPECT_TRUE(diagramPoints(Diagram::AYT, k).empty()) << "blank and malformed ay";
    // v - a pairs equal rows 2 .. N-2.
    EXPECT_EQ(diagramPoints(Diagram::VA, k), (std::vector<DiagramPoint>{{2, 7}, {3, 8}}));
}

TEST(Diagrams, TitlesPerColourAndKinds) {
    EXPECT_EQ(diagramTitles(Diagram::VYT, 1).left, "v_y /(m/s)");
    EXPECT_EQ(diagramTitles(Diagram::VYT, 1).bottom, "t /(s)");
    EXPECT_EQ(diagramTitles(Diagram::VYT, 2).left, "v_y / (m/s)");
    EXPECT_EQ(diagramTitles(Diagram::VYT, 2).bottom, "t / s");
    EXPECT_EQ(diagramTitles(Diagram::VT, 1).left, "v /(m/s)");
    EXPECT_EQ(diagramTitles(Diagram::VT, 2).left, "v / (m/s)");
    EXPECT_EQ(diagramTitles(Diagram::VYAY, 2).bottom, "v_y /(m/s)");
    EXPECT_EQ(diagramCaption(Diagram::VXAX), "vx - ax");
    EXPECT_TRUE(isTimeDiagram(Diagram::AYT));
    EXPECT_FALSE(isTimeDiagram(Diagram::XY));
    EXPECT_TRUE(isPhaseDiagram(Diagram::XVX));
    EXPECT_TRUE(joinsPoints(Diagram::YT));
}

TEST(TrendLine, TriangularWeightsOverFullWindows) {
    // Strength 5 on rows 2..20 (R = 21): centre rows 4..18.
    const TextGrid g = velocities(21, 2, 20, [](int r) { return 1.0 * r * r; });
    const auto line = trendLine(g, vel::kV, 5);
    ASSERT_EQ(line.size(), 15u);
    EXPECT_DOUBLE_EQ(line.front().x, 0.4);
    EXPECT_DOUBLE_EQ(line.front().y, (4 + 2 * 9 + 3 * 16 + 2 * 25 + 36) / 9.0);
    EXPECT_DOUBLE_EQ(line.back().x, 1.8);
    EXPECT_DOUBLE_EQ(line.back().y, (256 + 2 * 289 + 3 * 324 + 2 * 361 + 400) / 9.0);

    // Strength 1 joins rows 2 .. R-1 unchanged.
    const auto plain = trendLine(g, vel::kV, 1);
    ASSERT_EQ(plain.size(), 19u);
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_DOUBLE_EQ(plain[i].y, (i + 2.0) * (i + 2.0));
}

TEST(TrendLine, EmptyCellsAndShortGrids) {
    TextGrid g = velocities(8, 2, 7, [](int r) { return 10.0 * r; });
    // An empty centre value: strength 3 averages its neighbours with weight 1 each.
    g[4][vel::kV] = "";
    const auto three = trendLine(g, vel::kV, 3);
    EXPECT_DOUBLE_EQ(three[1].x, 0.4);
    EXPECT_DOUBLE_EQ(three[1].y, 40.0);
    // Strength 9 with R = 8: only centre row 6, from the cells of rows 2 to 7 that exist.
    const auto nine = trendLine(g, vel::kV, 9);
    ASSERT_EQ(nine.size(), 1u);
    EXPECT_DOUBLE_EQ(nine[0].x, 0.6);
    EXPECT_DOUBLE_EQ(nine[0].y, (20 + 2 * 30 + 4 * 50 + 5 * 60 + 4 * 70) / 16.0);
    // Without a mid time at the first centre row the line stays empty.
    g[6][vel::kMid] = "";
    EXPECT_TRUE(trendLine(g, vel::kV, 9).empty());
    // A window whose cells are all empty gives no point.
    TextGrid blank = grid(6);
    blank[3][vel::kMid] = "0.3";
    EXPECT_TRUE(trendLine(blank, vel::kV, 3).empty());
}

}  // namespace
}  // namespace zebak
