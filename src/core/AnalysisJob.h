#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "Domain.h"
#include "Measurement.h"
#include "SlotSettings.h"

namespace zebak {

/// What a run needs of one colour slot.
struct SlotJob {
    /// The slot is analysed ("Farbe 1 analysieren" / "Farbe 2 analysieren").
    bool analysed = false;
    ColourSlot colour;
    SlotSettings settings;
    friend bool operator==(const SlotJob&, const SlotJob&) = default;
};

/// One film analysis, still-frame analysis or stroboscope run, built from the measurement's
/// values by makeAnalysisJob and checked by checkJob before it runs. A running loop reads the
/// job anew at every frame, so a host may refresh it from its controls while the loop pauses
/// (the windows do, so a setting changed during a run counts from the next frame on). The loop
/// itself changes only range.end, when it pulls an end bar at the frame count back.
struct AnalysisJob {
    /// Frame size of all pixel work.
    FrameSize size;
    SearchArea area;
    FrameRange range;
    FilmTiming timing;
    Calibration calibration;
    ResultDisplay display;
    std::array<SlotJob, 2> slots{};

    SlotJob& slot(SlotNumber n) { return slots.at(static_cast<std::size_t>(n - 1)); }
    const SlotJob& slot(SlotNumber n) const { return slots.at(static_cast<std::size_t>(n - 1)); }
    friend bool operator==(const AnalysisJob&, const AnalysisJob&) = default;
};

/// The job of the measurement's film, area, range, timing, calibration, display options,
/// colours and settings.
AnalysisJob makeAnalysisJob(const Measurement& measurement);

/// Takes the measurement's values into a running job again, all but the film's frame times,
/// which nothing can change while a run goes on (no film is loaded meanwhile); so a host can
/// refresh the job at every pause without copying them.
void refreshJob(AnalysisJob& job, const Measurement& measurement);

/// The inclusive range of one whole-number setting.
struct SettingRange {
    int min = 0;
    int max = 0;
    bool holds(int value) const { return min <= value && value <= max; }
};

/// The ranges of a slot's settings, as its settings page bounds its fields. Colour 1's radius
/// and object size are bounded to 0..500; colour 2's fields for them have no bounds.
struct SlotLimits {
    SettingRange tolerance;
    SettingRange deviationPx;
    SettingRange refineTolerance;
    SettingRange objectSizePx;
};

/// The limits of slot 1 or 2.
const SlotLimits& slotLimits(SlotNumber slot);

/// Why the slot's settings cannot be used, in German ("Farbe 1: „max. Farbtoleranz“ muss
/// zwischen 0 und 255 liegen."); empty when every value lies in the slot's limits.
std::string checkSlotSettings(SlotNumber slot, const SlotSettings& settings);

/// Why the job cannot run, in German: a range turned round or a setting of an analysed slot
/// out of its limits; empty when it can. The searches clip the search area to the frame, so
/// any area runs; colours not yet picked are answered by the film analysis with its own
/// messages.
std::string checkJob(const AnalysisJob& job);

}  // namespace zebak
