#include "Kinematics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "NumberText.h"

namespace zebak {

namespace {

/// What differs between the colours: header texts and whether copied texts are trimmed.
struct SlotTraits {
    std::array<const char*, 5> velocityHeader;
    std::array<const char*, 5> accelerationHeader;
    bool trimCopiedTexts;
};

constexpr std::array<const char*, 4> kPositionHeader{"Bildnr.", "t /s", "x /m", "y /m"};

constexpr std::array<SlotTraits, 2> kSlotTraits{{
    {{"Zeitintervall /s", "v / (m/s)", "vx /(m/s)", "vy /(m/s)", "t Mitte/ s"},
     {"Zeitintervall/ s", "a /(m/s²)", "ax /(m/s²)", "ay /(m/s²)", "t Mitte /s"},
     true},
    {{"Zeitintervall/s", "v /(m/s)", "vx /(m/s)", "vy /(m/s)", "t Mitte/ s"},
     {"Zeitintervall/s", "a /(m/s²)", "ax /(m/s²)", "ay /(m/s²)", "t Mitte/ s"},
     false},
}};

const std::string kNoText;

/// The time steps between rows: from the rows' film times when the table has them, else from
/// the row distance and the frame rate.
struct RowClock {
    int fps;
    std::span<const double> rowTimesS;

    bool hasTimes(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < rowTimesS.size();
    }

    /// Velocity of a change `d` from row r to row i.
    double rate(double d, int r, int i) const {
        if (hasTimes(i) && hasTimes(r)) return d / (time(i) - time(r));
        return fps * d / (i - r);
    }

    /// Time between the mid times of the intervals (pr, r) and (pi, i).
    double midStep(int pr, int r, int pi, int i) const {
        if (hasTimes(pi) && hasTimes(i) && hasTimes(pr) && hasTimes(r))
            return ((time(pi) + time(i)) - (time(pr) + time(r))) / 2.0;
        return ((pi + i) - (pr + r)) / (2.0 * fps);
    }

