// Opening a film: the index, the first pass over the film that records every frame's hash,
// the film's facts, and the cache that lets the next open skip the pass.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "DecoderProbe.h"
#include "FfmsSourceState.h"
#include "FilmCache.h"
#include "FilmCacheUse.h"
#include "FilmChecks.h"
#include "FilmFaults.h"
#include "IndexRate.h"
#include "core/FrameTimes.h"

namespace zebak {
namespace fs = std::filesystem;

namespace {

/// Share of the progress bar the index takes; the pass over the film takes the rest.
constexpr double kIndexShare = 0.1;

/// MPEG program streams decode worse with several threads (measured), so they get one.
bool isMpegProgramStream(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".mpg" || ext == ".mpeg" || ext == ".vob" || ext == ".m2v" || ext == ".m1v";
}

struct IndexProgress {
    const OpenProgress* progress = nullptr;
    bool cancelled = false;
};

int FFMS_CC onIndexProgress(int64_t current, int64_t total, void* data) {
    auto* p = static_cast<IndexProgress*>(data);
    if (p->progress == nullptr || !*p->progress) return 0;
    FilmOpenStatus status;
    status.fraction =
        total > 0 ? kIndexShare * std::clamp(static_cast<double>(current) / total, 0.0, 1.0) : 0.0;
    if (!(*p->progress)(status)) p->cancelled = true;
    return p->cancelled ? 1 : 0;
}

/// Reports the pass over the film: frames done and, from the pace so far, the time left.
class PassProgress {
  public:
    PassProgress(const OpenProgress& progress, int total) : progress_(progress), total_(total) {}
    /// False when the user cancelled.
    bool report(int done) {
        if (!progress_) return true;
        if (done % 8 != 0 && done != total_) return true;
        FilmOpenStatus status;
        status.framesDone = done;
        status.framesTotal = total_;
        status.fraction =
            kIndexShare + (1.0 - kIndexShare) * static_cast<double>(done) / std::max(total_, 1);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start_;
        if (done >= 8 && spent.count() > 0.2)
            status.secondsLeft = spent.count() / done * (total_ - done);
        return progress_(status);
    }

