#include "AnalysisJob.h"

#include <climits>

namespace zebak {

AnalysisJob makeAnalysisJob(const Measurement& m) {
    AnalysisJob job;
    job.size = m.film.size;
    job.area = m.area;
    job.range = m.range;
    job.timing = m.film.timing;
    job.calibration = m.calibration;
    job.display = m.display;
    for (SlotNumber n : {1, 2})
        job.slot(n) = SlotJob{m.display.analyses(n), m.colour(n), m.settings(n)};
    return job;
}

void refreshJob(AnalysisJob& job, const Measurement& m) {
    job.size = m.film.size;
    job.area = m.area;
    job.range = m.range;
    job.timing.framesPerSecond = m.film.timing.framesPerSecond;
    job.timing.timesFromFilm = m.film.timing.timesFromFilm;
    job.calibration = m.calibration;
    job.display = m.display;
    for (SlotNumber n : {1, 2})
        job.slot(n) = SlotJob{m.display.analyses(n), m.colour(n), m.settings(n)};
}

const SlotLimits& slotLimits(SlotNumber slot) {
    static const SlotLimits kLimits[2] = {
        {{0, 255}, {0, 500}, {0, 255}, {0, 500}},
        {{0, 255}, {INT_MIN, INT_MAX}, {0, 255}, {INT_MIN, INT_MAX}},
    };
    return kLimits[slot == 2 ? 1 : 0];
}

namespace {

/// The message for one setting out of its range; empty when it holds.
std::string rangeMessage(SlotNumber slot, const char* name, SettingRange range, int value) {
    if (range.holds(value)) return {};
    return "Farbe " + std::to_string(slot) + ": „" + name + "“ muss zwischen " +
           std::to_string(range.min) + " und " + std::to_string(range.max) + " liegen.";
}

}  // namespace

std::string checkSlotSettings(SlotNumber slot, const SlotSettings& s) {
    const SlotLimits& l = slotLimits(slot);
    for (std::string m : {rangeMessage(slot, "max. Farbtoleranz", l.tolerance, s.tolerance),
                          rangeMessage(slot, "Mögl. Abweichung", l.deviationPx, s.deviationPx),
                          rangeMessage(slot, "Zweittoleranz", l.refineTolerance, s.refineTolerance),
                          rangeMessage(slot, "Objektgrösse", l.objectSizePx, s.objectSizePx)})
        if (!m.empty()) return m;
    return {};
}

std::string checkJob(const AnalysisJob& job) {
    if (job.range.start < 0 || job.range.start > job.range.end)
        return "Der Anfang der Bildfolge darf nicht hinter ihrem Ende liegen.";
    for (SlotNumber n : {1, 2}) {
        if (!job.slot(n).analysed) continue;
        if (std::string m = checkSlotSettings(n, job.slot(n).settings); !m.empty()) return m;
    }
    return {};
}

}  // namespace zebak
