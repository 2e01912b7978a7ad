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

/// Draws the "+" or "." marker of colour c at (cx, cy); the "+" shows on the display window.
void drawMarker(Run& run, SlotNumber slot, PixelPoint c, Rgb colour) {
    RgbFrame& image = run.image();
    if (run.display().dotMarker) {
        image.setPixel(c.x, c.y, colour);
        return;
    }
    for (int x = c.x - 2; x <= c.x + 2; ++x) image.setPixel(x, c.y, colour);
    for (int y = c.y - 2; y <= c.y + 2; ++y) image.setPixel(c.x, y, colour);
    run.result(slot).cross = c;
}

/// The targeted search's window around (cx, cy) with half size h: at least row/column 1,
/// at most the last row/column of the frame, then inside the search area (inclusive).
PixelWindow refineWindow(const AnalysisJob& job, const RgbFrame& frame, long long cx, long long cy,
                         long long h) {
    const long long w = job.size.width;
    const long long hgt = job.size.height;
    PixelWindow win{cx - h, cy - h, cx + h, cy + h};
    if (win.top < 1) win.top = 1;
    if (win.bottom > hgt - 1) win.bottom = hgt - 1;
    if (win.left < 1) win.left = 1;
    if (win.right > w - 1) win.right = w - 1;
    win.top = std::max<long long>(win.top, job.area.top);
    win.bottom = std::min<long long>(win.bottom, job.area.bottom);
    win.left = std::max<long long>(win.left, job.area.left);
    win.right = std::min<long long>(win.right, job.area.right);
    // Never beyond the pixels the frame holds.
    win.bottom = std::min<long long>(win.bottom, frame.height() - 1);
    win.right = std::min<long long>(win.right, frame.width() - 1);
    return win;
}

/// True when (x, y) lies in the closed disc of radius h around (cx, cy).
bool inDisc(long long x, long long y, long long cx, long long cy, long long h) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= h * h;
}

/// Row pass: horizontal chords of matching pixels inside the disc; paints the disc (aqua) and
/// the matching pixels when the result display asks for them.
ChordSum rowPass(Run& run, const RgbFrame& frame, const PixelWindow& win, long long cx,
                 long long cy, long long h, const ColourMatcher& match, SlotNumber slot) {
    const ResultDisplay& display = run.display();
    RgbFrame& image = run.image();
    const Rgb found = slotTraits(slot).refineColour;
    return chords(win, true, [&](long long x, long long y) {
        if (!inDisc(x, y, cx, cy, h)) return false;
        const int xi = static_cast<int>(x);
        const int yi = static_cast<int>(y);
        if (display.showObjectSize) image.setPixel(xi, yi, kAqua);
        if (!match.matches(frame.row(yi) + 3 * x)) return false;
        if (display.showFoundPixels) image.setPixel(xi, yi, found);
        return true;
    });
}

/// Column pass: vertical chords of matching pixels inside the disc; draws nothing.
ChordSum columnPass(const RgbFrame& frame, const PixelWindow& win, long long cx, long long cy,
                    long long h, const ColourMatcher& match) {
    return chords(win, false, [&](long long x, long long y) {
        return inDisc(x, y, cx, cy, h) && match.matches(frame.row(static_cast<int>(y)) + 3 * x);
    });
}

