#include "PositionTable.h"

#include <algorithm>
#include <cmath>

#include "NumberText.h"

namespace zebak {

void Tabellenvorbereiten(ProgramState& state, TableFeedback& tables) {
    state.tabelle(1).reset();
    state.tabelle(2).reset();
    tables.positionTablesPrepared();
}

double tableX(const ProgramState& state, int px) {
    return static_cast<double>(px - state.NullpunktX) * state.Eichfaktor;
}

double tableY(const ProgramState& state, int py) {
    return static_cast<double>(state.NullpunktY - py) * state.Eichfaktor;
}

double frameTimeS(const AnalysisState& analysis, int n) {
    const int start = analysis.sequenceStart;
    const auto& times = analysis.frameTimesS;
    if (analysis.timesFromFilm && start >= 0 && n >= start &&
        static_cast<std::size_t>(n) < times.size())
        return times[static_cast<std::size_t>(n)] - times[static_cast<std::size_t>(start)];
    // A frame rate of 0 would make the time undefined; the field counts from 1.
    const int fps = analysis.framesPerSecond < 1 ? 1 : analysis.framesPerSecond;
    return static_cast<double>(n - start) / fps;
}

std::vector<double> rowTimesS(const AnalysisState& analysis, int rows) {
    std::vector<double> times;
    if (!analysis.timesFromFilm || analysis.frameTimesS.empty() || rows < 1) return times;
    times.resize(static_cast<std::size_t>(rows), 0.0);
    for (int k = 1; k < rows; ++k)
        times[static_cast<std::size_t>(k)] = frameTimeS(analysis, analysis.sequenceStart + k - 1);
    return times;
}

namespace {

/// Puts the texts into row n - S + 1 of the slot's table, which becomes its last row; a frame
/// before the sequence start S shows kZurueckgesprungen and writes nothing.
void writeRowTexts(ProgramState& state, SlotNumber slot, int n, PositionGrid::Row texts,
                   const AnalysisHost& host) {
    const int offset = n - state.analyse.sequenceStart;
    if (offset < 0) {
        host.dialogs.messageDialog(DialogKind::Information, kZurueckgesprungen, DialogButtons::Ok);
        return;
    }
    PositionGrid& grid = state.tabelle(slot);
    const int row = offset + 1;
    grid.setRowCount(row + 1);
    for (int c = 0; c < PositionGrid::kColumns; ++c)
        grid.setCell(row, c, std::move(texts[static_cast<std::size_t>(c)]));
    host.tables.positionRowWritten(slot, row);
}

}  // namespace

void Zeileinsmemo(ProgramState& state, SlotNumber slot, int n, int px, int py,
                  const AnalysisHost& host) {
    PositionGrid::Row texts{};
    if (state.analyse.panel5 != FoundIndicator::NotFound) {
        texts[0] = timeText(frameTimeS(state.analyse, n));
        texts[1] = lengthText(tableX(state, px));
        texts[2] = lengthText(tableY(state, py));
    }
    writeRowTexts(state, slot, n, std::move(texts), host);
}

void recordEmptyRow(ProgramState& state, SlotNumber slot, int n, const AnalysisHost& host) {
    writeRowTexts(state, slot, n, PositionGrid::Row{}, host);
}

std::optional<double> calibrationFactor(int ax, int ay, int bx, int by, double lengthM) {
    const double dx = static_cast<double>(bx) - ax;
    const double dy = static_cast<double>(by) - ay;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0.0) return std::nullopt;
    const double factor = lengthM / distance;
    if (!std::isfinite(factor)) return std::nullopt;
    return factor;
}

bool calibrationFits(double factorMPerPx, int widthPx, int heightPx, int originXPx, int originYPx) {
    if (!std::isnormal(factorMPerPx)) return false;
    // The farthest pixel from the origin along each axis, in pixels.
    const double spanX = std::max(std::abs(0.0 - originXPx), std::abs(double(widthPx) - originXPx));
    const double spanY =
        std::max(std::abs(0.0 - originYPx), std::abs(double(heightPx) - originYPx));
    const double farthestM = std::abs(factorMPerPx) * std::max({spanX, spanY, 1.0});
    // A factor so small that every coordinate of the frame would be written as 0 is no
    // calibration either.
    return farthestM <= kLargestCoordinateM && farthestM >= kSmallestShownM;
}

}  // namespace zebak
