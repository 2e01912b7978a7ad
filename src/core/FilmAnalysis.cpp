#include "FilmAnalysis.h"

#include <algorithm>

#include "PositionTable.h"
#include "Search.h"

namespace zebak {

namespace {

/// Shows frame n and lets the position bar follow.
void showFrame(Run& run, int n) {
    run.frames.seek(n);
    run.ports.events.frameShown(run.frames.currentFrame());
}

/// The last frame a pass may analyse: the range end, but never beyond the film's last frame
/// (the bars reach the frame count, which is no frame), so no row is written for a frame the
/// film does not have.
int lastAnalysedFrame(const Run& run) {
    return std::min(run.job.range.end, run.frames.frameCount() - 1);
}

/// An end bar standing at the frame count moves back to the last frame, but, like every move
/// of the end bar, not below the start bar.
void pullBackEndBar(Run& run) {
    FrameRange& range = run.job.range;
    if (run.frames.frameCount() != range.end) return;
    const int last = std::max(run.frames.frameCount() - 1, range.start);
    if (last == range.end) return;
    range.end = last;
    run.ports.events.rangeChanged(range);
}

/// Takes the frame's bounding box as the new centre (the old one becomes the previous
/// centre) and notes whether the object was found.
void recordCentre(Run& run, SlotNumber slot, const BoundingBox& box, PixelPoint& previous,
                  std::optional<PixelPoint> predicted = std::nullopt) {
    previous = run.trace(slot).centre;
    recordFound(run, slot, box, predicted);
}

/// Disc scan around the predicted position (px, py) with radius r: window clipped to rows and
/// columns 1 .. size - 1 and to the search area, all bounds inclusive.
BoundingBox scanDisc(Run& run, SlotNumber slot, long long px, long long py, long long r) {
    const AnalysisJob& job = run.job;
    const long long w = job.size.width;
    const long long h = job.size.height;
    const long long left = std::max({px - r, 1LL, static_cast<long long>(job.area.left)});
    const long long top = std::max({py - r, 1LL, static_cast<long long>(job.area.top)});
    long long right = std::min({px + r, w - 1, static_cast<long long>(job.area.right)});
    long long bottom = std::min({py + r, h - 1, static_cast<long long>(job.area.bottom)});
    // Only the disc's rows of the frame are read, so only they need the frame's pixels.
    const RgbFrame& frame = run.frames.rows(static_cast<int>(std::clamp(top, 0LL, h)),
                                            static_cast<int>(std::clamp(bottom, -1LL, h)));
    right = std::min<long long>(right, frame.width() - 1);
    bottom = std::min<long long>(bottom, frame.height() - 1);

    const SlotTrace& s = run.trace(slot);
    const ColourMatcher match(s.workingColour, s.tolerance);
    const ResultDisplay& display = run.display();
    RgbFrame& image = run.image();
    const Rgb colour = slotTraits(slot).foundColour;
    MarkedRuns* marks = slotMarks(run, slot);
    const long long r2 = r * r;
    BoundingBox box(job.size.width, job.size.height);
    for (long long y = top; y <= bottom; ++y) {
        const std::uint8_t* row = frame.row(static_cast<int>(y));
        const long long dy2 = (y - py) * (y - py);
        for (long long x = left; x <= right; ++x) {
            if ((x - px) * (x - px) + dy2 > r2) continue;
            const int xi = static_cast<int>(x);
            const int yi = static_cast<int>(y);
            if (display.showDeviation) image.setPixel(xi, yi, Rgb{255, 255, 0});
            if (!match.matches(row + 3 * x)) continue;
            if (display.showFoundPixels) image.setPixel(xi, yi, colour);
            box.add(xi, yi);
            if (marks) marks->add(xi, yi);
        }
    }
    return box;
}

/// The first two frames of a predicted-position pass: full scan, centre, targeted search or
/// marker, pause, then the row (when there is no targeted search). Stop requests are not
/// checked. Returns whether the object was found.
bool initialFrame(Run& run, SlotNumber slot, int n, PixelPoint& previous) {
    showFrame(run, n);
    const BoundingBox box = scanSlot(run, slot);
    recordCentre(run, slot, box, previous);
    const bool found = run.result(slot).found;
    if (run.settings(slot).refine)
        refineCentre(run, slot);
    else
        drawCentreMarker(run, slot);
    reportFrame(run, slot);
    run.pause(run.display().brakeMs);
    if (!run.settings(slot).refine) {
        run.result(slot).found = found;
        writeCentreRow(run, slot);
    }
    return found;
}

/// What became of a tracked frame.
enum class Tracked { Continue, Stop, Lost };

/// A frame after the first two. With "Objekt wiedersuchen", a disc that finds nothing is
/// followed by a search of the whole area; the object found there restarts the prediction
/// with a step of zero, and an object not found there either is lost.
Tracked trackedFrame(Run& run, SlotNumber slot, int n, PixelPoint& previous) {
    showFrame(run, n);
    const PixelPoint c = run.trace(slot).centre;
    const long long px = 2LL * c.x - previous.x;
    const long long py = 2LL * c.y - previous.y;
    BoundingBox box = scanDisc(run, slot, px, py, run.settings(slot).deviationPx);
    const FrameSize size = run.job.size;
    const bool reacquire = run.settings(slot).reacquire && !box.found(size.width, size.height);
    if (reacquire) {
        // The whole area is searched again for the object last seen.
        if (run.trace(slot).objectPixels > 0) run.trace(slot).lost = true;
        box = scanSlot(run, slot);
    }
    if (run.stopRequested()) return Tracked::Stop;
    recordCentre(run, slot, box, previous, PixelPoint{static_cast<int>(px), static_cast<int>(py)});
    const bool found = run.result(slot).found;
    if (reacquire && found) previous = run.trace(slot).centre;
    const SlotSettings& settings = run.settings(slot);
    if (!settings.refine) writeCentreRow(run, slot);
    if (settings.refine) refineCentre(run, slot);
    if (settings.adoptColour) adoptColour(run, slot);
    if (!settings.refine) drawCentreMarker(run, slot);
    reportFrame(run, slot);
    run.pause(run.display().brakeMs);
    if (run.stopRequested()) return Tracked::Stop;
    return reacquire && !found ? Tracked::Lost : Tracked::Continue;
}

/// The predicted-position pass with "Objekt wiedersuchen": frames are searched whole until
/// the object is found; found in the first two frames, it is predicted from both as
/// written, found later, afresh from that frame alone (step zero). A tracked frame that
/// loses it sends the pass back to searching whole frames.
void reacquiringPass(Run& run, SlotNumber slot) {
    const int s = run.job.range.start;
    PixelPoint previous;
    bool predicting = false;
    bool foundBefore = false;  // the frame before was found by a whole-area search
    pullBackEndBar(run);
    for (int n = s; n <= lastAnalysedFrame(run); ++n) {
        if (predicting) {
            const Tracked t = trackedFrame(run, slot, n, previous);
            if (t == Tracked::Stop) break;
            predicting = t == Tracked::Continue;
            foundBefore = false;
            continue;
        }
        const bool found = initialFrame(run, slot, n, previous);
        if (found && n > s && !(n == s + 1 && foundBefore)) previous = run.trace(slot).centre;
        predicting = found && n > s;
        foundBefore = found;
        if (n > s + 1 && run.stopRequested()) break;
    }
}

/// Draws the search result image afresh: the frame's size, white, or the current frame as its
/// background with "Hintergrund".
void prepareResultImage(Run& run) {
    RgbFrame& image = run.image();
    // The old picture goes first, so two never take memory at once (100 MB each at 8K).
    image = RgbFrame();
    if (!run.out.drawsImage) return;
    image = RgbFrame(run.job.size.width, run.job.size.height);
    image.fill(Rgb{255, 255, 255});
    if (!run.display().background) return;
    const RgbFrame& frame = run.frames.frame();
    if (frame.width() == image.width() && frame.height() == image.height()) {
        image = frame;
        return;
    }
    for (int y = 0; y < std::min(frame.height(), image.height()); ++y)
        for (int x = 0; x < std::min(frame.width(), image.width()); ++x)
            image.setPixel(x, y, frame.rgb(x, y));
}

/// Runs the pass of a slot from its picked colour in the slot's search mode.
void runSlot(Run& run, SlotNumber slot) {
    run.trace(slot).workingColour = run.job.slot(slot).colour.picked;
    forgetObject(run.trace(slot));
    if (run.settings(slot).mode == SearchMode::Predicted)
        runPredictedSearch(run, slot);
    else
        runSimpleSearch(run, slot);
}

/// Still-frame scan of one slot: matching pixels in their own colour, or the centre marker.
void stillFrameSlot(Run& run, SlotNumber slot) {
    SlotTrace& s = run.trace(slot);
    s.workingColour = run.job.slot(slot).colour.picked;
    forgetObject(s);
    MarkedRuns* marks = slotMarks(run, slot);
    const RgbFrame& frame = run.frames.frame();
    const ColourMatcher match(s.workingColour, s.tolerance);
    const bool paintPixels = run.display().showFoundPixels;
    BoundingBox box(run.job.size.width, run.job.size.height);
    RgbFrame& image = run.image();
    const SearchArea& area = run.job.area;
    const int x0 = std::max(area.left, 0);
    const int x1 = std::min(area.right, frame.width());
    const int y0 = std::max(area.top, 0);
    const int y1 = std::min(area.bottom, frame.height());
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = frame.row(y);
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = row + 3 * x;
            if (!match.matches(p)) continue;
            if (paintPixels)
                image.setPixel(x, y, Rgb{p[0], p[1], p[2]});
            else
                box.add(x, y);
            if (marks) marks->add(x, y);
        }
    }
    if (!paintPixels) {
        const FrameCentre c = frameCentre(run, slot, box, std::nullopt);
        s.centre = c.centre;
        s.exactCentre = c.exact;
        run.result(slot).centre = s.centre;
        run.result(slot).found = c.found;
        drawCentreMarker(run, slot);
    }
    reportFrame(run, slot);
}