/// The question after an empty row pass, with the windows stepping aside while it is open and
/// the film brought back to frame p afterwards. True when the user chose the faulty
/// continuation; No asks the run to stop.
bool askAfterMiss(Run& run, int p) {
    const bool reduced = isReducedDisplay(run.job.size);
    run.ports.events.questionOpen(true);
    const DialogAnswer answer = run.ports.dialogs.messageDialog(
        DialogKind::Warning, kZweitsucheFrage, DialogButtons::YesNo);
    if (answer == DialogAnswer::No) run.requestStop();
    run.ports.events.questionOpen(false);
    run.pause(10);
    run.frames.seek(p);
    if (reduced) {
        run.pause(10);
        run.frames.seek(p);
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

std::uint8_t firstTolerance(const SlotSettings& settings) {
    return static_cast<std::uint8_t>(std::clamp(settings.tolerance, 0, 255));
}

BoundingBox scanSearchArea(const SearchArea& area, FrameSize size, const RgbFrame& frame,
                           const ColourMatcher& match, ScanPainting paint, MarkedRuns* marks) {
    BoundingBox box(size.width, size.height);
    const int x0 = std::max(area.left, 0);
    const int x1 = std::min(area.right, frame.width());
    const int y0 = std::max(area.top, 0);
    const int y1 = std::min(area.bottom, frame.height());
    const Rgb colour = paint.colour;
    RgbFrame* image = paint.image;
    // Found pixels go straight into the result image's rows when it has the frame's size.
    const bool direct =
        image && image->width() == frame.width() && image->height() == frame.height();
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = frame.row(y);
        std::uint8_t* out = direct ? image->row(y) : nullptr;
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
            if (marks) marks->add(x, y);
            if (out) {
                out[3 * x] = colour.r;
                out[3 * x + 1] = colour.g;
                out[3 * x + 2] = colour.b;
            } else if (image) {
                image->setPixel(x, y, colour);
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

MarkedRuns* slotMarks(Run& run, SlotNumber slot) {
    if (!run.settings(slot).usesRegions()) return nullptr;
    run.marks.clear();
    return &run.marks;
}

void forgetObject(SlotTrace& trace) {
    trace.objectPixels = 0;
    trace.lost = false;
    trace.objectStep = {};
}

BoundingBox scanSlot(Run& run, SlotNumber slot) {
    const SlotTrace& t = run.trace(slot);
    const ScanPainting paint{
        run.display().showFoundPixels && !run.image().empty() ? &run.image() : nullptr,
        slotTraits(slot).foundColour};
    const SearchArea& area = run.job.area;
    // Only the area's rows are read, so only they need the frame's pixels.
    const RgbFrame& frame =
        run.frames.rows(std::max(area.top, 0), std::min(area.bottom, run.frames.height()) - 1);
    return scanSearchArea(area, run.job.size, frame, ColourMatcher(t.workingColour, t.tolerance),
                          paint, slotMarks(run, slot));
}

FrameCentre frameCentre(Run& run, SlotNumber slot, const BoundingBox& box,
                        std::optional<PixelPoint> predicted) {
    SlotTrace& t = run.trace(slot);
    const SlotSettings& settings = run.settings(slot);
    if (!settings.usesRegions()) {
        const PixelPoint c{box.centreX(), box.centreY()};
        return {box.found(run.job.size.width, run.job.size.height), c,
                PrecisePoint{static_cast<double>(c.x), static_cast<double>(c.y)}};
    }
    const ColourSlot& colour = run.job.slot(slot).colour;
    const auto c = regionCentre(
        settings.connected, settings.subpixel, run.marks.runs(),
        colour.pickedAtKnown ? std::optional(colour.pickedAt) : std::nullopt,
        predicted.value_or(PixelPoint{t.centre.x + t.objectStep.x, t.centre.y + t.objectStep.y}),
        t);
    if (!c) return {false, t.centre, t.exactCentre};
    return {true, c->centre, c->exact};
}

void recordFound(Run& run, SlotNumber slot, const BoundingBox& box,
                 std::optional<PixelPoint> predicted) {
    SlotTrace& t = run.trace(slot);
    const FrameCentre c = frameCentre(run, slot, box, predicted);
    t.centre = c.centre;
    t.exactCentre = c.exact;
    const bool found = c.found;
    FrameResult& r = run.result(slot);
    r.found = found;
    r.centre = t.centre;
    if (!found) run.ports.dialogs.playSound(SoundClip::Error);
}

void drawCentreMarker(Run& run, SlotNumber slot) {
    drawMarker(run, slot, run.trace(slot).centre, slotTraits(slot).markerColour);
}

void drawRefinedMarker(Run& run, SlotNumber slot) {
    const SlotTraits& t = slotTraits(slot);
    const ResultDisplay& display = run.display();
    const Rgb colour = display.dotMarker         ? t.refinedDotColour
                       : display.showFoundPixels ? t.refinedCrossColourOnPixels
                                                 : t.refinedCrossColourOnCentres;
    drawMarker(run, slot, run.trace(slot).refinedCentre, colour);
}

void writeCentreRow(Run& run, SlotNumber slot) {
    const FrameResult& r = run.result(slot);
    if (run.settings(slot).subpixel) {
        writeExactRow(run.track(slot), slot, run.job, run.frames.currentFrame(),
                      r.found ? std::optional(run.trace(slot).exactCentre) : std::nullopt,
                      run.ports.events, run.ports.dialogs);
        return;
    }
    writePositionRow(run.track(slot), slot, run.job, run.frames.currentFrame(),
                     r.found ? std::optional(run.trace(slot).centre) : std::nullopt,
                     run.ports.events, run.ports.dialogs);
}

void reportFrame(Run& run, SlotNumber slot) {
    run.ports.events.frameAnalysed(slot, run.frames.currentFrame(), run.result(slot));
    run.result(slot) = FrameResult{};
}

void refineCentre(Run& run, SlotNumber slot) {
    const int p = run.frames.currentFrame();
    const SlotSettings& settings = run.settings(slot);
    const int t2 = settings.refineTolerance;
    run.pause(run.display().brakeMs);
    if (run.stopRequested()) return;

    SlotTrace& s = run.trace(slot);
    const long long h = settings.objectSizePx / 2;
    const long long cx = s.centre.x;
    const long long cy = s.centre.y;
    const ColourMatcher match(s.workingColour, t2);

    // The window's rows of the frame are all the second search reads.
    const auto clampRow = [&](long long y) {
        return static_cast<int>(std::clamp<long long>(y, -1, run.frames.height()));
    };
    const RgbFrame& frame = run.frames.rows(clampRow(cy - h), clampRow(cy + h));
    const PixelWindow win = refineWindow(run.job, frame, cx, cy, h);
    const ChordSum rows = rowPass(run, frame, win, cx, cy, h, match, slot);
    bool positioned = true;
    if (rows.count > 0)
        s.refinedCentre.x = static_cast<int>(rows.sum / rows.count);
    else
        positioned = askAfterMiss(run, p);

    const ChordSum columns =
        columnPass(run.frames.rows(clampRow(cy - h), clampRow(cy + h)), win, cx, cy, h, match);
    if (columns.count > 0) s.refinedCentre.y = static_cast<int>(columns.sum / columns.count);

    // Refused as a faulty continuation, the frame has no position: the previous refined
    // centre (or the corner before any) is not recorded for it. A row written while the
    // first search found nothing is empty, as every row of a lost object.
    FrameResult& r = run.result(slot);
    r.refinedCentre = s.refinedCentre;
    const bool written = positioned && r.found;
    writePositionRow(run.track(slot), slot, run.job, run.frames.currentFrame(),
                     written ? std::optional(s.refinedCentre) : std::nullopt, run.ports.events,
                     run.ports.dialogs);
    drawRefinedMarker(run, slot);
}

void adoptColour(Run& run, SlotNumber slot) {
    SlotTrace& s = run.trace(slot);
    s.tolerance = firstTolerance(run.settings(slot));
    const Rgb pixel = run.frames.rows(s.centre.y, s.centre.y).rgb(s.centre.x, s.centre.y);
    const bool adopt = colourMatches(pixel, s.workingColour, s.tolerance);
    if (adopt)
        s.workingColour = pixel;
    else
        run.ports.dialogs.messageBeep(1);
    run.ports.events.colourAdopted(slot, adopt);
    run.ports.events.frameShown(run.frames.currentFrame());
}

}  // namespace zebak
