#pragma once

#include <optional>
#include <vector>

namespace zebak {

/// How evenly a film's frames follow each other, from their presentation times.
struct FrameSpacing {
    /// Some frame's duration differs from the median duration by more than 10 %; the first
    /// and the last duration are not judged (a film that starts late or ends early is even).
    bool uneven = false;
    /// Shortest and longest frame duration in seconds; 0 for a film of one frame.
    double minSeconds = 0.0;
    double maxSeconds = 0.0;
    /// The median frame duration in seconds; 0 for a film of one frame.
    double medianSeconds = 0.0;
};

/// The spacing of frames whose presentation times (seconds, in frame order) are timesS.
/// The duration of frame n is timesS[n + 1] - timesS[n]; the last frame has none, so it is
/// left out of the judgement, as are the first and the last duration.
FrameSpacing frameSpacing(const std::vector<double>& timesS);

/// The film's most common frame duration in seconds: the median of the largest group of
/// durations that lie within 10 % of each other; 0 for fewer than two frames.
double commonFrameSeconds(const std::vector<double>& timesS);

/// The real times of a slow-motion film's frames: the stored times scaled by (stored rate /
/// recording rate), the stored rate being that of the most common frame duration. Times
/// stay as they are without a plausible recording rate or a common duration.
std::vector<double> recordedTimesS(const std::vector<double>& timesS,
                                   std::optional<double> captureFps);

/// A frame rate the program can trust: `reportedFps` when it is a finite positive number
/// that the frame times support (at most 1000 frames/s, or as fast as the median duration
/// says); otherwise `streamFps` (the stream's own rate) when that is plausible, otherwise
/// the rate of the median duration; 0 when nothing gives a rate. A one-frame film has no
/// durations, so its reported rate (often the time base, such as 15360) is not trusted
/// above 1000 frames/s.
double plausibleFrameRate(double reportedFps, double streamFps, const FrameSpacing& spacing);

}  // namespace zebak
