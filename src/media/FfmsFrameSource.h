#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/FrameSource.h"
#include "core/VideoSize.h"

namespace zebak {

/// A film that cannot be opened or read; the text says why, with the decoder's own words.
class FilmError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Opening was cancelled by the progress callback.
class FilmOpenCancelled : public FilmError {
  public:
    FilmOpenCancelled() : FilmError("Das Öffnen des Films wurde abgebrochen.") {}
};

/// Progress while a film is prepared on its first open. Return false to cancel the open (it
/// then throws FilmOpenCancelled and leaves nothing in the cache).
using OpenProgress = std::function<bool(const FilmOpenStatus& status)>;

/// Facts about an open film.
struct FilmInfo {
    int frameCount = 0;
    /// Size of the frames as stored in the file, pixels.
    FrameSize nativeSize;
    /// Size at which the program works on them: the upright picture, with a 720x576 film
    /// halved to 360x288 (288x360 when it is turned), pixels.
    FrameSize analysisSize;
    /// Clockwise turn that makes the stored picture upright: 0, 90, 180 or 270 degrees.
    int rotationDeg = 0;
    /// Nominal frame rate in frames per second; 0 when the film gives none.
    double fps = 0.0;
    /// The recording rate of a slow-motion film (frames per second), when the film carries
    /// one different from its playback rate.
    std::optional<double> captureFps;
    /// Presentation time of every frame in seconds, frame 0 at 0.
    std::vector<double> frameTimesS;
    /// Whether the frames follow each other unevenly, and the shortest and longest frame
    /// duration in seconds.
    bool variableFrameRate = false;
    double minFrameSeconds = 0.0;
    double maxFrameSeconds = 0.0;
    /// Frames the container lists; more than frameCount when frames at the end do not
    /// really decode (the film is then damaged and frameCount is the count that decodes).
    int listedFrameCount = 0;
    bool damaged = false;
    /// What the user should be told on loading (damage, a frame size that changes), German.
    std::vector<std::string> warnings;
};

/// The film read frame-exact: on first open one pass in order records the hash of every
/// frame's decoded picture. Frames asked for in order from frame 0 come from a decoder that
/// reads the film front to back with frame threads, as long as each picture is the recorded
/// one; any other frame comes from FFMS2, whose jump is checked against the hash and, when
/// the decoder lands on a neighbour, served again by decoding forward from an earlier
/// verified frame. The index, the hashes and the film's facts are kept in the user's cache
/// folder, so a second open of an unchanged file decodes only frame 0.
class FfmsFrameSource final : public FrameSource {
  public:
    /// How the film will be read after the open.
    enum class Reading {
        /// Anyhow (the windows): frame 0 of a film known from the cache comes from a decoder
        /// with one thread, which shows it soonest; frame threads join at frame 1.
        Anyhow,
        /// Front to back from frame 0 (the headless tool's analysis): the decoder with frame
        /// threads starts at once, so the film's start is not decoded twice.
        FromTheStart,
    };
    /// Opens the first video track of the file at path and shows frame 0.
    /// Throws FilmError with a German text naming the cause (missing file, folder, empty
    /// file, unreadable file, not a film, no picture), FilmOpenCancelled on cancel.
    static std::unique_ptr<FfmsFrameSource> open(const std::string& path,
                                                 const OpenProgress& progress = {},
                                                 Reading reading = Reading::Anyhow);
    ~FfmsFrameSource() override;
    FfmsFrameSource(const FfmsFrameSource&) = delete;
    FfmsFrameSource& operator=(const FfmsFrameSource&) = delete;

    int frameCount() const override;
    int width() const override;
    int height() const override;
    int currentFrame() const override;
    void seek(int n) override;
    /// The current frame, converted from the decoder's planes at its first read.
    const RgbFrame& frame() const override;
    /// The current frame with rows top..bottom converted (a band at a time, where the film
    /// allows it), for a search that reads only those rows.
    const RgbFrame& rows(int top, int bottom) const override;
    /// Native size and frame rate, taken from info().
    FilmDescription description() const override;

    /// Size, frame count and frame rate of the film.
    const FilmInfo& info() const;
    /// The file this source reads.
    const std::string& path() const;
    /// Number of decoder calls so far (for benchmarks: what a jump costs).
    std::int64_t decodeCount() const;
    /// Whether frames asked for in order from frame 0 come from the plain decoder that reads
    /// the film front to back (the first pass proved it numbers the frames as FFMS2 does).
    bool readsInOrder() const;
    /// Whether FFMS2's own source has been set up (it is made at the first frame out of order).
    bool jumpSourceMade() const;
    /// Whether the film's frames are converted band by band where they are read (the check
    /// on the first frame found the bands equal to the whole conversion); else whole.
    bool convertsInBands() const;

    /// Folder in which indexes and frame hashes are cached: $XDG_CACHE_HOME/zebak, else
    /// ~/.cache/zebak (the home folder from $HOME or the user database); without a home a
    /// folder of the user's own in the temporary folder (mode 0700, checked), else "" (no
    /// cache).
    static std::string cacheFolder();

    struct Impl;  // the decoder state; defined in the source file

  private:
    explicit FfmsFrameSource(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace zebak