/// The message and status of a slot to be analysed whose colour has not been picked.
std::optional<RunStatus> missingColour(const AnalysisJob& job, UserDialogs& dialogs) {
    if (job.slot(1).analysed && !job.slot(1).colour.assigned) {
        dialogs.showMessage(kKeineFarbe1);
        return RunStatus::ColourMissing1;
    }
    if (job.slot(2).analysed && !job.slot(2).colour.assigned) {
        dialogs.showMessage(kKeineFarbe2);
        return RunStatus::ColourMissing2;
    }
    return std::nullopt;
}

}  // namespace

void runSimpleSearch(Run& run, SlotNumber slot) {
    run.ports.control.stopRequested = false;
    pullBackEndBar(run);
    const int first = run.job.range.start;
    PixelPoint previous;
    for (int f = first; f <= lastAnalysedFrame(run); ++f) {
        run.trace(slot).tolerance = firstTolerance(run.settings(slot));
        showFrame(run, f);
        const BoundingBox box = scanSlot(run, slot);
        recordCentre(run, slot, box, previous);

        const SlotSettings& settings = run.settings(slot);
        const bool adoptFirst = slotTraits(slot).adoptBeforeRefine;
        if (adoptFirst && settings.adoptColour) adoptColour(run, slot);
        if (settings.refine) refineCentre(run, slot);
        if (!adoptFirst && settings.adoptColour) adoptColour(run, slot);
        if (!settings.refine) {
            drawCentreMarker(run, slot);
            writeCentreRow(run, slot);
        }
        reportFrame(run, slot);
        run.pause(run.display().brakeMs);
        if (run.stopRequested()) break;
    }
}

