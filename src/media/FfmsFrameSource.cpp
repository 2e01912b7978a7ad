#include "FfmsFrameSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <mutex>

#include "FfmsSourceState.h"
#include "FilmChecks.h"

namespace zebak {

void ffms::initOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        FFMS_Init(0, 0);
        FFMS_SetLogLevel(-8);  // quiet: errors reach the user through our own messages
    });
}

namespace {

/// The recent frames and the frame shown together hold at most this many bytes: 32 frames
/// of a 1080p film, 7 of a 4K film, one of an 8K film (95 MiB a frame) besides the one shown.
/// A fresh buffer for every frame would cost its first touch each time (0.3 s for an 8K frame
/// here), so a decode always goes into a buffer that was used before: the oldest recent
/// frame's, or, while nothing is kept, the shown frame's own.
constexpr std::size_t kRecentBytes = 200u * 1024u * 1024u;
/// The list keeps at most the frame before the shown one until the film is stepped back by
/// at most this many frames: memory touched for the first time costs about 17 ms per 1080p
/// frame on a virtual machine (measured), so a list that filled its budget on every pass in
/// order (where it is never read) would slow decoding and tracking by a tenth to a third.
constexpr int kStepBackFrames = 16;
/// Why frames of a film can no longer be read when its file changed while it was open.
constexpr const char* kChangedWhileOpen =
    ": Die Datei wurde verändert oder abgeschnitten, während sie geöffnet war";

}  // namespace

ffms::VideoSourcePtr FfmsFrameSource::Impl::makeSource(int seekMode) {
    // Pictures larger than 4K get one thread, as in the decoder that reads in order.
    const bool threaded =
        SequentialDecoder::allowsThreads(info.nativeSize.width, info.nativeSize.height);
    ffms::VideoSourcePtr vs(FFMS_CreateVideoSource(path.c_str(), track, index.get(),
                                                   threaded ? threads : 1, seekMode, error.get()));
    if (!vs && fileChanged())
        throw FrameReadError("Der Film " + inQuotes(path) + " kann nicht mehr gelesen werden" +
                             kChangedWhileOpen + ".");
    if (!vs)
        throw FilmError("Der Film " + inQuotes(path) + " kann nicht geöffnet werden" +
                        decoderNote(error.text()) + ".");
    return vs;
}

FFMS_VideoSource* FfmsFrameSource::Impl::normalSource() {
    // Setting up FFMS2's source decodes the first frames of the film (about a third of a
    // second at 1080p), so it is made only when a frame is needed out of order.
    if (!normal) normal = makeSource(FFMS_SEEK_NORMAL);
    return normal.get();
}

void FfmsFrameSource::Impl::notePicture(const DecodedPicture& picture) {
    lastDecodedSize = FrameSize{picture.width, picture.height};
    lastHash = pictureHash(picture);
}

bool FfmsFrameSource::Impl::take(const DecodedPicture& picture, RgbFrame& out) {
    notePicture(picture);
    return picture.data[0] != nullptr &&
           converter.convert(picture, storedSize.width, storedSize.height, info.rotationDeg, out);
}

bool FfmsFrameSource::Impl::takeLazily(const DecodedPicture& picture, RgbFrame& out) {
    notePicture(picture);
    pending = false;
    if (picture.data[0] == nullptr) return false;
    const FrameConverter::Begun begun =
        converter.begin(picture, storedSize.width, storedSize.height, info.rotationDeg, out);
    if (begun == FrameConverter::Begun::Failed) return false;
    if (begun == FrameConverter::Begun::Converted) {
        convertedWhole = true;
        return true;
    }
    pending = true;
    pendingPicture = picture;
    bandsDone.assign(converter.convertsInBands()
                         ? static_cast<std::size_t>((out.height() + FrameConverter::kBandRows - 1) /
                                                    FrameConverter::kBandRows)
                         : 0u,
                     false);
    return true;
}

