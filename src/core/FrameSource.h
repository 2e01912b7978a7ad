#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "RgbFrame.h"
#include "VideoSize.h"

namespace zebak {

/// What the windows and the headless tool know of a film beside its frames.
struct FilmDescription {
    /// Size of the frames as stored in the file, pixels (720x576 for a PAL film).
    FrameSize nativeSize;
    /// Nominal frame rate, frames per second; 0 when the film gives none.
    double fps = 0.0;
    /// Clockwise turn that makes the stored picture upright: 0, 90, 180 or 270 degrees.
    int rotationDeg = 0;
    /// The recording rate of a slow-motion film, frames per second, when it has one.
    std::optional<double> captureFps;
    /// Presentation time of every frame in seconds, frame 0 at 0; empty when unknown.
    std::vector<double> frameTimesS;
    /// Frames unevenly spaced in time, and the shortest and longest frame duration (s).
    bool variableFrameRate = false;
    double minFrameSeconds = 0.0;
    double maxFrameSeconds = 0.0;
    /// What the user is told on loading (a damaged film, a frame size that changes).
    std::vector<std::string> warnings;
};

/// How far the first open of a film (which reads the whole film once) has come.
struct FilmOpenStatus {
    /// Share of the whole open that is done, 0 to 1.
    double fraction = 0.0;
    /// Frames read by the pass over the film so far, and the film's frames; 0 and 0 while
    /// the film's index is built.
    int framesDone = 0;
    int framesTotal = 0;
    /// Estimated seconds until the open is done; negative while there is no estimate.
    double secondsLeft = -1.0;
};

/// A description with only a stored size and a rate, as a film without further facts has.
inline FilmDescription describedAs(FrameSize nativeSize, double fps) {
    FilmDescription d;
    d.nativeSize = nativeSize;
    d.fps = fps;
    return d;
}

/// The size of a picture of size `stored` once it is turned clockwise by rotationDeg.
constexpr FrameSize uprightSize(FrameSize stored, int rotationDeg) {
    return rotationDeg == 90 || rotationDeg == 270 ? FrameSize{stored.height, stored.width}
                                                   : stored;
}

/// A frame of an open film that can no longer be read as it is (the file broke off or was
/// changed while it was open); the text names the frame and the cause, in German.
class FrameReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The film as the program sees it: a numbered sequence of frames at analysis size.
/// Frame numbers run from 0 to frameCount() - 1; a position of frameCount() (the end of
/// the film, which the scroll bars allow) shows the last frame.
class FrameSource {
  public:
    virtual ~FrameSource() = default;

    /// Number of frames in the film.
    virtual int frameCount() const = 0;
    /// Width of a frame at analysis size in pixels (360 for a 720x576 film).
    virtual int width() const = 0;
    /// Height of a frame at analysis size in pixels (288 for a 720x576 film).
    virtual int height() const = 0;
    /// Position of the film: the index of the frame shown, 0 to frameCount().
    virtual int currentFrame() const = 0;
    /// Makes frame n the current frame; n is clamped to [0, frameCount()]. When it
    /// returns, frame() holds exactly frame n (the last frame for n = frameCount()).
    /// Throws std::runtime_error when the frame cannot be decoded, FrameReadError when that
    /// is because the film changed while it was open: a frame is never stood in for by
    /// another one.
    virtual void seek(int n) = 0;
    /// The current frame's pixels at analysis size.
    virtual const RgbFrame& frame() const = 0;
    /// The current frame, of which at least rows top..bottom (inclusive; clamped to the
    /// frame) hold the frame's pixels: the other rows may still hold another frame's. For a
    /// search that reads only a window of the frame, from a source that converts the decoded
    /// picture only where it is read. A source that holds whole frames gives frame().
    virtual const RgbFrame& rows(int /*top*/, int /*bottom*/) const { return frame(); }
    /// Native size and frame rate of the film. A source that knows no more than its frames
    /// reports its analysis size and no rate.
    virtual FilmDescription description() const { return describedAs({width(), height()}, 0.0); }
};

}  // namespace zebak
