#pragma once

#include <optional>

#include "AnalysisJob.h"
#include "Domain.h"
#include "UserDialogs.h"

namespace zebak {

/// Which loop runs.
enum class RunKind { FilmAnalysis, StillFrame, Stroboscope };

/// How a run ended.
enum class RunStatus {
    /// Every frame of the range was done.
    Completed,
    /// A stop request ended it early ("Abbrechen", a key, a refused continuation).
    Stopped,
    /// Colour 1 (or 2) is to be analysed but has not been picked; nothing ran.
    ColourMissing1,
    ColourMissing2,
};

/// What one frame's search gave for one slot.
struct FrameResult {
    /// The first search found the object (the found indicator `Panel5` is green).
    bool found = false;
    /// The first search's centre, frame pixels.
    PixelPoint centre;
    /// The targeted second search's centre, when it ran.
    std::optional<PixelPoint> refinedCentre;
    /// Where the "+" marker was drawn, which the display window shows as a white cross.
    std::optional<PixelPoint> cross;
};

/// What a loop reports while it runs, in domain terms; the windows map it to their buttons,
/// indicator, cursor and bars, a host without windows ignores it (the silent defaults).
/// Questions, messages, pauses and sounds go through UserDialogs instead.
class AnalysisEvents {
  public:
    virtual ~AnalysisEvents() = default;

    /// A run begins; the tables are prepared (film analysis) and the result image is drawn
    /// afresh.
    virtual void started(RunKind, const AnalysisJob&) {}
    /// The film now shows frame n.
    virtual void frameShown(int /*n*/) {}
    /// One slot's search of frame n is done (the result image holds its drawing).
    virtual void frameAnalysed(SlotNumber, int /*frame*/, const FrameResult&) {}
    /// A row of the slot's position table was written (the grid may have changed its size).
    virtual void rowWritten(SlotNumber, int /*row*/) {}
    /// The run moved the range's end (an end bar at the frame count pulled back).
    virtual void rangeChanged(FrameRange) {}
    /// Colour adoption kept (`adopted` true) or refused a frame's colour for the slot.
    virtual void colourAdopted(SlotNumber, bool /*adopted*/) {}
    /// The second search's question opens (true) or has closed (false): the windows step
    /// aside while it is open.
    virtual void questionOpen(bool /*open*/) {}
    /// The run is over.
    virtual void finished(RunKind, RunStatus) {}
};

/// A stop request for a running loop: set by the host ("Abbrechen", a key) or by the loop on
/// a refused continuation (`Abbruch`); the loops poll it.
struct RunControl {
    bool stopRequested = false;
};

/// What a loop reaches of its host.
struct RunPorts {
    AnalysisEvents& events;
    UserDialogs& dialogs;
    RunControl& control;
};

/// What a film analysis, still-frame analysis or stroboscope run writes.
struct RunOutputs {
    std::array<TrackResult, 2>& tracks;
    std::array<SlotTrace, 2>& traces;
    RgbFrame& image;
    /// Whether a film analysis draws its result picture; a host that never shows it leaves
    /// the picture empty, and the drawing into it falls away as all drawing outside a
    /// picture does. The tables are the same either way.
    bool drawsImage = true;
};

/// The outputs of a measurement.
inline RunOutputs outputsOf(Measurement& m) { return {m.tracks, m.traces, m.resultImage, true}; }

}  // namespace zebak