void FfmsFrameSource::Impl::convertRows(int top, int bottom) {
    if (!pending) return;
    const int height = current.height();
    top = std::max(top, 0);
    bottom = std::min(bottom, height - 1);
    if (top > bottom) return;
    if (bandsDone.empty()) {
        // Turned, scaled or paletted pictures are converted whole, at their first read.
        pending = false;
        if (!converter.convert(pendingPicture, storedSize.width, storedSize.height,
                               info.rotationDeg, current))
            blankRows(0, height);
        return;
    }
    constexpr int kBand = FrameConverter::kBandRows;
    const int first = top / kBand;
    const int last = bottom / kBand;
    if (info.rotationDeg == 0 && first == 0 && last + 1 == static_cast<int>(bandsDone.size()) &&
        std::none_of(bandsDone.begin(), bandsDone.end(), [](bool done) { return done; })) {
        // All rows of an upright picture at once (a whole-area search, a window showing the
        // frame): the whole conversion, which writes the frame's rows in place where their
        // layout allows. A turned picture is turned band by band, each band's part of the
        // picture small enough to stay in the processor's cache while it is turned.
        bandsDone.clear();
        convertRows(top, bottom);
        return;
    }
    bool all = true;
    for (std::size_t b = 0; b < bandsDone.size(); ++b) {
        const int band = static_cast<int>(b);
        if (!bandsDone[b] && band >= first && band <= last) {
            const int from = band * kBand;
            const int to = std::min(from + kBand, height);
            if (!converter.convertBand(pendingPicture, from, to, current)) blankRows(from, to);
            bandsDone[b] = true;
        }
        all = all && bandsDone[b];
    }
    if (all) pending = false;
}

void FfmsFrameSource::Impl::settle() {
    if (!pending) return;
    if (steppedBack) {
        completeCurrent();
        return;
    }
    pending = false;
    currentIncomplete = true;
}

bool FfmsFrameSource::Impl::decode(FFMS_VideoSource* source, int n, RgbFrame& out) {
    ++decodes;
    const FFMS_Frame* f = FFMS_GetFrame(source, n, error.get());
    return f != nullptr && takeLazily(DecodedPicture::of(*f), out);
}

FileStamp FileStamp::of(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return FileStamp{};
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::int64_t>(st.st_size),
                     static_cast<std::int64_t>(st.st_mtim.tv_sec),
                     static_cast<std::int64_t>(st.st_mtim.tv_nsec), true};
}

bool FfmsFrameSource::Impl::verified(int n, std::uint64_t hash) const {
    if (n < 0 || static_cast<std::size_t>(n) >= hashes.size()) return false;
    return hash == hashes[n] || unverifiable.count(n) != 0;
}

/// The index of the recorded frame with this hash nearest to `guess` (within 8 frames);
/// -1 when none matches.
int FfmsFrameSource::Impl::identify(int guess, std::uint64_t hash) const {
    const int count = static_cast<int>(hashes.size());
    for (int d = 0; d <= 8; ++d)
        for (int k : {guess - d, guess + d})
            if (k >= 0 && k < count && hashes[static_cast<std::size_t>(k)] == hash) return k;
    return -1;
}

/// Checks the frame just decoded, reached by decoding forward from a verified frame. A frame
/// that is none of the film's frames near n was not misplaced but decoded differently from
/// the first pass (damaged data decodes differently each time): it is taken as it is and
/// not checked again, unless the file has changed since it was opened. A frame that is
/// another frame of the film is refused.
bool FfmsFrameSource::Impl::acceptStep(int n) {
    if (verified(n, lastHash)) return true;
    if (identify(n, lastHash) >= 0) return false;
    // A film cut short while open makes the decoder hand out the last picture it could read
    // again, for every frame after the cut: that is no frame of its own.
    if (fileChanged()) return false;
    unverifiable.insert(n);
    return true;
}

bool FfmsFrameSource::Impl::fileChanged() const { return FileStamp::of(path) != openedFile; }

/// Frame n cannot be read: a FrameReadError when the file changed since it was opened (the
/// work on a sound film broke off), otherwise a FilmError with the decoder's words (the film
/// is damaged there).
[[noreturn]] void FfmsFrameSource::Impl::throwUnreadable(int n) const {
    const std::string frame = "Bild " + std::to_string(n) + " des Films " + inQuotes(path) +
                              " kann nicht gelesen werden";
    if (fileChanged()) throw FrameReadError(frame + kChangedWhileOpen + ".");
    throw FilmError(frame + decoderNote(error.text()) + ".");
}

