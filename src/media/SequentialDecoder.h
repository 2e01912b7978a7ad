#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DecodedPicture.h"

namespace zebak {

/// Reads one video stream of a file front to back and puts out its pictures in order, the
/// way `ffmpeg` itself decodes a film: with the decoder's frame threads for the formats whose
/// threaded decoding gives the same pictures as decoding with one thread (H.264, HEVC, VP9,
/// MPEG-4 Part 2), with one thread for all others. Picture k of the output is frame k of the
/// film only as long as nothing is missing; callers check that (by time stamp and hash).
class SequentialDecoder {
  public:
    /// Opens stream `stream` of the file, with the threads threadsFor() gives for its format
    /// (or with one thread: its first picture then comes sooner and with less memory, as each
    /// frame thread sets up buffers of its own); nothing when the file, the stream or its
    /// decoder cannot be opened.
    static std::unique_ptr<SequentialDecoder> open(const std::string& path, int stream,
                                                   bool withThreads = true);
    ~SequentialDecoder();
    SequentialDecoder(const SequentialDecoder&) = delete;
    SequentialDecoder& operator=(const SequentialDecoder&) = delete;

    /// Decodes the next picture; false at the end of the stream or when the decoder fails.
    bool next();
    /// The picture of the last successful next().
    DecodedPicture picture() const;
    /// Its presentation time stamp in the stream's time base (the decoder's best guess).
    std::int64_t timestamp() const;
    /// Opened with one thread for a format that allows frame threads.
    bool couldUseThreads() const;
    /// Pictures put out so far.
    int delivered() const { return delivered_; }
    /// True when the decoder refused a packet or a picture as damaged on the way: the
    /// pictures put out may then not be every picture the film lists.
    bool sawDamage() const { return damaged_; }

    /// The thread count for decoding a stream of this codec (an AVCodecID) and size in order:
    /// 0 (the decoder's own choice, as many as the machine has) for the formats above, 1 for
    /// others and for pictures larger than 4K, where every frame thread holds frames of
    /// 50 MB and more and threads gain nothing measurable (8K H.264: 2.9 s either way).
    static int threadsFor(int codecId, int width, int height);
    /// Whether a picture of this size may be decoded with several threads at all (not above
    /// 4K); FFMS2's source for jumps follows the same rule.
    static bool allowsThreads(int width, int height) {
        return static_cast<long long>(width) * height <= 4096LL * 2304LL;
    }

    struct Impl;

  private:
    explicit SequentialDecoder(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
    int delivered_ = 0;
    bool damaged_ = false;
};

}  // namespace zebak
