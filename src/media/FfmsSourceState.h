#pragma once

// The state behind FfmsFrameSource, shared by the file that serves frames and the file that
// opens films. Not part of the media library's interface.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "FfmsFrameSource.h"
#include "FfmsHandles.h"
#include "FrameConverter.h"
#include "SequentialDecoder.h"

namespace zebak {

/// What the file system says of a file: enough to tell that it changed.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeS = 0;
    std::int64_t mtimeNs = 0;
    bool exists = false;
    /// The stamp of the file at path now; one that does not exist when it cannot be read.
    static FileStamp of(const std::string& path);
    bool operator==(const FileStamp&) const = default;
};

struct FfmsFrameSource::Impl {
    std::string path;
    FileStamp openedFile;  // the film file as it was when it was opened
    FilmInfo info;
    ffms::IndexPtr index;
    int track = -1;
    int threads = 0;
    ffms::VideoSourcePtr normal;        // FFMS_SEEK_NORMAL: fast jumps, verified by hash; on demand
    ffms::VideoSourcePtr linear;        // FFMS_SEEK_LINEAR: exact but slow; made on demand
    std::vector<std::uint64_t> hashes;  // pictureHash of every frame from the first pass
    std::unordered_set<int> unverifiable;  // frames whose pixels differ from decode to decode
    ffms::ErrorInfo error;

    // The film read front to back with frame threads, as long as it delivers the recorded
    // frames: stepping from frame 0 onwards costs one decode a frame and no FFMS2 source.
    std::unique_ptr<SequentialDecoder> inOrder;
    int inOrderFrame = -1;      // the frame it delivered last
    bool readsInOrder = false;  // the first pass proved that it numbers frames as FFMS2 does

    // The FFMS2 source whose decoder stands on a verified frame, so the next frame is one decode.
    FFMS_VideoSource* stepper = nullptr;
    int stepperFrame = -1;
    int stepperOffset = 0;  // the stepper delivers frame k when asked for k - stepperOffset

    int position = 0;     // 0 .. frameCount
    int shownFrame = -1;  // frame index held in current
    RgbFrame current;
    // The current frame's rows are converted when first read: the decoded picture they come
    // from (the decoder's own planes, valid until its next decode) and the bands done.
    bool pending = false;
    DecodedPicture pendingPicture;
    std::vector<bool> bandsDone;
    bool currentIncomplete = false;  // its picture is gone with rows never converted
    bool convertedWhole = false;     // the last decode converted its picture whole at once
    std::deque<std::pair<int, RgbFrame>> recent;  // recently shown frames, newest first
    bool steppedBack = false;  // the film was stepped back: the recent frames pay off
    std::int64_t decodes = 0;
    std::uint64_t lastHash = 0;  // pictureHash of the picture decoded last
    FrameConverter converter;

    // What the first pass found wrong with the film (kept in the cache with the hashes).
    int damagedFrom = -1;            // first listed frame that does not really decode
    std::vector<int> missingFrames;  // listed frames without a picture, when not only at the end
    int sizeChangeFrame = -1;        // first frame stored at another size than frame 0
    FrameSize changedSize;
    FrameSize lastDecodedSize;  // stored size of the frame decoded last
    FrameSize storedSize;       // analysis size before the picture is turned upright

    ffms::VideoSourcePtr makeSource(int seekMode);
    FFMS_VideoSource* normalSource();
    /// Decodes frame n of source into out at analysis size; false when the decoder fails.
    bool decode(FFMS_VideoSource* source, int n, RgbFrame& out);
    /// Notes the hash and the stored size of the picture decoded last.
    void notePicture(const DecodedPicture& picture);
    /// Turns a decoded picture into out and notes its hash and size.
    bool take(const DecodedPicture& picture, RgbFrame& out);
    /// Notes the picture's hash and size and makes out its frame, whose rows are converted
    /// when they are first read (convertRows, completeCurrent) once out is the current frame.
    bool takeLazily(const DecodedPicture& picture, RgbFrame& out);
    /// Converts the rows top..bottom (inclusive, clamped) of the current frame that are not
    /// converted yet; all rows when the picture cannot be converted band by band.
    void convertRows(int top, int bottom);
    void completeCurrent() { convertRows(0, current.height() - 1); }
    /// Before the decoder moves on (its picture is then gone): completes the current frame
    /// when it may be shown again from the recent frames, else notes that it is incomplete.
    void settle();
    bool verified(int n, std::uint64_t hash) const;
    int identify(int guess, std::uint64_t hash) const;
    bool acceptStep(int n);
    /// Whether the file is no longer the one opened (cut short, rewritten, replaced, gone).
    bool fileChanged() const;
    [[noreturn]] void throwUnreadable(int n) const;
    bool walk(int from, int n, RgbFrame& out);
    void jumpTo(int n, RgbFrame& out);
    bool stepInOrder(int n, RgbFrame& out);
    void show(int n);
    /// Frame n into out, from the decoder that stands before it, the one reading in order,
    /// or by a jump; throws when it cannot be read.
    void decodeInto(int n, RgbFrame& out);
    /// After a failed step that decoded into the shown frame's own buffer: the buffer is the
    /// shown frame again, with black where its pixels are no longer known.
    void keepShown(RgbFrame buffer, const std::vector<bool>& shownBands);
    /// Rows from .. to - 1 of the current frame made black (pixels that cannot be known).
    void blankRows(int from, int to);
    RgbFrame spareBuffer();
    void remember();
    /// How many frames the recent-frames list keeps: while the film is read in order the
    /// frame before the shown one, or none for large frames (the shown frame's buffer then
    /// takes the next frame); after a step back as many as fit in its byte budget.
    std::size_t recentCapacity() const;
};

}  // namespace zebak
