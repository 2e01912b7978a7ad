#include "FfmsFrameSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <unordered_set>
#include <utility>

#include "DecoderProbe.h"
#include "FfmsHandles.h"
#include "FilmCache.h"
#include "FilmChecks.h"
#include "FrameConverter.h"
#include "core/FileWrite.h"
#include "core/FrameTimes.h"

namespace zebak {
namespace fs = std::filesystem;

void ffms::initOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        FFMS_Init(0, 0);
        FFMS_SetLogLevel(-8);  // quiet: errors reach the user through our own messages
    });
}

namespace {

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
    const double fraction = total > 0 ? 0.5 * static_cast<double>(current) / total : 0.0;
    if (!(*p->progress)(std::clamp(fraction, 0.0, 0.5))) p->cancelled = true;
    return p->cancelled ? 1 : 0;
}

}  // namespace

struct FfmsFrameSource::Impl {
    std::string path;
    FilmInfo info;
    ffms::IndexPtr index;
    int track = -1;
    int threads = 0;
    ffms::VideoSourcePtr normal;  // FFMS_SEEK_NORMAL: fast jumps, verified by hash
    ffms::VideoSourcePtr linear;  // FFMS_SEEK_LINEAR: exact but slow; made on demand
    std::vector<std::uint64_t> hashes;
    std::unordered_set<int> unverifiable;  // frames whose pixels differ from decode to decode
    ffms::ErrorInfo error;

    // The source whose decoder stands on a verified frame, so the next frame is one decode.
    FFMS_VideoSource* stepper = nullptr;
    int stepperFrame = -1;
    int stepperOffset = 0;  // the stepper delivers frame k when asked for k - stepperOffset

    int position = 0;     // 0 .. frameCount
    int shownFrame = -1;  // frame index held in current
    RgbFrame current;
    std::deque<std::pair<int, RgbFrame>> recent;  // recently shown frames, newest first
    static constexpr std::size_t kRecentFrames = 8;
    std::int64_t decodes = 0;
    FrameConverter converter;

    // What the first pass found wrong with the film (kept in the cache with the hashes).
    int damagedFrom = -1;      // first listed frame that does not really decode
    int sizeChangeFrame = -1;  // first frame stored at another size than frame 0
    FrameSize changedSize;
    FrameSize lastDecodedSize;  // stored size of the frame decoded last
    FrameSize storedSize;       // analysis size before the picture is turned upright

    ffms::VideoSourcePtr makeSource(int seekMode) {
        ffms::VideoSourcePtr vs(FFMS_CreateVideoSource(path.c_str(), track, index.get(), threads,
                                                       seekMode, error.get()));
        if (!vs)
            throw FilmError("Der Film " + inQuotes(path) + " kann nicht geöffnet werden" +
                            decoderNote(error.text()) + ".");
        return vs;
    }

    /// Decodes frame n of source into out at analysis size; false when the decoder fails.
    bool decode(FFMS_VideoSource* source, int n, RgbFrame& out) {
        ++decodes;
        const FFMS_Frame* f = FFMS_GetFrame(source, n, error.get());
        if (f != nullptr) lastDecodedSize = FrameSize{f->EncodedWidth, f->EncodedHeight};
        return f != nullptr && f->Data[0] != nullptr &&
               converter.convert(*f, storedSize.width, storedSize.height, info.rotationDeg, out);
    }

    bool verified(int n, const RgbFrame& f) const {
        if (n < 0 || static_cast<std::size_t>(n) >= hashes.size()) return false;
        return f.hash() == hashes[n] || unverifiable.count(n) != 0;
    }

    /// The index of the recorded frame with this hash nearest to `guess` (within 8 frames);
    /// -1 when none matches.
    int identify(int guess, std::uint64_t hash) const {
        const int count = static_cast<int>(hashes.size());
        for (int d = 0; d <= 8; ++d)
            for (int k : {guess - d, guess + d})
                if (k >= 0 && k < count && hashes[static_cast<std::size_t>(k)] == hash) return k;
        return -1;
    }

