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
    if (display.farbe1Analysieren) return 1;
    return display.farbe2Analysieren ? 2 : 0;
}

void applyFilmLoad(ProgramState& state, const std::string& path, const FilmDescription& film,
                   int frameCount) {
    const FrameSize size = uprightSize(analysisSize(film.nativeSize), film.rotationDeg);
    state.Filmname = path;
    state.Videobreite = state.Anzeigebreite = size.width;
    state.Videohoehe = state.Anzeigehoehe = size.height;
    state.SuchbereichLinks = 0;
    state.SuchbereichOben = 0;
    state.SuchbereichRechts = size.width;
    state.SuchbereichUnten = size.height;
    state.NullpunktX = 0;
    state.NullpunktY = size.height;
    state.analyse.sequenceStart = 0;
    state.analyse.sequenceEnd = frameCount;
    // A slow-motion film is measured at the rate it was recorded at, not played at.
    state.analyse.framesPerSecond = defaultFrameRate(film.captureFps ? *film.captureFps : film.fps);
    // Its frame times are real times too: a film stored at 30 frames/s of a recording at 240
    // steps 1/240 s from frame to frame.
    state.analyse.frameTimesS = recordedTimesS(film.frameTimesS, film.captureFps);
    state.analyse.timesFromFilm = false;
}

}  // namespace zebak
