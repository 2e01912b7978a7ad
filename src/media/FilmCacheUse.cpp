// The film cache as the opening of a film uses it: the index only when the hash file
// vouches for it, and index and facts stored together.

#include "FilmCacheUse.h"

#include <filesystem>

#include "core/FileWrite.h"

namespace zebak {
namespace fs = std::filesystem;

namespace {

/// Largest index file the cache reads (a film of millions of frames has a few dozen MB).
constexpr std::uintmax_t kLargestIndexBytes = std::uintmax_t{512} << 20;

}  // namespace

ffms::IndexPtr cachedIndex(const std::string& path, const FilmCacheEntry& cache,
                           std::optional<FrameHashes>& stored) {
    const auto bytes = readCacheFile(cache.indexPath, kLargestIndexBytes);
    if (!bytes) return nullptr;
    stored = readFrameHashes(cache.hashesPath);
    if (!stored || stored->indexChecksum != indexChecksum(*bytes)) return nullptr;
    ffms::ErrorInfo error;
    ffms::IndexPtr index(FFMS_ReadIndexFromBuffer(reinterpret_cast<const uint8_t*>(bytes->data()),
                                                  bytes->size(), error.get()));
    if (!index || FFMS_IndexBelongsToFile(index.get(), path.c_str(), error.get()) != 0)
        return nullptr;
    return index;
}

namespace {

FrameHashes factsOf(const FfmsFrameSource::Impl& impl) {
    FrameHashes d;
    d.width = impl.info.analysisSize.width;
    d.height = impl.info.analysisSize.height;
    d.rotationDeg = impl.info.rotationDeg;
    d.nativeWidth = impl.info.nativeSize.width;
    d.nativeHeight = impl.info.nativeSize.height;
    d.hashes = impl.hashes;
    d.listedFrames = impl.info.listedFrameCount;
    d.damagedFrom = impl.damagedFrom;
    d.missingFrames = impl.missingFrames;
    d.sizeChangeFrame = impl.sizeChangeFrame;
    d.changedWidth = impl.changedSize.width;
    d.changedHeight = impl.changedSize.height;
    d.readsInOrder = impl.readsInOrder ? 1 : 0;
    return d;
}

}  // namespace

void storeInCache(FfmsFrameSource::Impl& impl, const FilmCacheEntry& cache) {
    ffms::ErrorInfo e;
    uint8_t* buffer = nullptr;
    std::size_t size = 0;
    if (FFMS_WriteIndexToBuffer(&buffer, &size, impl.index.get(), e.get()) != 0) return;
    const std::string bytes(reinterpret_cast<const char*>(buffer), size);
    FFMS_FreeIndexBuffer(&buffer);
    FrameHashes facts = factsOf(impl);
    facts.indexChecksum = indexChecksum(bytes);
    try {
        writeFileSafely(cache.indexPath, bytes);
    } catch (const FileWriteError&) {
        return;
    }
    if (writeFrameHashes(cache.hashesPath, facts))
        pruneFilmCache(fs::path(cache.indexPath).parent_path().string(), kFilmCacheLimitBytes,
                       cache);
}

}  // namespace zebak