    /// Checks a frame reached by decoding forward from a verified frame. A frame that is
    /// none of the film's frames near n was not misplaced but decoded differently from the
    /// first pass (damaged data decodes differently each time): it is taken as it is and
    /// not checked again. A frame that is another frame of the film is refused.
    bool acceptStep(int n, const RgbFrame& f) {
        if (verified(n, f)) return true;
        if (identify(n, f.hash()) >= 0) return false;
        unverifiable.insert(n);
        return true;
    }

    /// Jumps the fast source to `from`, learns which frame it really delivered, and decodes
    /// forward to frame n, checking every frame. After a jump FFMS2 may count its frames
    /// off by one or two (MPEG program streams, B-frames); the offset found here is kept,
    /// so requests for later frames are corrected by it. True when n was reached exactly.
    bool walk(int from, int n, RgbFrame& out) {
        if (!decode(normal.get(), from, out)) return false;
        const int real = identify(from, out.hash());
        if (real < 0 || real > n) return false;
        const int offset = real - from;  // the real frame is the requested one plus offset
        for (int k = real + 1; k <= n; ++k)
            if (!decode(normal.get(), k - offset, out) || !acceptStep(k, out)) return false;
        stepper = normal.get();
        stepperOffset = offset;
        stepperFrame = n;
        return true;
    }

    /// Serves frame n exactly after a jump.
    void jumpTo(int n, RgbFrame& out) {
        // 1. Trust FFMS2's jump only when the frame's hash confirms it; a jump that lands
        //    just before n is finished by decoding forward.
        if (walk(n, n, out)) return;
        // 2. It landed after n: jump a little earlier and decode forward, checking.
        for (int back : {12, 40, 120}) {
            const int from = std::max(0, n - back);
            if (walk(from, n, out)) return;
            if (from == 0) break;
        }
        // 3. Last resort: the linear source, exact by construction.
        if (!linear) linear = makeSource(FFMS_SEEK_LINEAR);
        if (!decode(linear.get(), n, out))
            throw FilmError("Bild " + std::to_string(n) + " des Films " + inQuotes(path) +
                            " kann nicht gelesen werden" + decoderNote(error.text()) + ".");
        // Damaged data can decode differently each time; such a frame is taken as the
        // decoder gives it from now on instead of being repaired again on every visit.
        if (!verified(n, out)) unverifiable.insert(n);
        stepper = linear.get();
        stepperOffset = 0;
        stepperFrame = n;
    }

    void show(int n) {
        if (n == shownFrame) return;
        RgbFrame next;
        const auto cached = std::find_if(recent.begin(), recent.end(),
                                         [n](const auto& entry) { return entry.first == n; });
        if (cached != recent.end()) {
            next = std::move(cached->second);
            recent.erase(cached);  // before remember(), which moves the deque's elements
        } else {
            // Only a frame that must be decoded takes a spare buffer, so the oldest recent
            // frame is never dropped while it is the one asked for.
            next = spareBuffer();
            if (stepper != nullptr && n == stepperFrame + 1 &&
                decode(stepper, n - stepperOffset, next) && acceptStep(n, next)) {
                // One decode. Checked too: after a jump FFMS2 may hold a wrong idea of where
                // its decoder stands even when the frame it delivered was right.
                stepperFrame = n;
            } else {
                jumpTo(n, next);
            }
        }
        remember();
        current = std::move(next);
        shownFrame = n;
    }

    /// A frame buffer to decode into: the oldest recent frame's when the list is full, so
    /// stepping through a film allocates no memory.
    RgbFrame spareBuffer() {
        if (recent.size() < kRecentFrames) return RgbFrame();
        RgbFrame spare = std::move(recent.back().second);
        recent.pop_back();
        return spare;
    }

    void remember() {
        if (shownFrame < 0) return;
        recent.emplace_front(shownFrame, std::move(current));
        if (recent.size() > kRecentFrames) recent.pop_back();
    }
};

