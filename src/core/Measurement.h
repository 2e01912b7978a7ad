#pragma once

#include <array>
#include <cstddef>

#include "Domain.h"
#include "EvaluationChoices.h"
#include "Kinematics.h"
#include "RgbFrame.h"
#include "SlotSettings.h"

namespace zebak {

/// Everything the program measures and shows of one film: a plain aggregate of the domain's
/// values. The session owns one; nothing of it is saved between runs unless the user saves it.
/// It holds no interaction of the moment (click modes, calibration steps, stop requests): those
/// live with the windows that own them.
struct Measurement {
    Film film;
    SearchArea area;
    FrameRange range;
    Calibration calibration;
    /// The calibration line clicked on the manual overlay (`ManuellEichpunkt`).
    CalibrationLine manualLine;
    /// Picked colours of slot 1 and 2; use colour(n).
    std::array<ColourSlot, 2> colours{};
    /// Settings pages of slot 1 and 2 (`SuchEinst1`, `SuchEinst2`); use settings(n).
    std::array<SlotSettings, 2> slotSettings{};
    /// The result display panel's options and the brake.
    ResultDisplay display;
    /// Where each slot's object was last seen; use trace(n).
    std::array<SlotTrace, 2> traces{};
    /// The position tables `tabelle1` (colour 1) and `Tabelle2` (colour 2); use track(n).
    std::array<TrackResult, 2> tracks{TrackResult{PositionGrid({"Zeit /s", "X1 /m", "Y1 /m"}), {}},
                                      TrackResult{PositionGrid({"Zeit /s", "X2 /m", "Y2 /m"}), {}}};
    /// The search result image (`TForm4.Image1`), frame pixels; the searches draw into it.
    RgbFrame resultImage;
    /// The evaluation window's grids (`Tabelle1`, `tabelle1v`, `tabelle1a` and the colour 2
    /// twins): filled when the window opens, edited there, emptied when it closes.
    std::array<KinematicsGrids, 2> evaluation{};
    /// The evaluation window's diagram, trend strength, difference step and fitted model.
    EvaluationChoices evaluationChoices;

    ColourSlot& colour(SlotNumber n) { return colours.at(index(n)); }
    const ColourSlot& colour(SlotNumber n) const { return colours.at(index(n)); }
    SlotSettings& settings(SlotNumber n) { return slotSettings.at(index(n)); }
    const SlotSettings& settings(SlotNumber n) const { return slotSettings.at(index(n)); }
    SlotTrace& trace(SlotNumber n) { return traces.at(index(n)); }
    const SlotTrace& trace(SlotNumber n) const { return traces.at(index(n)); }
    TrackResult& track(SlotNumber n) { return tracks.at(index(n)); }
    const TrackResult& track(SlotNumber n) const { return tracks.at(index(n)); }
    /// The position table of slot n.
    PositionGrid& grid(SlotNumber n) { return track(n).grid; }
    const PositionGrid& grid(SlotNumber n) const { return track(n).grid; }
    KinematicsGrids& evaluationGrids(SlotNumber n) { return evaluation.at(index(n)); }

  private:
    static std::size_t index(SlotNumber n) { return static_cast<std::size_t>(n - 1); }
};

}  // namespace zebak