void runPredictedSearch(Run& run, SlotNumber slot) {
    run.ports.control.stopRequested = false;
    run.trace(slot).tolerance = firstTolerance(run.settings(slot));
    if (run.settings(slot).reacquire) {
        reacquiringPass(run, slot);
        return;
    }
    PixelPoint previous;
    const int s = run.job.range.start;
    // Both first frames are analysed even when s + 1 lies beyond the range end, but only
    // frames the film has.
    for (int n = s; n <= s + 1 && n < run.frames.frameCount(); ++n)
        initialFrame(run, slot, n, previous);
    pullBackEndBar(run);
    for (int n = s + 2; n <= lastAnalysedFrame(run); ++n)
        if (trackedFrame(run, slot, n, previous) == Tracked::Stop) break;
}

RunStatus analyseFilm(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports) {
    if (const auto missing = missingColour(job, ports.dialogs)) {
        ports.events.finished(RunKind::FilmAnalysis, *missing);
        return *missing;
    }
    Run run{job, out, frames, ports};
    ports.control.stopRequested = false;
    resetTracks(out.tracks);
    prepareResultImage(run);
    ports.events.started(RunKind::FilmAnalysis, job);
    for (SlotNumber slot : {1, 2})
        if (job.slot(slot).analysed) runSlot(run, slot);
    const RunStatus status =
        ports.control.stopRequested ? RunStatus::Stopped : RunStatus::Completed;
    ports.events.finished(RunKind::FilmAnalysis, status);
    return status;
}

RunStatus analyseFrame(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports) {
    Run run{job, out, frames, ports};
    const int p = frames.currentFrame();
    for (SlotNumber slot : {1, 2}) run.trace(slot).tolerance = firstTolerance(run.settings(slot));
    RgbFrame& image = run.image();
    image = RgbFrame(job.size.width, job.size.height);
    image.fill(Rgb{255, 255, 255});
    ports.events.started(RunKind::StillFrame, job);
    showFrame(run, p);
    for (SlotNumber slot : {1, 2})
        if (job.slot(slot).analysed) stillFrameSlot(run, slot);
    ports.events.finished(RunKind::StillFrame, RunStatus::Completed);
    run.pause(10);
    showFrame(run, p);
    return RunStatus::Completed;
}

}  // namespace zebak