/// Jumps the fast source to `from`, learns which frame it really delivered, and decodes
/// forward to frame n, checking every frame. After a jump FFMS2 may count its frames off by
/// one or two (MPEG program streams, B-frames); the offset found here is kept, so requests
/// for later frames are corrected by it. True when n was reached exactly.
bool FfmsFrameSource::Impl::walk(int from, int n, RgbFrame& out) {
    FFMS_VideoSource* source = normalSource();
    if (!decode(source, from, out)) return false;
    const int real = identify(from, lastHash);
    if (real < 0 || real > n) return false;
    const int offset = real - from;  // the real frame is the requested one plus offset
    for (int k = real + 1; k <= n; ++k)
        if (!decode(source, k - offset, out) || !acceptStep(k)) return false;
    stepper = source;
    stepperOffset = offset;
    stepperFrame = n;
    return true;
}

/// Serves frame n exactly after a jump.
void FfmsFrameSource::Impl::jumpTo(int n, RgbFrame& out) {
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
    if (!decode(linear.get(), n, out)) throwUnreadable(n);
    if (!verified(n, lastHash)) {
        // A film cut short or changed while it is open makes the decoder hand out the last
        // picture it could read again: that is never served as frame n.
        if (fileChanged()) throwUnreadable(n);
        // Damaged data can decode differently each time; such a frame is taken as the
        // decoder gives it from now on instead of being repaired again on every visit.
        unverifiable.insert(n);
    }
    stepper = linear.get();
    stepperOffset = 0;
    stepperFrame = n;
}

/// Frame n from the decoder that reads the film in order, when it stands on frame n - 1 (or
/// n is 0, for which it starts afresh). Every picture must be the recorded one; at the first
/// that is not, the decoder is given up and FFMS2 serves the frames from then on.
bool FfmsFrameSource::Impl::stepInOrder(int n, RgbFrame& out) {
    if (n == 0 && inOrderFrame != -1 && readsInOrder) {
        inOrder = SequentialDecoder::open(path, track);
        inOrderFrame = -1;
    }
    if (n == 1 && inOrderFrame == 0 && readsInOrder && (!inOrder || inOrder->couldUseThreads())) {
        // Frame 0 came from the first pass, or a warm open decoded it with one thread; going
        // on, a decoder with frame threads takes over from the film's start.
        auto threaded = SequentialDecoder::open(path, track);
        if (threaded && threaded->next()) inOrder = std::move(threaded);
    }
    if (!inOrder || inOrderFrame != n - 1) return false;
    ++decodes;
    if (inOrder->next() && takeLazily(inOrder->picture(), out) && lastHash == hashes[n]) {
        inOrderFrame = n;
        return true;
    }
    inOrder.reset();
    inOrderFrame = -2;
    return false;
}

void FfmsFrameSource::Impl::show(int n) {
    if (n == shownFrame) return;
    if (n < shownFrame && shownFrame - n <= kStepBackFrames) steppedBack = true;
    settle();
    RgbFrame next;
    const auto cached = std::find_if(recent.begin(), recent.end(),
                                     [n](const auto& entry) { return entry.first == n; });
    if (cached != recent.end()) {
        next = std::move(cached->second);
        recent.erase(cached);  // before remember(), which moves the deque's elements
        remember();
    } else {
        // Only a frame that must be decoded takes a spare buffer, so the oldest recent
        // frame is never dropped while it is the one asked for. While the film is read in
        // order nothing is kept: the frame shown gives its own buffer to the next one (one
        // frame in memory, not two: 100 MB at 8K). Its pixels stay as they are until the
        // next frame's rows are converted into it, so a step that fails leaves it shown.
        next = spareBuffer();
        const bool reused = next.empty() && recentCapacity() == 0;
        std::vector<bool> shownBands;
        if (reused) {
            shownBands = bandsDone;
            next = std::move(current);
        }
        convertedWhole = false;
        try {
            decodeInto(n, next);
        } catch (...) {
            if (reused) keepShown(std::move(next), shownBands);
            throw;
        }
        if (!reused) remember();
    }
    current = std::move(next);
    currentIncomplete = false;
    shownFrame = n;
}

