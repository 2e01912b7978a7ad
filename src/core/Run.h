#pragma once

#include <array>
#include <cstddef>

#include "AnalysisEvents.h"
#include "FrameSource.h"
#include "RegionSearch.h"

namespace zebak {

/// What the steps of a running loop work with: the job they read, the outputs they write, the
/// film and the host's ports. Made by the entry points (analyseFilm, analyseFrame,
/// buildStroboscope) for the length of one run.
struct Run {
    AnalysisJob& job;
    RunOutputs out;
    FrameSource& frames;
    RunPorts ports;
    /// Each slot's result of the frame in work, handed to frameAnalysed when it is done.
    std::array<FrameResult, 2> current{};
    /// The marked pixels of the last scan, for the region options; reused from frame to frame.
    MarkedRuns marks{};

    const SlotSettings& settings(SlotNumber n) const { return job.slot(n).settings; }
    SlotTrace& trace(SlotNumber n) { return out.traces.at(index(n)); }
    TrackResult& track(SlotNumber n) { return out.tracks.at(index(n)); }
    FrameResult& result(SlotNumber n) { return current.at(index(n)); }
    RgbFrame& image() { return out.image; }
    const ResultDisplay& display() const { return job.display; }
    bool stopRequested() const { return ports.control.stopRequested; }
    void requestStop() { ports.control.stopRequested = true; }
    /// Brake pause with event processing.
    void pause(int ms) { ports.dialogs.pause(ms); }

  private:
    static std::size_t index(SlotNumber n) { return static_cast<std::size_t>(n - 1); }
};

}  // namespace zebak
