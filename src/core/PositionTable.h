#pragma once

#include <optional>
#include <vector>

#include "AnalysisHost.h"
#include "ProgramState.h"

namespace zebak {

/// Text of the box shown when a row is recorded for a frame before the sequence start.
inline constexpr const char* kZurueckgesprungen =
    "Das Video ist zurückgesprungen!Fehlermelung: Liste überschreitet Maximum.";

/// Empties both position tables, writes their headers and asks the host to show them.
void Tabellenvorbereiten(ProgramState& state, TableFeedback& tables);

/// Table x of a pixel column: (px - NullpunktX) * Eichfaktor.
double tableX(const ProgramState& state, int px);
/// Table y of a pixel row, growing upward: (NullpunktY - py) * Eichfaktor.
double tableY(const ProgramState& state, int py);

/// The time column's value for frame n, seconds after the first frame of the restricted
/// sequence: from the film's frame times when "Zeiten aus dem Film" is on and the film gives
/// them, else (n - start) / "Bilder/s" (a rate below 1 counts as 1).
double frameTimeS(const AnalysisState& analysis, int n);

/// The exact film time of every table row (index = row, row 1 the sequence's first frame) for
/// the evaluation's time steps, when "Zeiten aus dem Film" is on and the film gives its frame
/// times; empty otherwise, so the steps come from the row distance and "Bilder/s".
std::vector<double> rowTimesS(const AnalysisState& analysis, int rows);

/// Records the position (px, py) of the slot for frame n (the frame the film shows) into
/// the slot's table (Zeileinsmemo1 / ZeileInsMemo2):
/// 1. n before the sequence start S: the information box kZurueckgesprungen, nothing written.
/// 2. Found indicator red: three empty texts; otherwise t = (n - S) / Bilder/s (3 decimals),
///    x and y converted to metres (5 decimals), each trimmed.
/// 3. The row count becomes n - S + 2, so row n - S + 1 is the last row, and the texts go there.
void Zeileinsmemo(ProgramState& state, SlotNumber slot, int n, int px, int py,
                  const AnalysisHost& host);

/// Records an empty row for frame n of the slot, a frame that has no position (the same rows
/// and the same box before the sequence start as Zeileinsmemo).
void recordEmptyRow(ProgramState& state, SlotNumber slot, int n, const AnalysisHost& host);

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
