#pragma once

#include <optional>

#include "ColourMatch.h"
#include "Run.h"

namespace zebak {

/// What differs between the colour 1 and colour 2 routines; everything else is shared.
struct SlotTraits {
    /// Matching pixels of the first search (simple and predicted-position) in the result image.
    Rgb foundColour;
    /// Matching pixels of the targeted second search in the result image.
    Rgb refineColour;
    /// Centre marker of the first search ("." and "+").
    Rgb markerColour;
    /// Refined-centre marker: "." shape, "+" while showing found pixels, "+" showing centres.
    Rgb refinedDotColour;
    Rgb refinedCrossColourOnPixels;
    Rgb refinedCrossColourOnCentres;
    /// In the simple loop colour 1 adopts before its targeted search, colour 2 after it.
    bool adoptBeforeRefine;
};

/// The traits of slot 1 or 2.
const SlotTraits& slotTraits(SlotNumber slot);

/// Bounding box of the matching pixels of one frame. It starts as (W, H, 0, 0) — minX at the
/// frame width, minY at the frame height — which is also how "nothing matched" is recognised.
struct BoundingBox {
    int minX;
    int minY;
    int maxX = 0;
    int maxY = 0;
    BoundingBox(int width, int height) : minX(width), minY(height) {}
    void add(int x, int y);
    /// False when the box still holds its start values: no pixel matched.
    bool found(int width, int height) const {
        return !(minX == width && minY == height && maxX + maxY == 0);
    }
    /// Midpoint, each coordinate halved with truncation toward zero.
    int centreX() const { return (minX + maxX) / 2; }
    int centreY() const { return (minY + maxY) / 2; }
};

/// An inclusive rectangle of frame pixels; empty when left > right or top > bottom.
struct PixelWindow {
    long long left;
    long long top;
    long long right;
    long long bottom;
};

/// The sum of the chords' midpoints and their number.
struct ChordSum {
    long long sum = 0;
    long long count = 0;
};

/// The chords of the window along its rows (midpoints in x) or along its columns (midpoints in
/// y): a chord runs from the first to the last pixel of one row, or column, that `takes(x, y)`
/// accepts. `takes` is asked for every pixel of the window, row by row or column by column.
template <typename Takes>
ChordSum chords(const PixelWindow& win, bool alongRows, Takes takes) {
    ChordSum total;
    const long long outerFirst = alongRows ? win.top : win.left;
    const long long outerLast = alongRows ? win.bottom : win.right;
    const long long innerFirst = alongRows ? win.left : win.top;
    const long long innerLast = alongRows ? win.right : win.bottom;
    for (long long o = outerFirst; o <= outerLast; ++o) {
        long long lo = 0;
        long long hi = 0;
        bool hit = false;
        for (long long i = innerFirst; i <= innerLast; ++i) {
            if (!(alongRows ? takes(i, o) : takes(o, i))) continue;
            if (!hit) lo = i;
            hi = i;
            hit = true;
        }
        if (hit) {
            total.sum += (lo + hi) / 2;
            ++total.count;
        }
    }
    return total;
}

/// The first tolerance of a slot's settings as a search uses it (0 to 255).
std::uint8_t firstTolerance(const SlotSettings& settings);

/// What a whole-area scan paints into the result image.
struct ScanPainting {
    /// The image to paint into; nullptr paints nothing.
    RgbFrame* image = nullptr;
    /// The colour of every matching pixel.
    Rgb colour;
};

/// Full-area scan of the search area: rows y from top to bottom - 1, within each row x from
/// left to right - 1 (pixels outside the frame are not examined). Every matching pixel of
/// `match` widens the box (which starts at the frame size `size`) and is painted as `paint`
/// says.
/// `marks`, when given, receives every matching pixel too.
BoundingBox scanSearchArea(const SearchArea& area, FrameSize size, const RgbFrame& frame,
                           const ColourMatcher& match, ScanPainting paint,
                           MarkedRuns* marks = nullptr);

/// The run's buffer of marked pixels, emptied, when the slot's region options need it.
MarkedRuns* slotMarks(Run& run, SlotNumber slot);

/// Forgets what the region options remember of the slot's object, at the start of a run.
void forgetObject(SlotTrace& trace);

/// The whole-area scan of a slot with its working colour and tolerance, painting the matches
/// in the slot's found colour when "gefundene Bildpunkte" is on.
BoundingBox scanSlot(Run& run, SlotNumber slot);

/// A slot's centre of one frame.
struct FrameCentre {
    bool found = false;
    PixelPoint centre;
    PrecisePoint exact;
};

/// The centre of the scan just made: the middle of the box, or with "Zusammenhängend" or
/// "Subpixel" the centre of the run's marked pixels (the region nearest `predicted`, or the
/// last centre, in the later frames); a miss of the region options keeps the last centre.
FrameCentre frameCentre(Run& run, SlotNumber slot, const BoundingBox& box,
                        std::optional<PixelPoint> predicted);

/// Takes the box as the slot's new centre and notes in the frame's result whether the object
/// was found; a miss plays the error sound. The centre is frameCentre's.
void recordFound(Run& run, SlotNumber slot, const BoundingBox& box,
                 std::optional<PixelPoint> predicted = std::nullopt);

/// Centre marker of the first search at the slot's centre (`MittelpunktZeichnen`): one pixel
/// in the result image for ".", else a 5x5 cross in the result image, which the display window
/// shows as a white cross too.
void drawCentreMarker(Run& run, SlotNumber slot);

/// The same shapes at the slot's refined centre (`GenauenMittelpunktzeichnen`), in the
/// refined colours.
void drawRefinedMarker(Run& run, SlotNumber slot);

/// Targeted second search around the first centre (`gezieltesuche1` / `gezieltesuche2`):
/// 1. Remember the frame; brake pause; a stop request during it ends the call (no row).
/// 2. Window of half size h = object size / 2 around the first centre, rows and columns
///    from 1 up to the frame's last, then inside the search area (bounds inclusive).
/// 3. Row pass over the disc of radius h: refined x = mean of the horizontal chords' midpoints.
/// 4. No match: the question "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte
///    Weiterführung?"; No asks the run to stop; the previous refined centre stays.
/// 5. Column pass: refined y = mean of the vertical chords' midpoints.
/// 6. Row of the refined centre (an empty row after No), refined-centre marker.
void refineCentre(Run& run, SlotNumber slot);

/// Colour adoption (`Farbuebernahme1` / `Farbuebernahme2`): when the pixel at the first centre
/// matches the working colour with the first tolerance it becomes the working colour (the
/// events hear it, and the slot's colour then counts as assigned); otherwise MessageBeep type
/// 1 and the colour stays.
void adoptColour(Run& run, SlotNumber slot);

/// The first centre's table row for the frame shown, empty when the object was not found.
void writeCentreRow(Run& run, SlotNumber slot);

/// Reports the slot's result of the frame shown and clears it for the next frame.
void reportFrame(Run& run, SlotNumber slot);

}  // namespace zebak
