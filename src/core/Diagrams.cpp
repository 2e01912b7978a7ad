#include "Diagrams.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "NumberText.h"

namespace zebak {

namespace {

/// Which grids and columns a diagram plots.
enum class Grid { Pos, Vel, Acc };
struct Cell {
    Grid grid;
    int column;
};
struct Plot {
    const char* caption;
    Cell x;
    Cell y;
    Cell condition;
    int firstRow;
    /// Rows before the grid's last row that are left out (0: up to N-1, 1: up to N-2).
    int lastRowOffset;
    /// Rows the y value lies below the x value (1 in the position-velocity phase space).
    int yRowShift;
    AxisTitles titles1;
    AxisTitles titles2;
};

// The diagram table, in the order of the enum.
const std::array<Plot, 14> kPlots{{
    {"x - y",
     {Grid::Pos, 2},
     {Grid::Pos, 3},
     {Grid::Pos, 2},
     1,
     0,
     0,
     {"y /m", "x /m"},
     {"y /m", "x /m"}},
    {"x - t",
     {Grid::Pos, 1},
     {Grid::Pos, 2},
     {Grid::Pos, 2},
     1,
     0,
     0,
     {"x / m", "t / s"},
     {"x / m", "t / s"}},
    {"y - t",
     {Grid::Pos, 1},
     {Grid::Pos, 3},
     {Grid::Pos, 3},
     1,
     0,
     0,
     {"y / m", "t / s"},
     {"y / m", "t / s"}},
    {"v - t",
     {Grid::Vel, 4},
     {Grid::Vel, 1},
     {Grid::Vel, 4},
     2,
     0,
     0,
     {"v /(m/s)", "t / s"},
     {"v / (m/s)", "t / s"}},
    {"vx - t",
     {Grid::Vel, 4},
     {Grid::Vel, 2},
     {Grid::Vel, 4},
     2,
     0,
     0,
     {"v_x / (m/s)", "t / s"},
     {"v_x / (m/s)", "t / s"}},
    {"vy - t",
     {Grid::Vel, 4},
     {Grid::Vel, 3},
     {Grid::Vel, 4},
     2,
     0,
     0,
     {"v_y /(m/s)", "t /(s)"},
     {"v_y / (m/s)", "t / s"}},
    {"a - t",
     {Grid::Acc, 4},
     {Grid::Acc, 1},
     {Grid::Acc, 1},
     2,
     1,
     0,
     {"a /(m/s^2)", "t / s"},
     {"a /(m/s^2)", "t / s"}},
    {"ax - t",
     {Grid::Acc, 4},
     {Grid::Acc, 2},
     {Grid::Acc, 2},
     2,
     1,
     0,
     {"a_x /(m/s^2)", "t / s"},
     {"a_x /(m/s^2)", "t / s"}},
    {"ay - t",
     {Grid::Acc, 4},
     {Grid::Acc, 3},
     {Grid::Acc, 3},
     2,
     1,
     0,
     {"a_y /(m/s^2)", "t / s"},
     {"a_y /(m/s^2)", "t / s"}},
    {"x - vx",
     {Grid::Pos, 2},
     {Grid::Vel, 2},
     {Grid::Pos, 2},
     1,
     0,
     1,
     {"v_x /(m/s)", "x / m"},
     {"v_x /(m/s)", "x / m"}},
    {"y - vy",
     {Grid::Pos, 3},
     {Grid::Vel, 3},
     {Grid::Pos, 3},
     1,
     0,
     1,
     {"v_y /(m/s)", "y / m"},
     {"v_y /(m/s)", "y / m"}},
    {"v - a",
     {Grid::Vel, 1},
     {Grid::Acc, 1},
     {Grid::Vel, 1},
     2,
     1,
     0,
     {"a /(m/s^2)", "v /(m/s)"},
     {"a /(m/s^2)", "v /(m/s)"}},
    {"vx - ax",
     {Grid::Vel, 2},
     {Grid::Acc, 2},
     {Grid::Vel, 2},
     2,
     1,
     0,
     {"a_x /(m/s^2)", "v_x /(m/s)"},
     {"a_x /(m/s^2)", "v_x /(m/s)"}},
    {"vy - ay",
     {Grid::Vel, 3},
     {Grid::Acc, 3},
     {Grid::Vel, 3},
     2,
     1,
     0,
     {"a_y /(m/s^2)", "v_y /(m/s)"},
     {"a_y /(m/s^2)", "v_y /(m/s)"}},
}};

/// A value cell as the diagrams read it: blank is 0, a text that is not a number nothing.
std::optional<double> readValue(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return 0.0;
    return readCellNumber(text);
}

const Plot& plot(Diagram d) { return kPlots.at(static_cast<std::size_t>(d)); }

const TextGrid& gridOf(const KinematicsGrids& g, Grid which) {
    return which == Grid::Pos ? g.positions : which == Grid::Vel ? g.velocities : g.accelerations;
}

}  // namespace

std::string diagramCaption(Diagram d) { return plot(d).caption; }

bool isTimeDiagram(Diagram d) { return d >= Diagram::XT && d <= Diagram::AYT; }

bool isPhaseDiagram(Diagram d) { return d >= Diagram::XVX; }

bool joinsPoints(Diagram d) { return d == Diagram::XT || d == Diagram::YT; }

AxisTitles diagramTitles(Diagram d, int slot) {
    return slot == 2 ? plot(d).titles2 : plot(d).titles1;
}

std::vector<DiagramPoint> diagramPoints(Diagram d, const KinematicsGrids& grids) {
    const Plot& p = plot(d);
    const int n = static_cast<int>(grids.positions.size());
    const TextGrid& xs = gridOf(grids, p.x.grid);
    const TextGrid& ys = gridOf(grids, p.y.grid);
    const TextGrid& cs = gridOf(grids, p.condition.grid);
    std::vector<DiagramPoint> points;
    for (int k = p.firstRow; k <= n - 1 - p.lastRowOffset; ++k) {
        const int yk = k + p.yRowShift;
        // The condition cell must be filled (in phase space both cells); a blank value cell
        // reads as 0, and a text that is not a number gives no point.
        if (gridCell(cs, k, p.condition.column).empty()) continue;
        if (isPhaseDiagram(d) && gridCell(ys, yk, p.y.column).empty()) continue;
        const auto x = readValue(gridCell(xs, k, p.x.column));
        const auto y = readValue(gridCell(ys, yk, p.y.column));
        if (!x || !y) continue;
        points.push_back({*x, *y});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const DiagramPoint& a, const DiagramPoint& b) { return a.x < b.x; });
    return points;
}

