#include "FilmAnalysis.h"

#include <algorithm>

#include "PositionTable.h"
#include "Search.h"

namespace zebak {

namespace {

/// Shows frame n and lets the position bar follow.
void showFrame(FrameSource& frames, const AnalysisHost& host, int n) {
    frames.seek(n);
    host.display.frameShown(frames.currentFrame());
}

/// The last frame a pass may analyse: the sequence end, but never beyond the film's last
/// frame (the bars reach the frame count, which is no frame), so no row is written for a
/// frame the film does not have.
int lastAnalysedFrame(const ProgramState& state, const FrameSource& frames) {
    return std::min(state.analyse.sequenceEnd, frames.frameCount() - 1);
}

/// An end bar standing at the frame count moves back to the last frame, but, like every move
/// of the end bar, not below the start bar.
void pullBackEndBar(ProgramState& state, const FrameSource& frames, const AnalysisHost& host) {
    if (frames.frameCount() != state.analyse.sequenceEnd) return;
    const int last = std::max(frames.frameCount() - 1, state.analyse.sequenceStart);
    if (last == state.analyse.sequenceEnd) return;
    state.analyse.sequenceEnd = last;
    host.display.endBarMoved(last);
}

/// Takes the frame's bounding box as the new centre (the old one becomes the previous centre)
/// and sets the found indicator.
void recordCentre(ProgramState& state, const AnalysisHost& host, SlotNumber slot,
                  const BoundingBox& box, int& prevX, int& prevY) {
    SlotState& s = state.slot(slot);
    prevX = s.MittelpunktX;
    prevY = s.MittelpunktY;
    s.MittelpunktX = box.centreX();
    s.MittelpunktY = box.centreY();
    setFoundIndicator(state, host, box.found(state.Videobreite, state.Videohoehe));
}

/// The first centre's table row for the frame shown.
void writeRow(ProgramState& state, FrameSource& frames, const AnalysisHost& host, SlotNumber slot) {
    const SlotState& s = state.slot(slot);
    Zeileinsmemo(state, slot, frames.currentFrame(), s.MittelpunktX, s.MittelpunktY, host);
}

/// Disc scan around the predicted position (px, py) with radius r: window clipped to rows and
/// columns 1 .. size - 1 and to the search area, all bounds inclusive.
BoundingBox scanDisc(ProgramState& state, const RgbFrame& frame, SlotNumber slot, long long px,
                     long long py, long long r) {
    const long long w = state.Videobreite;
    const long long h = state.Videohoehe;
    const long long left = std::max({px - r, 1LL, static_cast<long long>(state.SuchbereichLinks)});
    const long long top = std::max({py - r, 1LL, static_cast<long long>(state.SuchbereichOben)});
    long long right = std::min({px + r, w - 1, static_cast<long long>(state.SuchbereichRechts)});
    long long bottom = std::min({py + r, h - 1, static_cast<long long>(state.SuchbereichUnten)});
    right = std::min<long long>(right, frame.width() - 1);
    bottom = std::min<long long>(bottom, frame.height() - 1);

    const SlotState& s = state.slot(slot);
    const ColourMatcher match(s.Farbe, s.Toleranz);
    const ResultDisplay& anzeige = state.analyse.anzeige;
    RgbFrame& image = state.analyse.Suchergebnisbild;
    const Rgb colour = slotTraits(slot).foundColour;
    const long long r2 = r * r;
    BoundingBox box(state.Videobreite, state.Videohoehe);
    for (long long y = top; y <= bottom; ++y) {
        const std::uint8_t* row = frame.row(static_cast<int>(y));
        const long long dy2 = (y - py) * (y - py);
        for (long long x = left; x <= right; ++x) {
            if ((x - px) * (x - px) + dy2 > r2) continue;
            const int xi = static_cast<int>(x);
            const int yi = static_cast<int>(y);
            if (anzeige.abweichung) image.setPixel(xi, yi, Rgb{255, 255, 0});
            if (!match.matches(row + 3 * x)) continue;
            if (anzeige.gefundeneBildpunkte) image.setPixel(xi, yi, colour);
            box.add(xi, yi);
        }
    }
    return box;
}

/// The first two frames of a predicted-position pass: full scan, centre, targeted search or
/// marker, pause, then the row (when there is no targeted search). Abbruch is not checked.
void initialFrame(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                  SlotNumber slot, int n, int& prevX, int& prevY) {
    showFrame(frames, host, n);
    const BoundingBox box = scanSearchArea(state, frames.frame(), slot);
    host.display.resultImageChanged();
    recordCentre(state, host, slot, box, prevX, prevY);
    const bool refine = state.settings(slot).gezielteZweitsuche;
    if (refine)
        gezieltesuche(state, frames, host, slot);
    else
        MittelpunktZeichnen(state, slot, host.display);
    host.dialogs.pause(state.analyse.anzeige.bremseMs);
    if (!state.settings(slot).gezielteZweitsuche) writeRow(state, frames, host, slot);
}

/// What became of a tracked frame.
enum class Tracked { Continue, Stop, Lost };

/// A frame after the first two. With "Objekt wiedersuchen", a disc that finds nothing is
/// followed by a search of the whole area; the object found there restarts the prediction
/// with a step of zero, and an object not found there either is lost.
Tracked trackedFrame(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                     SlotNumber slot, int n, int& prevX, int& prevY) {
    showFrame(frames, host, n);
    const SlotState& s = state.slot(slot);
    const long long px = 2LL * s.MittelpunktX - prevX;
    const long long py = 2LL * s.MittelpunktY - prevY;
    const long long r = state.settings(slot).moeglicheAbweichung;
    BoundingBox box = scanDisc(state, frames.frame(), slot, px, py, r);
    const bool reacquire =
        state.settings(slot).reacquire && !box.found(state.Videobreite, state.Videohoehe);
    if (reacquire) box = scanSearchArea(state, frames.frame(), slot);
    host.display.resultImageChanged();
    if (state.Abbruch) return Tracked::Stop;
    recordCentre(state, host, slot, box, prevX, prevY);
    const bool found = box.found(state.Videobreite, state.Videohoehe);
    if (reacquire && found) {
        prevX = state.slot(slot).MittelpunktX;
        prevY = state.slot(slot).MittelpunktY;
    }
    const SearchSettings& settings = state.settings(slot);
    if (!settings.gezielteZweitsuche) writeRow(state, frames, host, slot);
    if (settings.gezielteZweitsuche) gezieltesuche(state, frames, host, slot);
    if (settings.Farbuebernahme) Farbuebernahme(state, frames, host, slot);
    if (!settings.gezielteZweitsuche) MittelpunktZeichnen(state, slot, host.display);
    host.dialogs.pause(state.analyse.anzeige.bremseMs);
    if (state.Abbruch) return Tracked::Stop;
    return reacquire && !found ? Tracked::Lost : Tracked::Continue;
}

/// The predicted-position pass with "Objekt wiedersuchen": frames are searched whole until
/// the object is found; found in the first two frames, it is predicted from both as
/// written, found later, afresh from that frame alone (step zero). A tracked frame that
/// loses it sends the pass back to searching whole frames.
void reacquiringPass(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                     SlotNumber slot) {
    const int s = state.analyse.sequenceStart;
    int prevX = 0;
    int prevY = 0;
    bool predicting = false;
    bool foundBefore = false;  // the frame before was found by a whole-area search
    pullBackEndBar(state, frames, host);
    for (int n = s; n <= lastAnalysedFrame(state, frames); ++n) {
        if (predicting) {
            const Tracked t = trackedFrame(state, frames, host, slot, n, prevX, prevY);
            if (t == Tracked::Stop) break;
            predicting = t == Tracked::Continue;
            foundBefore = false;
            continue;
        }
        initialFrame(state, frames, host, slot, n, prevX, prevY);
        const bool found = state.analyse.panel5 == FoundIndicator::Found;
        if (found && n > s && !(n == s + 1 && foundBefore)) {
            prevX = state.slot(slot).MittelpunktX;
            prevY = state.slot(slot).MittelpunktY;
        }
        predicting = found && n > s;
        foundBefore = found;
        if (n > s + 1 && state.Abbruch) break;
    }
}

/// Prepares the search result image: the frame's size, white, or the current frame as its
/// background with "Hintergrund".
void prepareResultImage(ProgramState& state, const FrameSource& frames) {
    RgbFrame& image = state.analyse.Suchergebnisbild;
    image = RgbFrame(state.Videobreite, state.Videohoehe);
    image.fill(Rgb{255, 255, 255});
    if (!state.analyse.anzeige.hintergrund) return;
    const RgbFrame& frame = frames.frame();
    if (frame.width() == image.width() && frame.height() == image.height()) {
        image = frame;
        return;
    }
    for (int y = 0; y < std::min(frame.height(), image.height()); ++y)
        for (int x = 0; x < std::min(frame.width(), image.width()); ++x)
            image.setPixel(x, y, frame.rgb(x, y));
}

/// Runs the pass of a slot from its picked colour in the slot's search mode.
void runSlot(ProgramState& state, FrameSource& frames, const AnalysisHost& host, SlotNumber slot) {
    state.slot(slot).Farbe = state.slot(slot).Startfarbe;
    if (state.settings(slot).modus == SearchMode::PositionVorherbestimmt)
        Analyse(state, frames, host, slot);
    else
        EinfacheSuche(state, frames, host, slot);
}

/// Still-frame scan of one slot: matching pixels in their own colour, or the centre marker.
void stillFrameSlot(ProgramState& state, const RgbFrame& frame, const AnalysisHost& host,
                    SlotNumber slot) {
    SlotState& s = state.slot(slot);
    s.Farbe = s.Startfarbe;
    const ColourMatcher match(s.Farbe, s.Toleranz);
    const bool paintPixels = state.analyse.anzeige.gefundeneBildpunkte;
    BoundingBox box(state.Videobreite, state.Videohoehe);
    RgbFrame& image = state.analyse.Suchergebnisbild;
    const int x0 = std::max(state.SuchbereichLinks, 0);
    const int x1 = std::min(state.SuchbereichRechts, frame.width());
    const int y0 = std::max(state.SuchbereichOben, 0);
    const int y1 = std::min(state.SuchbereichUnten, frame.height());
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = frame.row(y);
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = row + 3 * x;
            if (!match.matches(p)) continue;
            if (paintPixels)
                image.setPixel(x, y, Rgb{p[0], p[1], p[2]});
            else
                box.add(x, y);
        }
    }
    if (paintPixels) return;
    s.MittelpunktX = box.centreX();
    s.MittelpunktY = box.centreY();
    MittelpunktZeichnen(state, slot, host.display);
}

}  // namespace

