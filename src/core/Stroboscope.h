#pragma once

#include "AnalysisEvents.h"
#include "FrameSource.h"

namespace zebak {

/// How the stroboscopic picture marks each position (the three check boxes of Panel4).
struct StroboOptions {
    /// "Objekte Einfarbig?": a filled circle instead of the object's own pixels.
    bool plainCircles = false;
    /// "Mit Rand?": white outline (circle mode) or white rim (paste mode).
    bool withRim = true;
    /// "Mittelpunktsfarbe?": circle mode fills with the pixel found at the centre.
    bool centreColour = false;
};

/// Draws the ellipse inscribed in the box [left, right) x [top, bottom) into `image`: every
/// pixel whose centre lies inside gets `brush`, and those of them next to a pixel outside get
/// `pen`. Pixels outside the image are skipped.
void drawFilledEllipse(RgbFrame& image, int left, int top, int right, int bottom, Rgb pen,
                       Rgb brush);

/// The stroboscopic picture (`StroboskopbildClick`): the search result image becomes a white
/// picture of the analysis size with the frame now shown copied into it, then colour 1 and
/// colour 2 (each when analysed, from its picked colour) are drawn into it, colour 1 over the
/// whole range first. Each colour's frame loop (`StroboF1` / `StroboF2`) goes from the range
/// start to its end (the last frame at most), finds the object by the whole search area,
/// refines the centre on the circle of the object size and draws the object, or a circle
/// standing for it, follows the working colour and stops on a stop request. Returns the
/// number of frames drawn.
int buildStroboscope(AnalysisJob& job, RunOutputs out, FrameSource& frames, RunPorts ports,
                     const StroboOptions& options);

}  // namespace zebak
