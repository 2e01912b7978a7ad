#include "Stroboscope.h"

#include <algorithm>
#include <optional>

#include "ColourMatch.h"
#include "Search.h"

namespace zebak {

namespace {

constexpr Rgb kWeiss{255, 255, 255};

constexpr const char* kStroboFrage =
    "Bei Zweitsuche keinen Punkt gefunden. Fehlerhafte Weiterführung?";

/// A centre in frame pixels.
using Point = PixelPoint;

/// Coarse centre: midpoint of the matching pixels' bounding box over the whole search area,
/// the frame's middle when nothing matched (with the region options: the region's centre, the
/// last one when nothing matched). Nothing is drawn.
Point coarseCentre(Run& run, const RgbFrame& frame, SlotNumber slot) {
    const SlotTrace& s = run.trace(slot);
    const BoundingBox box =
        scanSearchArea(run.job.area, run.job.size, frame,
                       ColourMatcher(s.workingColour, s.tolerance), {}, slotMarks(run, slot));
    return frameCentre(run, slot, box, std::nullopt).centre;
}

/// Inclusive box of half-size `half` around c, kept within rows and columns 1 .. size - 1.
PixelWindow boxAround(FrameSize size, Point c, long long half) {
    return {std::max<long long>(c.x - half, 1), std::max<long long>(c.y - half, 1),
            std::min<long long>(c.x + half, size.width - 1),
            std::min<long long>(c.y + half, size.height - 1)};
}

/// Refined centre (gezielteSuche3 / gezielteSuche4): row and column midpoints of the matching
/// pixels on the circle of radius D/2 around the coarse centre, averaged. Empty when no pixel
/// matched.
std::optional<Point> refinedCentre(Run& run, const RgbFrame& frame, SlotNumber slot, Point coarse) {
    const SlotSettings& settings = run.settings(slot);
    const long long r = settings.objectSizePx / 2;
    const PixelWindow win = boxAround(run.job.size, coarse, r);
    const ColourMatcher match(run.trace(slot).workingColour, settings.refineTolerance);
    auto takesPart = [&](long long x, long long y) {
        const long long dx = x - coarse.x;
        const long long dy = y - coarse.y;
        return frame.contains(static_cast<int>(x), static_cast<int>(y)) &&
               dx * dx + dy * dy <= r * r && match.matches(frame.rgb(int(x), int(y)));
    };
    const ChordSum rows = chords(win, true, takesPart);
    const ChordSum columns = chords(win, false, takesPart);
    if (rows.count == 0) return std::nullopt;
    return Point{static_cast<int>(rows.sum / rows.count),
                 static_cast<int>(columns.sum / columns.count)};
}

/// Paste mode: the white rim of radius D/2 + 1 (with "Mit Rand?"), then the frame's pixels
/// closer than W/2 to the centre, both within the drawing box.
void pasteObject(RgbFrame& image, const RgbFrame& frame, const PixelWindow& box, Point c,
                 long long d, long long w, bool rim) {
    const long long rimR = d / 2 + 1;
    const long long pasteR = w / 2;
    for (long long y = box.top; y <= box.bottom; ++y) {
        for (long long x = box.left; x <= box.right; ++x) {
            const long long d2 = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
            const int xi = static_cast<int>(x);
            const int yi = static_cast<int>(y);
            if (rim && d2 < rimR * rimR) image.setPixel(xi, yi, kWeiss);
            if (d2 < pasteR * pasteR) image.setPixel(xi, yi, frame.rgb(xi, yi));
        }
    }
}

/// Draws one position at c into the result image, in circle or paste mode.
void drawPosition(Run& run, const RgbFrame& frame, SlotNumber slot, Point c,
                  const StroboOptions& options) {
    const SlotSettings& settings = run.settings(slot);
    const int half = settings.objectSizePx / 2;
    RgbFrame& image = run.image();
    if (options.plainCircles) {
        const Rgb fill = options.centreColour ? frame.rgb(c.x, c.y)
                         : slot == 1          ? Rgb{255, 0, 0}
                                              : Rgb{0, 0, 255};
        drawFilledEllipse(image, c.x - half, c.y - half, c.x + half, c.y + half,
                          options.withRim ? kWeiss : fill, fill);
        return;
    }
    pasteObject(image, frame, boxAround(run.job.size, c, half), c, settings.objectSizePx,
                settings.deviationPx, options.withRim);
}

/// Colour following: the pixel at the centre becomes the working colour when it matches it,
/// otherwise a beep.
void followColour(SlotTrace& s, const RgbFrame& frame, Point c, UserDialogs& dialogs) {
    const Rgb here = frame.rgb(c.x, c.y);
    if (frame.contains(c.x, c.y) && colourMatches(here, s.workingColour, s.tolerance)) {
        s.workingColour = here;
    } else {
        dialogs.messageBeep(0);
    }
}

bool insideEllipse(long long x, long long y, long long cx2, long long cy2, long long w,
                   long long h) {
    // Pixel centre (x + 0.5, y + 0.5) against the ellipse with centre (cx2 / 2, cy2 / 2) and
    // axes w and h, all doubled so the test stays in integers.
    const long long dx = 2 * x + 1 - cx2;
    const long long dy = 2 * y + 1 - cy2;
    // Exact in integers for axes up to 2^14 (every product stays below 2^60); beyond that
    // they would overflow, and a long double is fine enough for an outline of that size.
    constexpr long long kAxis = 1LL << 14;
    constexpr long long kOffset = 2 * kAxis;
    if (w <= kAxis && h <= kAxis && dx <= kOffset && dx >= -kOffset && dy <= kOffset &&
        dy >= -kOffset)
        return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
    const long double ex = static_cast<long double>(dx) / static_cast<long double>(w);
    const long double ey = static_cast<long double>(dy) / static_cast<long double>(h);
    return ex * ex + ey * ey <= 1.0L;
}

}  // namespace

void drawFilledEllipse(RgbFrame& image, int left, int top, int right, int bottom, Rgb pen,
                       Rgb brush) {
    const long long w = right - left;
    const long long h = bottom - top;
    if (w <= 0 || h <= 0) return;
    const long long cx2 = static_cast<long long>(left) + right;
    const long long cy2 = static_cast<long long>(top) + bottom;
    auto inside = [&](long long x, long long y) {
        return x >= left && x < right && y >= top && y < bottom &&
               insideEllipse(x, y, cx2, cy2, w, h);
    };
    // Only what falls inside the picture is drawn, so any object size costs no more than
    // the picture's own size.
    const long long firstRow = std::max<long long>(top, 0);
    const long long endRow = std::min<long long>(bottom, image.height());
    const long long firstColumn = std::max<long long>(left, 0);
    const long long endColumn = std::min<long long>(right, image.width());
    for (long long y = firstRow; y < endRow; ++y) {
        for (long long x = firstColumn; x < endColumn; ++x) {
            if (!inside(x, y)) continue;
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            image.setPixel(static_cast<int>(x), static_cast<int>(y), edge ? pen : brush);
        }
    }
}

namespace {

/// The frame loop of one colour (`StroboF1` / `StroboF2`); returns the frames drawn.
int strobeSlot(Run& run, SlotNumber slot, const StroboOptions& options) {
    run.ports.control.stopRequested = false;
    SlotTrace& s = run.trace(slot);
    s.tolerance = firstTolerance(run.settings(slot));
    forgetObject(s);
    const int first = run.job.range.start;
    // An end bar at the frame count stands for the last frame; the bar itself stays.
    const int last = std::min(run.job.range.end, run.frames.frameCount() - 1);
    std::optional<Point> centre;
    int drawn = 0;
    for (int p = first; p <= last; ++p) {
        run.frames.seek(p);
        const RgbFrame& frame = run.frames.frame();
        const Point coarse = coarseCentre(run, frame, slot);
        s.centre = coarse;
        if (const auto refined = refinedCentre(run, frame, slot, coarse)) {
            centre = refined;
        } else {
            const DialogAnswer answer = run.ports.dialogs.messageDialog(
                DialogKind::Warning, kStroboFrage, DialogButtons::YesNo);
            if (answer == DialogAnswer::No) run.requestStop();
            if (!centre) centre = coarse;
        }
        drawPosition(run, frame, slot, *centre, options);
        followColour(s, frame, *centre, run.ports.dialogs);
        run.ports.events.colourAdopted(slot, true);
        run.ports.events.frameShown(run.frames.currentFrame());
        run.result(slot).found = true;
        run.result(slot).centre = *centre;
        reportFrame(run, slot);
        run.pause(0);
        ++drawn;
        if (run.stopRequested()) break;
    }
    return drawn;
}

}  // namespace

int buildStroboscope(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports,
                     const StroboOptions& options) {
    Run run{job, out, frames, ports};
    RgbFrame& image = run.image();
    image = RgbFrame(job.size.width, job.size.height);
    image.fill(kWeiss);
    // The background is the frame now shown, decoded afresh at analysis size.
    frames.seek(frames.currentFrame());
    const RgbFrame& background = frames.frame();
    for (int y = 0; y < std::min(image.height(), background.height()); ++y) {
        for (int x = 0; x < std::min(image.width(), background.width()); ++x) {
            image.setPixel(x, y, background.rgb(x, y));
        }
    }
    ports.events.started(RunKind::Stroboscope, job);
    int drawn = 0;
    for (SlotNumber slot : {1, 2}) {
        if (!job.slot(slot).analysed) continue;
        run.trace(slot).workingColour = job.slot(slot).colour.picked;
        drawn += strobeSlot(run, slot, options);
    }
    ports.events.finished(RunKind::Stroboscope,
                          ports.control.stopRequested ? RunStatus::Stopped : RunStatus::Completed);
    return drawn;
}

}  // namespace zebak