void EinfacheSuche(ProgramState& state, FrameSource& frames, const AnalysisHost& host,
                   SlotNumber slot) {
    host.display.showAbortButton(true);
    host.display.showFoundIndicator(true);
    state.Abbruch = false;
    host.display.setBusyCursor(true);
    pullBackEndBar(state, frames, host);

    const int first = state.analyse.sequenceStart;
    const int last = lastAnalysedFrame(state, frames);
    int prevX = 0;
    int prevY = 0;
    for (int f = first; f <= last; ++f) {
        state.slot(slot).Toleranz = firstTolerance(state.settings(slot));
        showFrame(frames, host, f);
        const BoundingBox box = scanSearchArea(state, frames.frame(), slot);
        recordCentre(state, host, slot, box, prevX, prevY);
        host.display.resultImageChanged();

        const SearchSettings& settings = state.settings(slot);
        const bool adoptFirst = slotTraits(slot).adoptBeforeRefine;
        if (adoptFirst && settings.Farbuebernahme) Farbuebernahme(state, frames, host, slot);
        if (settings.gezielteZweitsuche) gezieltesuche(state, frames, host, slot);
        if (!adoptFirst && settings.Farbuebernahme) Farbuebernahme(state, frames, host, slot);
        if (!settings.gezielteZweitsuche) {
            MittelpunktZeichnen(state, slot, host.display);
            writeRow(state, frames, host, slot);
        }
        host.dialogs.pause(state.analyse.anzeige.bremseMs);
        if (state.Abbruch) break;
    }

    host.display.setBusyCursor(false);
    host.display.showAbortButton(false);
    host.display.showFoundIndicator(false);
}

