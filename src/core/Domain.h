#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Colour.h"
#include "PositionGrid.h"
#include "VideoSize.h"

namespace zebak {

// The measurement's values: small, copyable, comparable plain data. Every field is public so
// that a project file can write and read them as they stand; nothing here refers to a window.

/// Colour slot number: 1 or 2.
using SlotNumber = int;

/// A point on the display window or in a frame, pixels (y grows downward).
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

/// A point with its fraction, pixels: the mean of an object's pixels.
struct PrecisePoint {
    double x = 0.0;
    double y = 0.0;
    friend constexpr bool operator==(PrecisePoint, PrecisePoint) = default;
};

/// How the time column counts: "Bilder/s" (SpinEdit1 of the player panel) and "Zeiten aus dem
/// Film" with the film's own frame times.
struct FilmTiming {
    /// Frames per second for the time column; values below 1 are used as 1.
    int framesPerSecond = 25;
    /// The time column takes each frame's time from the film (frameTimesS) instead of the
    /// frame distance and framesPerSecond.
    bool timesFromFilm = false;
    /// The film's frame times in seconds, frame 0 at 0; empty when unknown.
    std::vector<double> frameTimesS;
    friend bool operator==(const FilmTiming&, const FilmTiming&) = default;
};

/// The loaded film as the measurement sees it (`Filmname`, `Videobreite`, `Videohoehe`).
struct Film {
    /// Full path of the film; empty before the first load.
    std::string path;
    /// Frame size of all pixel work (360x288 for a 720x576 film), pixels.
    FrameSize size;
    /// The time column's rules.
    FilmTiming timing;
    friend bool operator==(const Film&, const Film&) = default;
};

/// A line of known length clicked on the picture (`EichpunktA`/`EichpunktB`,
/// `Streckenlaenge`).
struct CalibrationLine {
    PixelPoint a;
    PixelPoint b;
    /// Real length of the line, metres.
    double lengthM = 0.0;
    friend constexpr bool operator==(const CalibrationLine&, const CalibrationLine&) = default;
};

/// Pixels to metres: table x = (px - origin.x) * factor, table y = (origin.y - py) * factor.
struct Calibration {
    /// Metres per pixel (`Eichfaktor`); exactly 1.0 means uncalibrated.
    double factorMPerPx = 1.0;
    /// Origin in frame pixels (`NullpunktX`/`NullpunktY`); by default the bottom-left corner.
    PixelPoint origin;
    /// The line the factor was formed from.
    CalibrationLine line;
    friend constexpr bool operator==(const Calibration&, const Calibration&) = default;
};

/// Search area in frame pixels (`Suchbereich`): full scans cover x in [left, right) and y in
/// [top, bottom).
struct SearchArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(SearchArea, SearchArea) = default;
};

/// The restricted sequence: first frame (`ScrollBar2`) and last frame (`ScrollBar3`)
/// positions, 0 to the frame count.
struct FrameRange {
    int start = 0;
    int end = 0;
    friend constexpr bool operator==(FrameRange, FrameRange) = default;
};

/// The reference colour of a slot as picked or typed (`Startfarbe1`/`Startfarbe2`).
struct ColourSlot {
    Rgb picked{0, 0, 0};
    /// The assigned mark (`zugewiesen`): set once the colour has been picked or typed.
    bool assigned = false;
    /// Where the colour was picked on the display window, frame pixels; a connected-region
    /// search starts from the region nearest it. Unknown for a typed colour.
    bool pickedAtKnown = false;
    PixelPoint pickedAt;
    friend constexpr bool operator==(ColourSlot, ColourSlot) = default;
};

/// Where a slot's object was last seen and with which colour: the working values a run
/// carries from frame to frame and leaves behind (`Farbe`, `Toleranz`, `Mittelpunkt`,
/// `GenauerMittelpunkt`).
struct SlotTrace {
    /// Working reference colour; colour adoption changes it during a run.
    Rgb workingColour{100, 100, 100};
    /// Colour tolerance taken from the settings before each search, 0 to 255.
    std::uint8_t tolerance = 0;
    /// Centre of the object: midpoint of the matching pixels' bounding box, frame pixels.
    PixelPoint centre;
    /// Centre found by the targeted second search, frame pixels.
    PixelPoint refinedCentre;
    /// With "Subpixel": the centre with its fraction (centre is it rounded).
    PrecisePoint exactCentre;
    /// With "Zusammenhängend": the object's size when last seen, pixels; 0 until the run has
    /// seen it.
    long long objectPixels = 0;
    /// With "Zusammenhängend": the object was seen and then lost; the next search takes the
    /// region most like it.
    bool lost = false;
    /// With "Zusammenhängend": the object's move between its last two frames; the simple
    /// search expects it there again.
    PixelPoint objectStep;
    friend constexpr bool operator==(SlotTrace, SlotTrace) = default;
};

/// What a film analysis found for one slot: its position table (`tabelle1`, `Tabelle2`) and,
/// per table row, whether the object was found in that row's frame.
struct TrackResult {
    PositionGrid grid;
    /// found[row] for the rows written by a search (index = table row; row 0 unused).
    std::vector<bool> found;
    friend bool operator==(const TrackResult&, const TrackResult&) = default;
};

}  // namespace zebak
