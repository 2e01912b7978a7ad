#include "Search.h"

#include <algorithm>

#include "FilmLoad.h"
#include "PositionTable.h"

namespace zebak {

namespace {

constexpr Rgb kRot{255, 0, 0};
constexpr Rgb kBlau{0, 0, 255};
constexpr Rgb kSchwarz{0, 0, 0};
constexpr Rgb kGrau{128, 128, 128};
constexpr Rgb kFuchsia{255, 0, 255};
constexpr Rgb kAqua{0, 255, 255};

constexpr const char* kZweitsucheFrage =
    "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte Weiterführung?";

const SlotTraits kTraits[2] = {
    {kRot, kSchwarz, kSchwarz, kSchwarz, kGrau, kSchwarz, true},
    {kBlau, kFuchsia, kRot, kRot, kRot, kRot, false},
};

/// Draws the "+" or "." marker of colour c at (cx, cy).
void drawMarker(ProgramState& state, DisplayFeedback& display, int cx, int cy, Rgb c) {
    RgbFrame& image = state.analyse.Suchergebnisbild;
    if (state.analyse.anzeige.punktMarker) {
        image.setPixel(cx, cy, c);
        return;
    }
    for (int x = cx - 2; x <= cx + 2; ++x) image.setPixel(x, cy, c);
    for (int y = cy - 2; y <= cy + 2; ++y) image.setPixel(cx, y, c);
    display.paintDisplayCross(cx, cy);
}

/// The targeted search's window around (cx, cy) with half size h: at least row/column 1,
/// at most the last row/column of the frame, then inside the search area (inclusive).
PixelWindow refineWindow(const ProgramState& state, const RgbFrame& frame, long long cx,
                         long long cy, long long h) {
    const long long w = state.Videobreite;
    const long long hgt = state.Videohoehe;
    PixelWindow win{cx - h, cy - h, cx + h, cy + h};
    if (win.top < 1) win.top = 1;
    if (win.bottom > hgt - 1) win.bottom = hgt - 1;
    if (win.left < 1) win.left = 1;
    if (win.right > w - 1) win.right = w - 1;
    win.top = std::max<long long>(win.top, state.SuchbereichOben);
    win.bottom = std::min<long long>(win.bottom, state.SuchbereichUnten);
    win.left = std::max<long long>(win.left, state.SuchbereichLinks);
    win.right = std::min<long long>(win.right, state.SuchbereichRechts);
    // Never beyond the pixels the frame holds.
    win.bottom = std::min<long long>(win.bottom, frame.height() - 1);
    win.right = std::min<long long>(win.right, frame.width() - 1);
    return win;
}

/// True when (x, y) lies in the closed disc of radius h around (cx, cy).
bool inDisc(long long x, long long y, long long cx, long long cy, long long h) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= h * h;
}

/// Result of one pass: the sum of the chords' midpoints and the number of chords.
struct ChordSum {
    long long sum = 0;
    long long count = 0;
};

/// Row pass: horizontal chords of matching pixels inside the disc; paints the disc (aqua) and
/// the matching pixels when the result display asks for them.
ChordSum rowPass(ProgramState& state, const RgbFrame& frame, const PixelWindow& win, long long cx,
                 long long cy, long long h, const ColourMatcher& match, SlotNumber slot) {
    const ResultDisplay& anzeige = state.analyse.anzeige;
    RgbFrame& image = state.analyse.Suchergebnisbild;
    ChordSum chords;
    for (long long y = win.top; y <= win.bottom; ++y) {
        const std::uint8_t* row = frame.row(static_cast<int>(y));
        long long rowMin = state.Videobreite;
        long long rowMax = 0;
        bool hit = false;
        for (long long x = win.left; x <= win.right; ++x) {
            if (!inDisc(x, y, cx, cy, h)) continue;
            const int xi = static_cast<int>(x);
            const int yi = static_cast<int>(y);
            if (anzeige.objektgroesse) image.setPixel(xi, yi, kAqua);
            if (!match.matches(row + 3 * x)) continue;
            if (anzeige.gefundeneBildpunkte) image.setPixel(xi, yi, slotTraits(slot).refineColour);
            rowMin = std::min(rowMin, x);
            rowMax = std::max(rowMax, x);
            hit = true;
        }
        if (hit) {
            chords.sum += (rowMin + rowMax) / 2;
            ++chords.count;
        }
    }
    return chords;
}

/// Column pass: vertical chords of matching pixels inside the disc; draws nothing.
ChordSum columnPass(const ProgramState& state, const RgbFrame& frame, const PixelWindow& win,
                    long long cx, long long cy, long long h, const ColourMatcher& match) {
    ChordSum chords;
    for (long long x = win.left; x <= win.right; ++x) {
        long long colMin = state.Videohoehe;
        long long colMax = 0;
        bool hit = false;
        for (long long y = win.top; y <= win.bottom; ++y) {
            if (!inDisc(x, y, cx, cy, h)) continue;
            if (!match.matches(frame.row(static_cast<int>(y)) + 3 * x)) continue;
            colMin = std::min(colMin, y);
            colMax = std::max(colMax, y);
            hit = true;
        }
        if (hit) {
            chords.sum += (colMin + colMax) / 2;
            ++chords.count;
        }
    }
    return chords;
}

/// The question after an empty row pass, with the windows hidden while it is open and the
/// film brought back to frame p afterwards. True when the user chose the faulty continuation.
bool askAfterMiss(ProgramState& state, FrameSource& frames, const AnalysisHost& host, int p) {
    const bool reduced = isReducedDisplay({state.Videobreite, state.Videohoehe});
    host.display.showResultWindow(false);
    if (reduced) host.display.showDisplayWindow(false);
    const DialogAnswer answer =
        host.dialogs.messageDialog(DialogKind::Warning, kZweitsucheFrage, DialogButtons::YesNo);
    if (answer == DialogAnswer::No) state.Abbruch = true;
    host.display.showResultWindow(true);
    host.dialogs.pause(10);
    frames.seek(p);
    if (reduced) {
        host.display.showDisplayWindow(true);
        host.dialogs.pause(10);
        frames.seek(p);
    }
    return answer != DialogAnswer::No;
}

}  // namespace