void Analyse(ProgramState& state, FrameSource& frames, const AnalysisHost& host, SlotNumber slot) {
    state.Abbruch = false;
    state.slot(slot).Toleranz = firstTolerance(state.settings(slot));
    if (state.settings(slot).reacquire) {
        reacquiringPass(state, frames, host, slot);
        return;
    }
    int prevX = 0;
    int prevY = 0;
    const int s = state.analyse.sequenceStart;
    // Both first frames are analysed even when s + 1 lies beyond the sequence end, but only
    // frames the film has.
    for (int n = s; n <= s + 1 && n < frames.frameCount(); ++n)
        initialFrame(state, frames, host, slot, n, prevX, prevY);
    pullBackEndBar(state, frames, host);
    const int e = lastAnalysedFrame(state, frames);
    for (int n = s + 2; n <= e; ++n)
        if (trackedFrame(state, frames, host, slot, n, prevX, prevY) == Tracked::Stop) break;
}

void FilmAnalyseBtnClick(ProgramState& state, FrameSource& frames, const AnalysisHost& host) {
    const ResultDisplay& anzeige = state.analyse.anzeige;
    if (anzeige.farbe1Analysieren && !state.slot(1).zugewiesen) {
        host.dialogs.showMessage(kKeineFarbe1);
        host.tables.showSettingsPage(1);
        return;
    }
    if (anzeige.farbe2Analysieren && !state.slot(2).zugewiesen) {
        host.dialogs.showMessage(kKeineFarbe2);
        host.tables.showSettingsPage(2);
        return;
    }
    host.display.showAbortButton(true);
    host.display.showFoundIndicator(true);
    state.Abbruch = false;
    Tabellenvorbereiten(state, host.tables);
    host.display.setBusyCursor(true);
    prepareResultImage(state, frames);
    host.display.showResultWindow(true);
    host.display.setDisplayFullSize(true);

    if (state.analyse.anzeige.farbe1Analysieren) runSlot(state, frames, host, 1);
    if (state.analyse.anzeige.farbe2Analysieren) runSlot(state, frames, host, 2);

    host.display.setDisplayFullSize(false);
    host.display.setBusyCursor(false);
    host.display.showAbortButton(false);
    host.display.showFoundIndicator(false);
}

void AnalyseBtnClick(ProgramState& state, FrameSource& frames, const AnalysisHost& host) {
    const int p = frames.currentFrame();
    state.slot(1).Toleranz = firstTolerance(state.settings(1));
    state.slot(2).Toleranz = firstTolerance(state.settings(2));
    host.display.setBusyCursor(true);
    RgbFrame& image = state.analyse.Suchergebnisbild;
    image = RgbFrame(state.Videobreite, state.Videohoehe);
    host.display.showResultWindow(true);
    image.fill(Rgb{255, 255, 255});
    host.display.setDisplayFullSize(true);
    showFrame(frames, host, p);
    if (state.analyse.anzeige.farbe1Analysieren) stillFrameSlot(state, frames.frame(), host, 1);
    if (state.analyse.anzeige.farbe2Analysieren) stillFrameSlot(state, frames.frame(), host, 2);
    host.display.resultImageChanged();
    host.display.setDisplayFullSize(false);
    host.display.setBusyCursor(false);
    host.dialogs.pause(10);
    showFrame(frames, host, p);
}

}  // namespace zebak
