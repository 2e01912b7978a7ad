#pragma once

#include "AnalysisEvents.h"
#include "FrameSource.h"
#include "Run.h"

namespace zebak {

/// Message when colour 1 is to be analysed but has not been picked.
inline constexpr const char* kKeineFarbe1 =
    "Sie haben noch keine Farbe1 gewählt. Bitte klicken Sie auf dem Videofenster auf das zu "
    "verfolgende Objekt.";
/// Message when colour 2 is to be analysed but has not been picked.
inline constexpr const char* kKeineFarbe2 =
    "Sie haben noch keine Farbe2 gewählt. Bitte klicken Sie auf dem Videofenster auf das zu "
    "verfolgende Objekt.";

/// Simple search loop of a slot (`EinfacheSuche1` / `EinfacheSuche2`): for every frame from
/// the range start to its end (both included, the film's last frame at most; an end bar at the
/// frame count moves back to the last frame first): scan the whole search area, centre =
/// midpoint of the matching pixels' bounding box (the frame's middle when nothing matched),
/// adoption and targeted search in the slot's order, else marker and row; brake pause; stop
/// on a stop request.
void runSimpleSearch(Run& run, SlotNumber slot);

/// Predicted-position pass of a slot (`Analyse1` / `Analyse2`):
/// 1. Frames s and s + 1 (always both) with a full scan of the search area.
/// 2. An end bar at the frame count moves back to the last frame.
/// 3. Frames s + 2 to the end: only the disc of radius "Mögl. Abweichung" around the position
///    extrapolated from the two previous centres, clipped to rows/columns 1 .. size - 1 and the
///    search area (inclusive); a stop request is checked after the scan and after the pause.
void runPredictedSearch(Run& run, SlotNumber slot);

/// The film analysis (`FilmAnalyseBtnClick`): refuses a slot to be analysed whose colour has
/// not been picked (its message, status ColourMissing1/2); else empties the tables, draws a
/// white search result image (or the current frame with "Hintergrund"), and runs colour 1 and
/// then colour 2, each from its picked colour, in the slot's search mode.
RunStatus analyseFilm(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports);

/// The still-frame analysis (`AnalyseBtnClick`): scans the search area of the current frame
/// for each checked colour (from its picked colour) and shows either the matching pixels in
/// their own colour or the centre marker in the search result image. Writes no table row.
RunStatus analyseFrame(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports);

}  // namespace zebak