const SlotTraits& slotTraits(SlotNumber slot) { return kTraits[slot == 2 ? 1 : 0]; }

void BoundingBox::add(int x, int y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

std::uint8_t firstTolerance(const SearchSettings& settings) {
    return static_cast<std::uint8_t>(std::clamp(settings.FarbToleranz, 0, 255));
}

BoundingBox scanSearchArea(ProgramState& state, const RgbFrame& frame, SlotNumber slot) {
    const SlotState& s = state.slot(slot);
    const ColourMatcher match(s.Farbe, s.Toleranz);
    BoundingBox box(state.Videobreite, state.Videohoehe);
    const int x0 = std::max(state.SuchbereichLinks, 0);
    const int x1 = std::min(state.SuchbereichRechts, frame.width());
    const int y0 = std::max(state.SuchbereichOben, 0);
    const int y1 = std::min(state.SuchbereichUnten, frame.height());
    const Rgb colour = slotTraits(slot).foundColour;
    RgbFrame& image = state.analyse.Suchergebnisbild;
    // Found pixels go straight into the result image's rows when it has the frame's size.
    const bool draw = state.analyse.anzeige.gefundeneBildpunkte;
    const bool direct = image.width() == frame.width() && image.height() == frame.height();
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = frame.row(y);
        std::uint8_t* out = draw && direct ? image.row(y) : nullptr;
        int first = -1;
        int last = -1;
        for (int x = match.skipNonMatching(row, x0, x1), stop = std::min(x + 16, x1); x < x1; ++x) {
            if (x == stop) {
                // A run of 16 tested one by one is over: skip the next runs without a match.
                x = match.skipNonMatching(row, x, x1);
                stop = std::min(x + 16, x1);
                if (x == x1) break;
            }
            if (!match.matches(row + 3 * x)) continue;
            if (out) {
                out[3 * x] = colour.r;
                out[3 * x + 1] = colour.g;
                out[3 * x + 2] = colour.b;
            } else if (draw) {
                image.setPixel(x, y, colour);
            }
            if (first < 0) first = x;
            last = x;
        }
        // The row's extreme matches widen the box exactly as every single match would.
        if (first >= 0) {
            box.add(first, y);
            box.add(last, y);
        }
    }
    return box;
}