void FfmsFrameSource::Impl::decodeInto(int n, RgbFrame& out) {
    if (stepper != nullptr && n == stepperFrame + 1 && decode(stepper, n - stepperOffset, out) &&
        acceptStep(n)) {
        // One decode. Checked too: after a jump FFMS2 may hold a wrong idea of where
        // its decoder stands even when the frame it delivered was right.
        stepperFrame = n;
    } else if (!stepInOrder(n, out)) {
        jumpTo(n, out);
    }
}

void FfmsFrameSource::Impl::keepShown(RgbFrame buffer, const std::vector<bool>& shownBands) {
    // The shown frame's rows that were converted are still in its buffer; rows it never
    // converted (its picture is gone) and a buffer a whole conversion wrote over are black.
    current = std::move(buffer);
    pending = false;
    constexpr int kBand = FrameConverter::kBandRows;
    for (int from = 0; from < current.height(); from += kBand) {
        const auto band = static_cast<std::size_t>(from / kBand);
        const bool kept = !convertedWhole &&
                          (!currentIncomplete || (band < shownBands.size() && shownBands[band]));
        if (!kept) blankRows(from, std::min(from + kBand, current.height()));
    }
}

void FfmsFrameSource::Impl::blankRows(int from, int to) {
    for (int y = from; y < to; ++y)
        std::fill_n(current.row(y), static_cast<std::size_t>(current.width()) * 3u,
                    std::uint8_t{0});
}

std::size_t FfmsFrameSource::Impl::recentCapacity() const {
    const std::size_t frameBytes = static_cast<std::size_t>(info.analysisSize.width) *
                                   static_cast<std::size_t>(info.analysisSize.height) * 3u;
    const std::size_t frames = kRecentBytes / std::max<std::size_t>(frameBytes, 1);
    // Read in order, the frame before the shown one is kept where frames are small enough
    // (up to 4K), so one step back is free; a larger frame gives its buffer to the next.
    if (!steppedBack) return frames >= 4 ? 1 : 0;
    return std::max<std::size_t>(frames > 0 ? frames - 1 : 0, 1);
}

/// A frame buffer to decode into: the oldest recent frame's when the list is full, so
/// stepping through a film allocates no memory.
RgbFrame FfmsFrameSource::Impl::spareBuffer() {
    if (recent.empty() || recent.size() < recentCapacity()) return RgbFrame();
    RgbFrame spare = std::move(recent.back().second);
    recent.pop_back();
    return spare;
}

void FfmsFrameSource::Impl::remember() {
    if (shownFrame < 0) return;
    // A frame with rows never converted is kept only as a buffer to decode into.
    recent.emplace_front(currentIncomplete ? -1 : shownFrame, std::move(current));
    currentIncomplete = false;
    while (recent.size() > std::max<std::size_t>(recentCapacity(), 1)) recent.pop_back();
}

FfmsFrameSource::FfmsFrameSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FfmsFrameSource::~FfmsFrameSource() = default;

std::string FfmsFrameSource::cacheFolder() { return filmCacheFolder(); }
int FfmsFrameSource::frameCount() const { return impl_->info.frameCount; }
int FfmsFrameSource::width() const { return impl_->info.analysisSize.width; }
int FfmsFrameSource::height() const { return impl_->info.analysisSize.height; }
int FfmsFrameSource::currentFrame() const { return impl_->position; }
const RgbFrame& FfmsFrameSource::frame() const {
    impl_->completeCurrent();
    return impl_->current;
}
const RgbFrame& FfmsFrameSource::rows(int top, int bottom) const {
    impl_->convertRows(top, bottom);
    return impl_->current;
}
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
bool FfmsFrameSource::readsInOrder() const { return impl_->readsInOrder; }
bool FfmsFrameSource::jumpSourceMade() const { return impl_->normal != nullptr; }
bool FfmsFrameSource::convertsInBands() const { return impl_->converter.convertsInBands(); }

void FfmsFrameSource::seek(int n) {
    const int count = impl_->info.frameCount;
    const int position = std::clamp(n, 0, count);
    impl_->show(std::min(position, count - 1));
    impl_->position = position;
}

}  // namespace zebak
