#pragma once

#include <string>

#include "Domain.h"
#include "FrameSource.h"
#include "Measurement.h"
#include "VideoSize.h"

namespace zebak {

/// A film taller than this many rows is shown reduced on the display window.
inline constexpr int kMaxDisplayHeightPx = 288;
/// The size of the reduced display window, pixels.
inline constexpr FrameSize kReducedDisplaySize{384, 288};

/// The frame rate a loaded film gives the "Bilder/s" field: the film's rate rounded to a
/// whole number; 25 when the film gives none, a rate below 1 or no finite number.
int defaultFrameRate(double fps);

/// The line under "Film wird vorbereitet …" while a film is read for the first time: the
/// frames done and, once known, the time left ("Bild 120 von 270, noch etwa 3 s"); empty
/// while the film's index is built.
std::string filmOpenProgressText(const FilmOpenStatus& status);

/// True when a film of this analysis size is shown reduced (taller than 288 rows).
constexpr bool isReducedDisplay(FrameSize analysis) {
    return analysis.height > kMaxDisplayHeightPx;
}

/// Client size of the display window for a film of this analysis size: the frame itself, or
/// for a film taller than 288 rows the largest size of the frame's own shape within 384 by
/// 288 (a 640x480 film 384x288, a 1080x1920 one 162x288), into which the picture is scaled.
FrameSize displayWindowSize(FrameSize analysis);

/// The frame pixel under a display-window pixel. On a reduced display the coordinates are
/// scaled back to the frame through the display window's size, the product first (integer
/// division truncates toward zero); otherwise the point is the same.
PixelPoint displayToFrame(PixelPoint display, FrameSize analysis);

/// The frame pixel under a pixel of a picture of the frame shown at size `shown`: scaled by
/// frame / shown, the product first; the point itself when the sizes are equal or `shown` is
/// empty.
PixelPoint shownToFrame(PixelPoint point, FrameSize shown, FrameSize frame);

/// The colour slot evaluated and exported first: colour 1 when it is analysed, else colour 2
/// when that is, else 0 (none).
SlotNumber firstAnalysedSlot(const ResultDisplay& display);

/// What loading a film sets in the measurement: the name, the analysis size (of the upright
/// picture), the whole frame as search area, the origin at the bottom-left corner,
/// the open sequence from frame 0 to the frame count, the default frame rate (of the
/// recording rate when the film carries one), the film's frame times (real times, scaled to
/// the recording rate when the film carries one) with "Zeiten aus dem Film" off.
void applyFilmLoad(Measurement& m, const std::string& path, const FilmDescription& film,
                   int frameCount);

}  // namespace zebak
