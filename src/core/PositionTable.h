#pragma once

#include <array>
#include <optional>
#include <vector>

#include "AnalysisEvents.h"
#include "Domain.h"

namespace zebak {

/// Text of the box shown when a row is recorded for a frame before the sequence start.
inline constexpr const char* kZurueckgesprungen =
    "Das Video ist zurückgesprungen!Fehlermelung: Liste überschreitet Maximum.";

/// Empties both position tables and their found marks and writes the headers
/// (`Tabellenvorbereiten`).
void resetTracks(std::array<TrackResult, 2>& tracks);

/// Table x of a pixel column: (px - origin.x) * factor.
double tableX(const Calibration& calibration, double px);
/// Table y of a pixel row, growing upward: (origin.y - py) * factor.
double tableY(const Calibration& calibration, double py);

/// The time column's value for frame n, seconds after the first frame `start` of the
/// restricted sequence: from the film's frame times when "Zeiten aus dem Film" is on and the
/// film gives them, else (n - start) / "Bilder/s" (a rate below 1 counts as 1).
double frameTimeS(const FilmTiming& timing, int start, int n);

/// The exact film time of every table row (index = row, row 1 the sequence's first frame
/// `start`) for the evaluation's time steps, when "Zeiten aus dem Film" is on and the film
/// gives its frame times; empty otherwise, so the steps come from the row distance and
/// "Bilder/s".
std::vector<double> rowTimesS(const FilmTiming& timing, int start, int rows);

/// The evaluation window's three grids of a slot's position table (`Tabelle1fuellen` /
/// `Tabelle2fuellen`), with the film's own row times when "Zeiten aus dem Film" is on, the
/// differences taken `spread` rows apart ("Differenz über n Bilder").
KinematicsGrids slotKinematics(SlotNumber slot, const PositionGrid& positions,
                               const FilmTiming& timing, int start, int spread = 1);

/// Records the position of the slot for frame n (the frame the film shows) into the slot's
/// track (`Zeileinsmemo1` / `ZeileInsMemo2`):
/// 1. n before the range start S: the information box kZurueckgesprungen, nothing written.
/// 2. No position (the object was not found, or the frame has none): three empty texts;
///    otherwise t = (n - S) / Bilder/s (3 decimals), x and y converted to metres (5 decimals),
///    each trimmed.
/// 3. The row count becomes n - S + 2, so row n - S + 1 is the last row, and the texts go
///    there with the found mark; the events hear rowWritten.
void writePositionRow(TrackResult& track, SlotNumber slot, const AnalysisJob& job, int n,
                      std::optional<PixelPoint> position, AnalysisEvents& events,
                      UserDialogs& dialogs);

/// The same row for a centre with its fraction ("Subpixel"): x and y with two decimals while
/// the factor is 1 (pixels), else converted to metres as above.
void writeExactRow(TrackResult& track, SlotNumber slot, const AnalysisJob& job, int n,
                   std::optional<PrecisePoint> position, AnalysisEvents& events,
                   UserDialogs& dialogs);

/// Metres per pixel for a line from (ax, ay) to (bx, by) of real length lengthM metres:
/// lengthM / distance. Empty when the two points are the same pixel (no factor can be formed)
/// or the result is not a finite number.
std::optional<double> calibrationFactor(int ax, int ay, int bx, int by, double lengthM);

/// Largest distance from the origin, in metres, that the tables may have to write: far beyond
/// any filmed motion, and short enough that every number text stays a few digits long.
constexpr double kLargestCoordinateM = 1e9;

/// Half the last decimal place of a length in the tables (five decimals): a coordinate
/// nearer 0 than this is written as 0.
constexpr double kSmallestShownM = 0.000005;

/// Whether a calibration factor gives usable coordinates for a frame of widthPx x heightPx
/// with the origin at (originXPx, originYPx): the factor (metres per pixel) must be a normal
/// finite number (not 0, not subnormal, not infinite), and no pixel of the frame may lie
/// farther than kLargestCoordinateM from the origin in x or y, and the farthest must lie at
/// least kSmallestShownM from it (else every coordinate would be written as 0).
bool calibrationFits(double factorMPerPx, int widthPx, int heightPx, int originXPx, int originYPx);

}  // namespace zebak