void setFoundIndicator(ProgramState& state, const AnalysisHost& host, bool found) {
    state.analyse.panel5 = found ? FoundIndicator::Found : FoundIndicator::NotFound;
    host.display.foundIndicatorChanged(state.analyse.panel5);
    if (!found) host.dialogs.playSound(SoundClip::Fehler);
}

void MittelpunktZeichnen(ProgramState& state, SlotNumber slot, DisplayFeedback& display) {
    const SlotState& s = state.slot(slot);
    drawMarker(state, display, s.MittelpunktX, s.MittelpunktY, slotTraits(slot).markerColour);
}

void GenauenMittelpunktzeichnen(ProgramState& state, SlotNumber slot, DisplayFeedback& display) {
    const SlotState& s = state.slot(slot);
    const SlotTraits& t = slotTraits(slot);
    const ResultDisplay& anzeige = state.analyse.anzeige;
    const Rgb colour = anzeige.punktMarker           ? t.refinedDotColour
                       : anzeige.gefundeneBildpunkte ? t.refinedCrossColourOnPixels
                                                     : t.refinedCrossColourOnCentres;
    drawMarker(state, display, s.GenauerMittelpunktX, s.GenauerMittelpunktY, colour);
}

void gezieltesuche(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                   SlotNumber slot) {
    const int p = frames.currentFrame();
    const SearchSettings& settings = state.settings(slot);
    const int t2 = settings.ZweitToleranz;
    host.dialogs.pause(state.analyse.anzeige.bremseMs);
    if (state.Abbruch) return;

    SlotState& s = state.slot(slot);
    const long long h = settings.Objektgroesse / 2;
    const long long cx = s.MittelpunktX;
    const long long cy = s.MittelpunktY;
    const ColourMatcher match(s.Farbe, t2);

    const PixelWindow win = refineWindow(state, frames.frame(), cx, cy, h);
    const ChordSum rows = rowPass(state, frames.frame(), win, cx, cy, h, match, slot);
    bool positioned = true;
    if (rows.count > 0)
        s.GenauerMittelpunktX = static_cast<int>(rows.sum / rows.count);
    else
        positioned = askAfterMiss(state, frames, host, p);

    const ChordSum columns = columnPass(state, frames.frame(), win, cx, cy, h, match);
    if (columns.count > 0) s.GenauerMittelpunktY = static_cast<int>(columns.sum / columns.count);

    // Refused as a faulty continuation, the frame has no position: the previous refined
    // centre (or the corner before any) is not recorded for it.
    if (positioned)
        Zeileinsmemo(state, slot, frames.currentFrame(), s.GenauerMittelpunktX,
                     s.GenauerMittelpunktY, host);
    else
        recordEmptyRow(state, slot, frames.currentFrame(), host);
    GenauenMittelpunktzeichnen(state, slot, host.display);
}

void Farbuebernahme(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                    SlotNumber slot) {
    SlotState& s = state.slot(slot);
    s.Toleranz = firstTolerance(state.settings(slot));
    const Rgb pixel = frames.frame().rgb(s.MittelpunktX, s.MittelpunktY);
    const bool adopt = FarbeInToleranz(pixel, s.Farbe, s.Toleranz);
    if (adopt)
        s.Farbe = pixel;
    else
        host.dialogs.messageBeep(1);
    if (adopt) s.zugewiesen = true;
    host.tables.workingColourChanged(slot, adopt);
    host.display.frameShown(frames.currentFrame());
}

}  // namespace zebak
