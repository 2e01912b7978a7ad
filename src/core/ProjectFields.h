#pragma once

#include <array>
#include <type_traits>
#include <utility>

#include "Diagrams.h"
#include "EvaluationChoices.h"
#include "Measurement.h"
#include "ProjectFile.h"
#include "SlotSettings.h"

namespace zebak::project {

// The members of each saved value, named once for writing and reading alike: `a(name, field)`
// writes the field, or reads it when the member is there (a missing one keeps its start
// value). A new field is one line here.

template <typename T, typename U>
concept Like = std::same_as<std::remove_const_t<T>, U>;

void fields(auto& a, Like<PixelPoint> auto& v) {
    a("x", v.x);
    a("y", v.y);
}
void fields(auto& a, Like<FrameSize> auto& v) {
    a("width", v.width);
    a("height", v.height);
}
void fields(auto& a, Like<Rgb> auto& v) {
    a("r", v.r);
    a("g", v.g);
    a("b", v.b);
}
void fields(auto& a, Like<FilmTiming> auto& v) {
    a("framesPerSecond", v.framesPerSecond);
    a("timesFromFilm", v.timesFromFilm);
    a("frameTimes", v.frameTimesS);
}
void fields(auto& a, Like<Film> auto& v) {
    a("path", v.path);
    a("size", v.size);
    a("timing", v.timing);
}
void fields(auto& a, Like<ProjectFilm> auto& v) {
    a("relativePath", v.relativePath);
    a("bytes", v.bytes);
    a("digest", v.digest);
    a("frames", v.frames);
}
void fields(auto& a, Like<CalibrationLine> auto& v) {
    a("a", v.a);
    a("b", v.b);
    a("length", v.lengthM);
}
void fields(auto& a, Like<Calibration> auto& v) {
    a("factor", v.factorMPerPx);
    a("origin", v.origin);
    a("line", v.line);
}
void fields(auto& a, Like<SearchArea> auto& v) {
    a("left", v.left);
    a("top", v.top);
    a("right", v.right);
    a("bottom", v.bottom);
}
void fields(auto& a, Like<FrameRange> auto& v) {
    a("start", v.start);
    a("end", v.end);
}
void fields(auto& a, Like<ColourSlot> auto& v) {
    a("picked", v.picked);
    a("assigned", v.assigned);
    a("pickedAtKnown", v.pickedAtKnown);
    a("pickedAt", v.pickedAt);
}
void fields(auto& a, Like<SlotSettings> auto& v) {
    a("mode", v.mode);
    a("tolerance", v.tolerance);
    a("deviation", v.deviationPx);
    a("refine", v.refine);
    a("refineTolerance", v.refineTolerance);
    a("objectSize", v.objectSizePx);
    a("adoptColour", v.adoptColour);
    a("reacquire", v.reacquire);
    a("connected", v.connected);
    a("subpixel", v.subpixel);
}
void fields(auto& a, Like<ResultDisplay> auto& v) {
    a("analyseColour1", v.analyseColour1);
    a("analyseColour2", v.analyseColour2);
    a("showFoundPixels", v.showFoundPixels);
    a("dotMarker", v.dotMarker);
    a("showSearchAreas", v.showSearchAreas);
    a("showDeviation", v.showDeviation);
    a("showObjectSize", v.showObjectSize);
    a("background", v.background);
    a("brake", v.brakeMs);
}
void fields(auto& a, Like<SlotTrace> auto& v) {
    a("workingColour", v.workingColour);
    a("tolerance", v.tolerance);
    a("centre", v.centre);
    a("refinedCentre", v.refinedCentre);
}
void fields(auto& a, Like<TrackResult> auto& v) {
    a("grid", v.grid);
    a("found", v.found);
}
void fields(auto& a, Like<KinematicsGrids> auto& v) {
    a("positions", v.positions);
    a("velocities", v.velocities);
    a("accelerations", v.accelerations);
    a("messages", v.messages);
}
void fields(auto& a, Like<EvaluationChoices> auto& v) {
    a("diagram", v.diagram);
    a("trendStrength", v.trendStrength);
    a("spread", v.spread);
    a("fit", v.fit);
}
void fields(auto& a, Like<Measurement> auto& v) {
    a("film", v.film);
    a("area", v.area);
    a("range", v.range);
    a("calibration", v.calibration);
    a("manualLine", v.manualLine);
    a("colours", v.colours);
    a("settings", v.slotSettings);
    a("display", v.display);
    a("traces", v.traces);
    a("tables", v.tracks);
    a("evaluation", v.evaluation);
    a("evaluationChoices", v.evaluationChoices);
}

/// The names enums are saved by, in the order of their values.
inline constexpr std::array<const char*, 2> kSearchModeNames{"simple", "predict"};
inline constexpr std::array<const char*, 4> kFitModelNames{"keine", "gerade", "parabel", "sinus"};
inline constexpr std::array<const char*, 14> kDiagramNames{"x-y",  "x-t", "y-t",   "v-t",  "vx-t",
                                                           "vy-t", "a-t", "ax-t",  "ay-t", "x-vx",
                                                           "y-vy", "v-a", "vx-ax", "vy-ay"};

inline const auto& enumNames(SearchMode) { return kSearchModeNames; }
inline const auto& enumNames(FitModel) { return kFitModelNames; }
inline const auto& enumNames(Diagram) { return kDiagramNames; }

}  // namespace zebak::project
