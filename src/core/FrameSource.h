#pragma once

#include "RgbFrame.h"
#include "VideoSize.h"

namespace zebak {

/// What the windows and the headless tool know of a film beside its frames.
struct FilmDescription {
    /// Size of the frames as stored in the file, pixels (720x576 for a PAL film).
    FrameSize nativeSize;
    /// Nominal frame rate, frames per second; 0 when the film gives none.
    double fps = 0.0;
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
    /// Throws std::runtime_error when the film cannot be decoded any more.
    virtual void seek(int n) = 0;
    /// The current frame's pixels at analysis size.
    virtual const RgbFrame& frame() const = 0;
    /// Native size and frame rate of the film. A source that knows no more than its frames
    /// reports its analysis size and no rate.
    virtual FilmDescription description() const { return {{width(), height()}, 0.0}; }
};

}  // namespace zebak
