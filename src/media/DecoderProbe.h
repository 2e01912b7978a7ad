#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zebak {

/// What the demuxer alone says about a file that FFMS2 could not index or in which it
/// found no video: whether it opens at all (and why not), and whether it has a video stream.
struct StreamProbe {
    bool opens = false;
    /// The demuxer's own text when the file does not open ("Invalid data found ...").
    std::string error;
    bool hasVideo = false;
    /// The file starts like an MP4/MOV (an "ftyp" box) although it does not open or holds no
    /// frames: such a file was cut short or not written to its end.
    bool isoMediaStart = false;
};

/// Looks at the file with the demuxer only; never throws.
StreamProbe probeStreams(const std::string& path);

/// What the demuxer reads from a film's header: its rates and how it is turned.
struct StreamRates {
    /// The stream's own average frame rate; 0 when it gives none.
    double streamFps = 0.0;
    /// The recording rate of a slow-motion film, when the film carries one different from
    /// its playback rate (the tag "com.android.capture.fps", or another "*capture.fps"
    /// tag of the film or the stream); empty otherwise.
    std::optional<double> captureFps;
    /// Clockwise turn of the stream's display matrix in degrees (0 to 359, rounded to whole
    /// degrees), 0 when it carries none: how far the stored picture must be turned to stand
    /// upright.
    int clockwiseTurnDeg = 0;
};

/// Reads the rates of stream `stream` from the file's header only (nothing is decoded);
/// zero and empty when the file cannot be opened this way.
StreamRates readStreamRates(const std::string& path, int stream);

/// One picture the decoder put out: its pictureHash and its presentation time stamp in the
/// stream's time base.
struct PictureStamp {
    std::uint64_t hash = 0;
    std::int64_t pts = 0;
};

/// Decodes stream `stream` of the file in order, as `ffprobe -count_frames` does, and lists
/// the pictures the decoder really puts out (damaged packets that yield no picture are not
/// listed). `keepGoing` is called now and then and may return false to cancel (the result
/// is then empty). Empty also when the file or the decoder cannot be opened.
std::optional<std::vector<PictureStamp>> decodedPictures(const std::string& path, int stream,
                                                         const std::function<bool()>& keepGoing);

}  // namespace zebak