  private:
    const OpenProgress& progress_;
    int total_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

/// Reads the index from the cache (with the facts stored beside it) or builds it.
ffms::IndexPtr loadIndex(const std::string& path, const std::optional<FilmCacheEntry>& cache,
                         const OpenProgress& progress, std::optional<FrameHashes>& stored) {
    ffms::ErrorInfo error;
    if (cache) {
        if (ffms::IndexPtr index = cachedIndex(path, *cache, stored)) return index;
        stored.reset();
        std::error_code ec;
        fs::remove(cache->indexPath, ec);  // damaged, unvouched or stale: rebuild, never trust
    }
    FFMS_Indexer* indexer = FFMS_CreateIndexer(path.c_str(), error.get());
    if (indexer == nullptr) throw unreadableFilmError(path, error.text());
    IndexProgress state{&progress, false};
    FFMS_SetProgressCallback(indexer, onIndexProgress, &state);
    // FFMS_DoIndexing2 releases the indexer whatever happens.
    ffms::IndexPtr index(FFMS_DoIndexing2(indexer, FFMS_IEH_IGNORE, error.get()));
    if (state.cancelled) throw FilmOpenCancelled();
    if (!index) throw unreadableFilmError(path, error.text());
    return index;
}

FilmError noReadableFrame(FfmsFrameSource::Impl& impl) {
    return FilmError("Der Film " + inQuotes(impl.path) + " enthält kein lesbares Bild" +
                     decoderNote(impl.error.text()) + ".");
}

FFMS_Track* videoTrack(FfmsFrameSource::Impl& impl) {
    return FFMS_GetTrackFromIndex(impl.index.get(), impl.track);
}

/// Sizes from the stored size of frame 0 and the turn that makes it upright.
void setSizes(FfmsFrameSource::Impl& impl, FrameSize native) {
    impl.info.nativeSize = native;
    impl.storedSize = analysisSize(native);
    impl.info.analysisSize = uprightSize(impl.storedSize, impl.info.rotationDeg);
}

/// The stored size of frame 0 as FFMS2 decodes it (when the pass in order could not be used).
FrameSize nativeSizeFromFfms(FfmsFrameSource::Impl& impl) {
    const FFMS_Frame* first = impl.info.frameCount > 0
                                  ? FFMS_GetFrame(impl.normalSource(), 0, impl.error.get())
                                  : nullptr;
    if (first == nullptr || first->EncodedWidth <= 0 || first->EncodedHeight <= 0)
        throw noReadableFrame(impl);
    return FrameSize{first->EncodedWidth, first->EncodedHeight};
}

void noteSize(FfmsFrameSource::Impl& impl, int n, FrameSize size) {
    if (impl.sizeChangeFrame < 0 && size != impl.info.nativeSize) {
        impl.sizeChangeFrame = n;
        impl.changedSize = size;
    }
}

/// The fast first pass: the film decoded front to back with frame threads, as `ffmpeg`
/// does, every picture hashed without being converted. It is used only when it is certain
/// to number the frames as FFMS2 does: every picture must carry the time stamp FFMS2's index
/// gives that frame, the decoder must meet no damage, and it must deliver every listed
/// frame. Otherwise false (with nothing recorded), and the careful pass runs instead.
bool recordHashesInOrder(FfmsFrameSource::Impl& impl, const OpenProgress& progress) {
    auto decoder = SequentialDecoder::open(impl.path, impl.track);
    FFMS_Track* track = videoTrack(impl);
    const int total = impl.info.frameCount;
    if (!decoder || track == nullptr || total <= 0) return false;
    PassProgress pass(progress, total);
    std::vector<std::uint64_t> hashes;
    hashes.reserve(static_cast<std::size_t>(total));
    for (int n = 0; n < total; ++n) {
        const FFMS_FrameInfo* listed = FFMS_GetFrameInfo(track, n);
        if (!decoder->next() || decoder->sawDamage() || listed == nullptr ||
            decoder->timestamp() != listed->PTS)
            return false;
        const DecodedPicture picture = decoder->picture();
        if (n == 0) {
            // Frame 0 is kept as the frame shown after the open, so it is not decoded again.
            setSizes(impl, FrameSize{picture.width, picture.height});
            if (!impl.take(picture, impl.current)) return false;
        }
        noteSize(impl, n, FrameSize{picture.width, picture.height});
        hashes.push_back(pictureHash(picture));
        ++impl.decodes;
        if (!pass.report(n + 1)) throw FilmOpenCancelled();
    }
    impl.hashes = std::move(hashes);
    impl.readsInOrder = true;
    impl.shownFrame = 0;
    impl.inOrderFrame = 0;  // the decoder for the frames from 1 on is opened at frame 1
    return true;
}

/// The listed frames that have no picture, from the time stamps of the pictures the decoder
/// puts out; empty when the stamps do not all belong to listed frames, in order.
std::vector<int> listedFramesWithoutPicture(FfmsFrameSource::Impl& impl,
                                            const std::vector<PictureStamp>& pictures) {
    FFMS_Track* track = videoTrack(impl);
    std::vector<int> missing;
    std::size_t k = 0;
    for (int n = 0; n < impl.info.listedFrameCount; ++n) {
        const FFMS_FrameInfo* f = track != nullptr ? FFMS_GetFrameInfo(track, n) : nullptr;
        if (f == nullptr) return {};
        if (k < pictures.size() && pictures[k].pts == f->PTS)
            ++k;
        else
            missing.push_back(n);
    }
    return k == pictures.size() ? missing : std::vector<int>{};
}

/// The frames the decoder itself puts out, when FFMS2's account of the film looks doubtful:
/// a frame that would not decode, or one that repeats its predecessor exactly (FFMS2 hands
/// out the previous frame again for a frame the stream lists but the decoder never puts
/// out; a still scene repeats frames too, so pixels alone decide nothing). The count is
/// taken only when it is below FFMS2's and above 0. When pictures are missing before the
/// end, the decoder's pictures are the film: their hashes replace FFMS2's (which repeat a
/// picture or run on past the gap), so the frames after the gap are found among FFMS2's by
/// their hashes, and the missing frames are noted, so each frame keeps its own time.
int framesThatDecode(FfmsFrameSource::Impl& impl, bool doubtful, const OpenProgress& progress) {
    const int recorded = static_cast<int>(impl.hashes.size());
    if (!doubtful) return recorded;
    FilmOpenStatus last;
    last.fraction = 1.0;
    const auto pictures =
        decodedPictures(impl.path, impl.track, [&] { return !progress || progress(last); });
    if (!pictures && progress && !progress(last)) throw FilmOpenCancelled();
    const int counted = pictures ? static_cast<int>(pictures->size()) : 0;
    if (counted <= 0 || counted >= recorded) return recorded;
    std::vector<int> missing = listedFramesWithoutPicture(impl, *pictures);
    if (!missing.empty() && missing.front() < counted) {
        impl.missingFrames = std::move(missing);
        impl.hashes.clear();
        for (const PictureStamp& p : *pictures) impl.hashes.push_back(p.hash);
    }
    return counted;
}

/// The careful first pass, through FFMS2 frame by frame: it records every frame's hash and
/// what is wrong with the film: frames that are listed but do not really decode (they are
/// dropped, so the film ends where its real frames end) and a frame size that changes.
void recordHashesThroughFfms(FfmsFrameSource::Impl& impl, const OpenProgress& progress) {
    setSizes(impl, nativeSizeFromFfms(impl));
    impl.hashes.clear();
    impl.sizeChangeFrame = -1;
    RgbFrame f;
    const int total = impl.info.frameCount;
    PassProgress pass(progress, total);
    bool doubtful = false;
    for (int n = 0; n < total; ++n) {
        if (!impl.decode(impl.normalSource(), n, f)) {
            doubtful = true;
            break;
        }
        if (!impl.hashes.empty() && impl.hashes.back() == impl.lastHash) doubtful = true;
        impl.hashes.push_back(impl.lastHash);
        noteSize(impl, n, impl.lastDecodedSize);
        if (!pass.report(n + 1)) throw FilmOpenCancelled();
    }
    if (impl.hashes.empty()) throw noReadableFrame(impl);
    const int real = framesThatDecode(impl, doubtful, progress);
    impl.hashes.resize(static_cast<std::size_t>(real));
    if (real < total) impl.damagedFrom = impl.missingFrames.empty() ? real : impl.missingFrames[0];
    if (impl.sizeChangeFrame >= real) impl.sizeChangeFrame = -1;
    impl.stepper = nullptr;  // the decoder stands past the last real frame
    impl.pending = false;    // the pictures of the pass were only hashed, never shown
}

/// Takes the facts a cache file holds when they belong to this film as it is indexed now.
bool takeStoredFacts(FfmsFrameSource::Impl& impl, const std::optional<FrameHashes>& stored,
                     FfmsFrameSource::Reading reading) {
    if (!stored || stored->rotationDeg != impl.info.rotationDeg ||
        stored->listedFrames != impl.info.frameCount)
        return false;
    setSizes(impl, FrameSize{stored->nativeWidth, stored->nativeHeight});
    if (stored->width != impl.info.analysisSize.width ||
        stored->height != impl.info.analysisSize.height)
        return false;
    impl.hashes = stored->hashes;
    impl.damagedFrom = stored->damagedFrom;
    impl.missingFrames = stored->missingFrames;
    impl.sizeChangeFrame = stored->sizeChangeFrame;
    impl.changedSize = FrameSize{stored->changedWidth, stored->changedHeight};
    impl.readsInOrder = stored->readsInOrder == 1;
    // Frame 0 is decoded with one thread, and the next step brings in the frame threads;
    // a film to be read from its start gets them at once.
    if (impl.readsInOrder)
        impl.inOrder = SequentialDecoder::open(impl.path, impl.track,
                                               reading == FfmsFrameSource::Reading::FromTheStart);
    return true;
}

/// Every frame's presentation time, how evenly they follow each other, a frame rate that
/// can be trusted and the recording rate of a slow-motion film; all from the index and the
/// film's header, so no decoder is needed.
void readTiming(FfmsFrameSource::Impl& impl, const StreamRates& rates) {
    FilmInfo& i = impl.info;
    FFMS_Track* track = videoTrack(impl);
    const FFMS_TrackTimeBase* base = track != nullptr ? FFMS_GetTimeBase(track) : nullptr;
    i.frameTimesS.clear();
    double reportedFps = 0.0;
    if (base != nullptr && base->Den != 0) {
        // FFMS2's time base gives milliseconds. The times are kept to full precision relative
        // to frame 0, so the evaluation's time steps are the film's own (1/30 s, not 33.333 ms).
        const double secondsPerTick =
            static_cast<double>(base->Num) / (static_cast<double>(base->Den) * 1000.0);
        std::int64_t first = 0;
        std::int64_t last = 0;
        const int listed = i.listedFrameCount;
        // A listed frame without a picture has no frame of the film: each frame takes the
        // time of its own picture, also after a gap.
        auto missing = impl.missingFrames.begin();
        for (int n = 0; n < listed; ++n) {
            const FFMS_FrameInfo* f = FFMS_GetFrameInfo(track, n);
            if (f == nullptr) break;
            if (n == 0) first = f->PTS;
            last = f->PTS;
            const bool hasPicture = missing == impl.missingFrames.end() || *missing != n;
            if (!hasPicture) ++missing;
            if (hasPicture && static_cast<int>(i.frameTimesS.size()) < i.frameCount)
                i.frameTimesS.push_back(static_cast<double>(f->PTS - first) * secondsPerTick);
        }
        reportedFps = indexFrameRate(first, last, listed, base->Num, base->Den).fps();
    }
    if (static_cast<int>(i.frameTimesS.size()) != i.frameCount) i.frameTimesS.clear();
    const FrameSpacing spacing = frameSpacing(i.frameTimesS);
    i.variableFrameRate = spacing.uneven;
    i.minFrameSeconds = std::round(spacing.minSeconds * 1e6) / 1e6;
    i.maxFrameSeconds = std::round(spacing.maxSeconds * 1e6) / 1e6;
    i.fps = plausibleFrameRate(reportedFps, rates.streamFps, spacing);
    i.captureFps = rates.captureFps;
}

/// Index, the facts of the first pass (or of the cache), timing and faults of the film.
void prepare(FfmsFrameSource::Impl& impl, const OpenProgress& progress,
             FfmsFrameSource::Reading reading) {
    const std::string& path = impl.path;
    const auto cache = filmCacheEntry(FfmsFrameSource::cacheFolder(), path);
    std::optional<FrameHashes> stored;
    impl.index = loadIndex(path, cache, progress, stored);
    impl.track =
        FFMS_GetFirstIndexedTrackOfType(impl.index.get(), FFMS_TYPE_VIDEO, impl.error.get());
    if (impl.track < 0) throw noVideoError(path, impl.error.text());
    FFMS_Track* track = videoTrack(impl);
    impl.info.frameCount = track != nullptr ? FFMS_GetNumFrames(track) : 0;
    if (impl.info.frameCount <= 0) throw noReadableFrame(impl);
    impl.info.listedFrameCount = impl.info.frameCount;
    const StreamRates header = readStreamRates(path, impl.track);
    // The turn is taken to the nearest quarter turn.
    impl.info.rotationDeg = ((header.clockwiseTurnDeg + 45) / 90 % 4) * 90;

    if (!takeStoredFacts(impl, stored, reading)) {
        if (!recordHashesInOrder(impl, progress)) recordHashesThroughFfms(impl, progress);
        if (cache) storeInCache(impl, *cache);
    } else if (cache) {
        markFilmCacheEntryUsed(*cache);
    }
    impl.info.frameCount = static_cast<int>(impl.hashes.size());
    readTiming(impl, header);
    describeFaults(impl);
}

}  // namespace

std::unique_ptr<FfmsFrameSource> FfmsFrameSource::open(const std::string& path,
                                                       const OpenProgress& progress,
                                                       Reading reading) {
    checkFilmFile(path);
    ffms::initOnce();
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->openedFile = FileStamp::of(path);
    impl->threads = isMpegProgramStream(path) ? 1 : 0;
    try {
        prepare(*impl, progress, reading);
        auto source = std::unique_ptr<FfmsFrameSource>(new FfmsFrameSource(std::move(impl)));
        source->seek(0);
        return source;
    } catch (const FrameReadError& e) {
        // While the film opens, a frame that cannot be read makes it a film that cannot be
        // opened.
        throw FilmError(e.what());
    }
}

}  // namespace zebak