TrendSource trendSource(Diagram d) {
    // v-t, vx-t, vy-t and a-t, ax-t, ay-t follow columns 1, 2, 3 of their grid.
    const int k = static_cast<int>(d) - static_cast<int>(Diagram::VT);
    if (k < 0 || k > 5) return {};
    return {k >= 3, k % 3 + 1};
}

std::vector<DiagramPoint> trendLine(const TextGrid& grid, int column, int strength) {
    const int n = std::clamp(strength | 1, 1, 9);
    const int half = (n - 1) / 2;
    const int peak = (n + 1) / 2;
    const int rows = static_cast<int>(grid.size());
    std::vector<DiagramPoint> line;
    const int first = (n + 3) / 2;
    for (int m = first; m <= rows - peak || m == first; ++m) {
        const auto mid = cellValue(grid, m, vel::kMid);
        if (!mid) continue;
        double sum = 0.0;
        int weights = 0;
        for (int k = -half; k <= half; ++k) {
            // Empty cells are skipped, so the remaining weights are renormalised.
            const auto v = cellValue(grid, m + k, column);
            if (!v) continue;
            const int w = peak - std::abs(k);
            sum += w * *v;
            weights += w;
        }
        if (weights != 0) line.push_back({*mid, sum / weights});
    }
    return line;
}

std::vector<DiagramPoint> diagramTrendLine(Diagram d, const KinematicsGrids& grids, int strength) {
    const TrendSource s = trendSource(d);
    if (s.column == 0) return {};
    return trendLine(s.acceleration ? grids.accelerations : grids.velocities, s.column, strength);
}

}  // namespace zebak