namespace {

/// Builds the index (progress 0 .. 0.5) or reads it from the cache.
ffms::IndexPtr loadIndex(const std::string& path, const std::optional<FilmCacheEntry>& cache,
                         const OpenProgress& progress, bool& fromCache) {
    ffms::ErrorInfo error;
    fromCache = false;
    if (cache && fs::exists(cache->indexPath)) {
        ffms::IndexPtr index(FFMS_ReadIndex(cache->indexPath.c_str(), error.get()));
        if (index && FFMS_IndexBelongsToFile(index.get(), path.c_str(), error.get()) == 0) {
            fromCache = true;
            return index;
        }
        std::error_code ec;
        fs::remove(cache->indexPath, ec);  // unreadable or stale: rebuild, never trust
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

}  // namespace

std::string FfmsFrameSource::cacheFolder() { return filmCacheFolder(); }

namespace {

FilmError noReadableFrame(FfmsFrameSource::Impl& impl) {
    return FilmError("Der Film " + inQuotes(impl.path) + " enthält kein lesbares Bild" +
                     decoderNote(impl.error.text()) + ".");
}

/// Frame count, rate and sizes; the native size comes from frame 0 as decoded.
void readProperties(FfmsFrameSource::Impl& impl) {
    const FFMS_VideoProperties* props = FFMS_GetVideoProperties(impl.normal.get());
    const FFMS_Frame* first =
        props->NumFrames > 0 ? FFMS_GetFrame(impl.normal.get(), 0, impl.error.get()) : nullptr;
    if (first == nullptr || first->EncodedWidth <= 0 || first->EncodedHeight <= 0)
        throw noReadableFrame(impl);
    impl.info.nativeSize = FrameSize{first->EncodedWidth, first->EncodedHeight};
    impl.storedSize = analysisSize(impl.info.nativeSize);
    // FFMS2 gives the clockwise turn of the display matrix; other angles than quarter
    // turns are taken to the nearest one.
    const int turn = ((props->Rotation % 360) + 360) % 360;
    impl.info.rotationDeg = ((turn + 45) / 90 % 4) * 90;
    impl.info.analysisSize = uprightSize(impl.storedSize, impl.info.rotationDeg);
    impl.info.frameCount = props->NumFrames;
    if (props->FPSNumerator > 0 && props->FPSDenominator > 0)
        impl.info.fps = static_cast<double>(props->FPSNumerator) / props->FPSDenominator;
}

/// The frames the decoder itself puts out, when FFMS2's account of the film looks doubtful:
/// a frame that would not decode, or one that repeats its predecessor exactly (FFMS2 hands
/// out the previous frame again for a frame the stream lists but the decoder never puts
/// out; a still scene repeats frames too, so pixels alone decide nothing). The count is
/// taken only when it is below FFMS2's and above 0.
int framesThatDecode(FfmsFrameSource::Impl& impl, bool doubtful, const OpenProgress& progress) {
    const int recorded = static_cast<int>(impl.hashes.size());
    if (!doubtful) return recorded;
    const auto counted = countDecodedFrames(impl.path, impl.track,
                                            [&progress] { return !progress || progress(1.0); });
    if (!counted && progress && !progress(1.0)) throw FilmOpenCancelled();
    return counted && *counted > 0 && *counted < recorded ? *counted : recorded;
}

/// One sequential pass records every frame's hash (progress 0.5 .. 1) and what is wrong
/// with the film: frames that are listed but do not really decode (they are dropped, so
/// the film ends where its real frames end) and a frame size that changes.
void recordHashes(FfmsFrameSource::Impl& impl, const OpenProgress& progress) {
    RgbFrame f;
    const int total = impl.info.frameCount;
    bool doubtful = false;
    for (int n = 0; n < total; ++n) {
        if (!impl.decode(impl.normal.get(), n, f)) {
            doubtful = true;
            break;
        }
        const std::uint64_t hash = f.hash();
        if (!impl.hashes.empty() && impl.hashes.back() == hash) doubtful = true;
        impl.hashes.push_back(hash);
        if (impl.sizeChangeFrame < 0 && impl.lastDecodedSize != impl.info.nativeSize) {
            impl.sizeChangeFrame = n;
            impl.changedSize = impl.lastDecodedSize;
        }
        if (progress && (n % 8 == 0 || n + 1 == total) &&
            !progress(0.5 + 0.5 * static_cast<double>(n + 1) / total))
            throw FilmOpenCancelled();
    }
    if (impl.hashes.empty()) throw noReadableFrame(impl);
    const int real = framesThatDecode(impl, doubtful, progress);
    impl.hashes.resize(static_cast<std::size_t>(real));
    if (real < total) impl.damagedFrom = real;
    if (impl.sizeChangeFrame >= real) impl.sizeChangeFrame = -1;
    impl.stepper = nullptr;  // the decoder stands past the last real frame
}

FrameHashes factsOf(const FfmsFrameSource::Impl& impl) {
    FrameHashes d;
    d.width = impl.info.analysisSize.width;
    d.height = impl.info.analysisSize.height;
    d.rotationDeg = impl.info.rotationDeg;
    d.hashes = impl.hashes;
    d.listedFrames = impl.info.listedFrameCount;
    d.damagedFrom = impl.damagedFrom;
    d.sizeChangeFrame = impl.sizeChangeFrame;
    d.changedWidth = impl.changedSize.width;
    d.changedHeight = impl.changedSize.height;
    return d;
}

/// Keeps index and hashes for the next open; a cache that cannot be written is no error.
void storeInCache(FfmsFrameSource::Impl& impl, const FilmCacheEntry& cache) {
    ffms::ErrorInfo e;
    const std::string temp = temporaryNameFor(cache.indexPath);
    std::error_code ec;
    if (FFMS_WriteIndex(temp.c_str(), impl.index.get(), e.get()) != 0) {
        fs::remove(temp, ec);
        return;
    }
    fs::rename(temp, cache.indexPath, ec);
    if (!ec) writeFrameHashes(cache.hashesPath, factsOf(impl));
}

/// Every frame's presentation time, how evenly they follow each other, a frame rate that
/// can be trusted and the recording rate of a slow-motion film.
void readTiming(FfmsFrameSource::Impl& impl) {
    FilmInfo& i = impl.info;
    FFMS_Track* track = FFMS_GetTrackFromVideo(impl.normal.get());
    const FFMS_TrackTimeBase* base = track != nullptr ? FFMS_GetTimeBase(track) : nullptr;
    i.frameTimesS.clear();
    if (base != nullptr && base->Den != 0) {
        // FFMS2's time base gives milliseconds. The times are kept to full precision relative
        // to frame 0, so the evaluation's time steps are the film's own (1/30 s, not 33.333 ms).
        const double secondsPerTick =
            static_cast<double>(base->Num) / (static_cast<double>(base->Den) * 1000.0);
        std::int64_t first = 0;
        for (int n = 0; n < i.frameCount; ++n) {
            const FFMS_FrameInfo* f = FFMS_GetFrameInfo(track, n);
            if (f == nullptr) break;
            if (n == 0) first = f->PTS;
            i.frameTimesS.push_back(static_cast<double>(f->PTS - first) * secondsPerTick);
        }
    }
    if (static_cast<int>(i.frameTimesS.size()) != i.frameCount) i.frameTimesS.clear();
    const FrameSpacing spacing = frameSpacing(i.frameTimesS);
    i.variableFrameRate = spacing.uneven;
    i.minFrameSeconds = std::round(spacing.minSeconds * 1e6) / 1e6;
    i.maxFrameSeconds = std::round(spacing.maxSeconds * 1e6) / 1e6;
    const StreamRates rates = readStreamRates(impl.path, impl.track);
    i.fps = plausibleFrameRate(i.fps, rates.streamFps, spacing);
    i.captureFps = rates.captureFps;
}

/// Tells the film's faults in the words the user sees on loading.
void describeFaults(FfmsFrameSource::Impl& impl) {
    FilmInfo& i = impl.info;
    i.damaged = impl.damagedFrom >= 0;
    if (i.damaged)
        i.warnings.push_back(
            "Der Film ist beschädigt: ab Bild " + std::to_string(impl.damagedFrom) +
            " lassen sich keine Bilder mehr lesen. Von den " + std::to_string(i.listedFrameCount) +
            " Bildern, die er angibt, " + "werden nur die " + std::to_string(i.frameCount) +
            " lesbaren verwendet.");
    if (impl.sizeChangeFrame >= 0)
        i.warnings.push_back(
            "Die Bildgröße des Films ändert sich ab Bild " + std::to_string(impl.sizeChangeFrame) +
            " von " + std::to_string(i.nativeSize.width) + "x" +
            std::to_string(i.nativeSize.height) + " auf " + std::to_string(impl.changedSize.width) +
            "x" + std::to_string(impl.changedSize.height) +
            ". Alle Bilder werden auf die Größe des ersten Bildes umgerechnet.");
}

}  // namespace

std::unique_ptr<FfmsFrameSource> FfmsFrameSource::open(const std::string& path,
                                                       const OpenProgress& progress) {
    checkFilmFile(path);
    ffms::initOnce();
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->threads = isMpegProgramStream(path) ? 1 : 0;

    const auto cache = filmCacheEntry(cacheFolder(), path);
    bool indexFromCache = false;
    impl->index = loadIndex(path, cache, progress, indexFromCache);
    impl->track =
        FFMS_GetFirstIndexedTrackOfType(impl->index.get(), FFMS_TYPE_VIDEO, impl->error.get());
    if (impl->track < 0) throw noVideoError(path, impl->error.text());
    impl->normal = impl->makeSource(FFMS_SEEK_NORMAL);
    readProperties(*impl);

    std::optional<FrameHashes> stored;
    if (cache && indexFromCache) stored = readFrameHashes(cache->hashesPath);
    impl->info.listedFrameCount = impl->info.frameCount;
    if (stored && stored->width == impl->info.analysisSize.width &&
        stored->height == impl->info.analysisSize.height &&
        stored->rotationDeg == impl->info.rotationDeg &&
        stored->listedFrames == impl->info.frameCount) {
        impl->hashes = std::move(stored->hashes);
        impl->damagedFrom = stored->damagedFrom;
        impl->sizeChangeFrame = stored->sizeChangeFrame;
        impl->changedSize = FrameSize{stored->changedWidth, stored->changedHeight};
    } else {
        recordHashes(*impl, progress);
        if (cache) storeInCache(*impl, *cache);
    }
    impl->info.frameCount = static_cast<int>(impl->hashes.size());
    readTiming(*impl);
    describeFaults(*impl);
    auto source = std::unique_ptr<FfmsFrameSource>(new FfmsFrameSource(std::move(impl)));
    source->seek(0);
    return source;
}

FfmsFrameSource::FfmsFrameSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FfmsFrameSource::~FfmsFrameSource() = default;

int FfmsFrameSource::frameCount() const { return impl_->info.frameCount; }
int FfmsFrameSource::width() const { return impl_->info.analysisSize.width; }
int FfmsFrameSource::height() const { return impl_->info.analysisSize.height; }
int FfmsFrameSource::currentFrame() const { return impl_->position; }
const RgbFrame& FfmsFrameSource::frame() const { return impl_->current; }
const FilmInfo& FfmsFrameSource::info() const { return impl_->info; }
FilmDescription FfmsFrameSource::description() const {
    const FilmInfo& i = impl_->info;
    FilmDescription d;
    d.nativeSize = i.nativeSize;
    d.fps = i.fps;
    d.rotationDeg = i.rotationDeg;
    d.captureFps = i.captureFps;
    d.frameTimesS = i.frameTimesS;
    d.variableFrameRate = i.variableFrameRate;
    d.minFrameSeconds = i.minFrameSeconds;
    d.maxFrameSeconds = i.maxFrameSeconds;
    d.warnings = i.warnings;
    return d;
}
const std::string& FfmsFrameSource::path() const { return impl_->path; }
std::int64_t FfmsFrameSource::decodeCount() const { return impl_->decodes; }

void FfmsFrameSource::seek(int n) {
    const int count = impl_->info.frameCount;
    const int position = std::clamp(n, 0, count);
    impl_->show(std::min(position, count - 1));
    impl_->position = position;
}

}  // namespace zebak
