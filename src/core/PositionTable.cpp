#include "PositionTable.h"

#include <algorithm>
#include <cmath>

#include "NumberText.h"

namespace zebak {

void resetTracks(std::array<TrackResult, 2>& tracks) {
    for (TrackResult& t : tracks) {
        t.grid.reset();
        t.found.clear();
    }
}

double tableX(const Calibration& calibration, double px) {
    return (px - calibration.origin.x) * calibration.factorMPerPx;
}

double tableY(const Calibration& calibration, double py) {
    return (calibration.origin.y - py) * calibration.factorMPerPx;
}

double frameTimeS(const FilmTiming& timing, int start, int n) {
    const auto& times = timing.frameTimesS;
    if (timing.timesFromFilm && start >= 0 && n >= start &&
        static_cast<std::size_t>(n) < times.size())
        return times[static_cast<std::size_t>(n)] - times[static_cast<std::size_t>(start)];
    // A frame rate of 0 would make the time undefined; the field counts from 1.
    const int fps = timing.framesPerSecond < 1 ? 1 : timing.framesPerSecond;
    return static_cast<double>(n - start) / fps;
}

std::vector<double> rowTimesS(const FilmTiming& timing, int start, int rows) {
    std::vector<double> times;
    if (!timing.timesFromFilm || timing.frameTimesS.empty() || rows < 1) return times;
    times.resize(static_cast<std::size_t>(rows), 0.0);
    for (int k = 1; k < rows; ++k)
        times[static_cast<std::size_t>(k)] = frameTimeS(timing, start, start + k - 1);
    return times;
}

KinematicsGrids slotKinematics(SlotNumber slot, const PositionGrid& positions,
                               const FilmTiming& timing, int start, int spread) {
    return fillKinematics(slot, positions, timing.framesPerSecond,
                          rowTimesS(timing, start, positions.rowCount()), spread);
}

namespace {

/// The x and y texts of a position: the calibrated text format, or with `fraction` two
/// decimals while the table is in pixels.
PositionGrid::Row positionTexts(const Calibration& c, PrecisePoint position, bool fraction) {
    PositionGrid::Row texts{};
    const double x = tableX(c, position.x);
    const double y = tableY(c, position.y);
    const bool decimals = fraction && c.factorMPerPx == 1.0;
    texts[1] = decimals ? fixedText(x, 2) : lengthText(x);
    texts[2] = decimals ? fixedText(y, 2) : lengthText(y);
    return texts;
}

/// Writes the texts of frame n's row (empty texts for no position), as writePositionRow says.
void writeRowTexts(TrackResult& track, SlotNumber slot, const AnalysisJob& job, int n,
                   PositionGrid::Row texts, bool found, AnalysisEvents& events,
                   UserDialogs& dialogs) {
    const int offset = n - job.range.start;
    if (offset < 0) {
        dialogs.messageDialog(DialogKind::Information, kZurueckgesprungen, DialogButtons::Ok);
        return;
    }
    if (found) texts[0] = timeText(frameTimeS(job.timing, job.range.start, n));
    const int row = offset + 1;
    track.grid.setRowCount(row + 1);
    for (int c = 0; c < PositionGrid::kColumns; ++c)
        track.grid.setCell(row, c, std::move(texts[static_cast<std::size_t>(c)]));
    track.found.resize(static_cast<std::size_t>(row + 1), false);
    track.found[static_cast<std::size_t>(row)] = found;
    events.rowWritten(slot, row);
}

}  // namespace

void writePositionRow(TrackResult& track, SlotNumber slot, const AnalysisJob& job, int n,
                      std::optional<PixelPoint> position, AnalysisEvents& events,
                      UserDialogs& dialogs) {
    PositionGrid::Row texts{};
    if (position)
        texts = positionTexts(job.calibration,
                              {static_cast<double>(position->x), static_cast<double>(position->y)},
                              false);
    writeRowTexts(track, slot, job, n, std::move(texts), position.has_value(), events, dialogs);
}

void writeExactRow(TrackResult& track, SlotNumber slot, const AnalysisJob& job, int n,
                   std::optional<PrecisePoint> position, AnalysisEvents& events,
                   UserDialogs& dialogs) {
    PositionGrid::Row texts{};
    if (position) texts = positionTexts(job.calibration, *position, true);
    writeRowTexts(track, slot, job, n, std::move(texts), position.has_value(), events, dialogs);
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