    double time(int row) const { return rowTimesS[static_cast<std::size_t>(row)]; }
};

/// The number a text holds; nothing for a blank text or one that is not a number.
std::optional<double> valueOf(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    return readCellNumber(text);
}

/// A cell read as the tables read it: a blank or malformed text counts as 0.
double readOrZero(const std::string& text) { return valueOf(text).value_or(0.0); }

template <std::size_t N>
TextGrid emptyGrid(int rows, const std::array<const char*, N>& header) {
    TextGrid grid(static_cast<std::size_t>(rows), std::vector<std::string>(N));
    for (std::size_t c = 0; c < N; ++c) grid[0][c] = header[c];
    return grid;
}

std::string& at(TextGrid& grid, int row, int column) {
    return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

/// The step of column `column` to row i from the nearest row at least `spread` rows above it
/// (but not above row `first`) that holds a number: that row and the difference of the two
/// values. Empty when row i, or every such row down to `first`, holds no number.
struct Step {
    int row;
    double difference;
};
std::optional<Step> stepBack(const TextGrid& grid, int i, int column, int first, int spread) {
    if (i - spread < first) return std::nullopt;
    const auto here = valueOf(gridCell(grid, i, column));
    if (!here) return std::nullopt;
    int r = i - spread;
    while (!valueOf(gridCell(grid, r, column)) && r != first) --r;
    const auto there = valueOf(gridCell(grid, r, column));
    if (!there) return std::nullopt;
    return Step{r, *here - *there};
}

/// One component of the velocities: column `pc` of the positions into column `vc` of the
/// velocities; the interval and mid-time texts too when `withTimes`. Returns per velocity row
/// the earlier position row it was taken from (0 where no value was written).
std::vector<int> velocityComponent(const TextGrid& p, TextGrid& v, int pc, int vc, bool withTimes,
                                   const RowClock& clock, int spread,
                                   std::vector<std::string>& messages) {
    const int n = static_cast<int>(p.size());
    std::vector<int> earlier(static_cast<std::size_t>(n), 0);
    for (int i = 2; i < n; ++i) {
        const std::optional<Step> step = stepBack(p, i, pc, 1, spread);
        if (!step) continue;
        const int r = step->row;
        // The time step comes from the rows' film times or from the row distance and the
        // frame rate, never from the t texts, which are rounded to 3 decimals.
        const double q = clock.rate(step->difference, r, i);
        if (!std::isfinite(q)) {
            messages.emplace_back(kGeschwindigkeitsfehler);
            continue;
        }
        earlier[static_cast<std::size_t>(i)] = r;
        at(v, i, vc) = lengthText(q);
        if (!withTimes) continue;
        const std::string& tr = gridCell(p, r, pos::kT);
        const std::string& ti = gridCell(p, i, pos::kT);
        at(v, i, vel::kInterval) = tr + "-" + ti;
        at(v, i, vel::kMid) = timeText((readOrZero(tr) + readOrZero(ti)) / 2);
    }
    return earlier;
}

/// One component of the accelerations from column `c` of the velocities, written one row
/// higher. The time step is the exact distance of the two mid times (with even frames
/// (p_i + i - p_r - r) / (2 fps)) rather than the difference of the mid-time texts, which are
/// rounded to 3 decimals.
void accelerationComponent(const TextGrid& v, TextGrid& a, int c, const std::vector<int>& earlier,
                           bool withTimes, const RowClock& clock, int spread,
                           std::vector<std::string>& messages) {
    const int n = static_cast<int>(v.size());
    for (int i = 3; i < n; ++i) {
        const std::optional<Step> step = stepBack(v, i, c, 2, spread);
        if (!step) continue;
        const int r = step->row;
        const int pi = earlier[static_cast<std::size_t>(i)];
        const int pr = earlier[static_cast<std::size_t>(r)];
        const double dt = clock.midStep(pr, r, pi, i);
        const double q = step->difference / dt;
        if (!std::isfinite(q)) {
            messages.emplace_back(kGeschwindigkeitsfehler);
            continue;
        }
        at(a, i - 1, c) = lengthText(q);
        if (!withTimes) continue;
        const double tmr = readOrZero(gridCell(v, r, vel::kMid));
        const double tmi = readOrZero(gridCell(v, i, vel::kMid));
        at(a, i - 1, vel::kMid) = timeText((tmr + tmi) / 2);
        at(a, i - 1, vel::kInterval) = timeText(tmr) + "-" + timeText(tmi);
    }
}

/// Column 1 of rows first..last: the magnitude of columns 2 and 3, empty where column 2 is.
void magnitudes(TextGrid& g, int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (gridCell(g, i, vel::kVx).empty()) continue;
        const double x = readOrZero(gridCell(g, i, vel::kVx));
        const double y = readOrZero(gridCell(g, i, vel::kVy));
        at(g, i, vel::kV) = lengthText(std::sqrt(x * x + y * y));
    }
}

}  // namespace

const std::string& gridCell(const TextGrid& grid, int row, int column) {
    if (row < 0 || column < 0 || row >= static_cast<int>(grid.size())) return kNoText;
    const auto& r = grid[static_cast<std::size_t>(row)];
    if (column >= static_cast<int>(r.size())) return kNoText;
    return r[static_cast<std::size_t>(column)];
}

std::optional<double> cellValue(const TextGrid& grid, int row, int column) {
    return valueOf(gridCell(grid, row, column));
}

KinematicsGrids fillKinematics(int slot, const PositionGrid& source, int fps,
                               std::span<const double> rowTimesS, int spread) {
    spread = std::max(spread, 1);
    const SlotTraits& traits = kSlotTraits.at(slot == 2 ? 1 : 0);
    const RowClock clock{fps < 1 ? 1 : fps, rowTimesS};
    const int n = source.rowCount();
    KinematicsGrids g;
    g.positions = emptyGrid(n, kPositionHeader);
    g.velocities = emptyGrid(n, traits.velocityHeader);
    g.accelerations = emptyGrid(n > 1 ? n - 1 : 1, traits.accelerationHeader);

    for (int k = 1; k < n; ++k) {
        at(g.positions, k, pos::kRow) = std::to_string(k);
        for (int c = 0; c < PositionGrid::kColumns; ++c) {
            const std::string& text = source.cell(k, c);
            at(g.positions, k, c + 1) = traits.trimCopiedTexts ? trimZeros(text) : text;
        }
    }
    const auto earlierX = velocityComponent(g.positions, g.velocities, pos::kX, vel::kVx, true,
                                            clock, spread, g.messages);
    const auto earlierY = velocityComponent(g.positions, g.velocities, pos::kY, vel::kVy, false,
                                            clock, spread, g.messages);
    magnitudes(g.velocities, 2, n - 1);
    accelerationComponent(g.velocities, g.accelerations, vel::kVx, earlierX, true, clock, spread,
                          g.messages);
    accelerationComponent(g.velocities, g.accelerations, vel::kVy, earlierY, false, clock, spread,
                          g.messages);
    magnitudes(g.accelerations, 2, n - 2);
    return g;
}

}  // namespace zebak
