#pragma once

// The film cache as the opening of a film uses it. Not part of the media library's interface.

#include <optional>
#include <string>

#include "FfmsSourceState.h"
#include "FilmCache.h"

namespace zebak {

/// The cached index of the film at path, read only when the hash file beside it vouches for
/// its bytes by their checksum: FFMS2 takes a damaged index without complaint and then
/// crashes on a frame request. `stored` gets the hash file's facts; nothing (a null index)
/// when there is no sound index for this file.
ffms::IndexPtr cachedIndex(const std::string& path, const FilmCacheEntry& cache,
                           std::optional<FrameHashes>& stored);

/// Keeps index and hashes for the next open, the hashes with the checksum of the index's
/// bytes, and keeps the cache folder within its size; a cache that cannot be written is no
/// error.
void storeInCache(FfmsFrameSource::Impl& impl, const FilmCacheEntry& cache);

}  // namespace zebak
