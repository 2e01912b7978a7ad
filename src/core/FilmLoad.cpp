#include "FilmLoad.h"

#include <algorithm>
#include <cmath>

#include "FrameTimes.h"
#include "WindowLayout.h"

namespace zebak {

namespace {
/// The highest rate the "Bilder/s" field takes.
constexpr double kMaxFrameRate = 100000.0;
}  // namespace

int defaultFrameRate(double fps) {
    if (!std::isfinite(fps) || fps < 1.0) return 25;
    return static_cast<int>(std::lround(std::min(fps, kMaxFrameRate)));
}

std::string filmOpenProgressText(const FilmOpenStatus& status) {
    if (status.framesTotal <= 0) return {};
    std::string text = "Bild " +
                       std::to_string(std::clamp(status.framesDone, 0, status.framesTotal)) +
                       " von " + std::to_string(status.framesTotal);
    if (!std::isfinite(status.secondsLeft) || status.secondsLeft < 0.0) return text;
    // Whole seconds up to a minute and a half, whole minutes beyond.
    const double seconds = std::min(status.secondsLeft, 1e7);
    if (seconds < 90.0)
        return text + ", noch etwa " + std::to_string(std::max(1L, std::lround(seconds))) + " s";
    return text + ", noch etwa " + std::to_string(std::lround(seconds / 60.0)) + " min";
}

FrameSize displayWindowSize(FrameSize analysis) {
    if (!isReducedDisplay(analysis)) return analysis;
    return fitFrame(analysis, kReducedDisplaySize);
}

PixelPoint displayToFrame(PixelPoint display, FrameSize analysis) {
    if (!isReducedDisplay(analysis)) return display;
    return shownToFrame(display, displayWindowSize(analysis), analysis);
}

PixelPoint shownToFrame(PixelPoint point, FrameSize shown, FrameSize frame) {
    if (shown == frame || shown.width <= 0 || shown.height <= 0) return point;
    // 64-bit products: a click position times a frame size cannot overflow.
    const long long x = static_cast<long long>(frame.width) * point.x / shown.width;
    const long long y = static_cast<long long>(frame.height) * point.y / shown.height;
    return {static_cast<int>(x), static_cast<int>(y)};
}

SlotNumber firstAnalysedSlot(const ResultDisplay& display) {
    if (display.analyseColour1) return 1;
    return display.analyseColour2 ? 2 : 0;
}

void applyFilmLoad(Measurement& m, const std::string& path, const FilmDescription& film,
                   int frameCount) {
    const FrameSize size = uprightSize(analysisSize(film.nativeSize), film.rotationDeg);
    m.film.path = path;
    m.film.size = size;
    m.area = SearchArea{0, 0, size.width, size.height};
    m.calibration.origin = PixelPoint{0, size.height};
    m.range = FrameRange{0, frameCount};
    FilmTiming& timing = m.film.timing;
    // A slow-motion film is measured at the rate it was recorded at, not played at.
    timing.framesPerSecond = defaultFrameRate(film.captureFps ? *film.captureFps : film.fps);
    // Its frame times are real times too: a film stored at 30 frames/s of a recording at 240
    // steps 1/240 s from frame to frame.
    timing.frameTimesS = recordedTimesS(film.frameTimesS, film.captureFps);
    timing.timesFromFilm = false;
}

}  // namespace zebak
