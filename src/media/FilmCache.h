#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ProjectFile.h"

namespace zebak {

/// What the cache remembers of one film besides its index: the hash of every frame's decoded
/// picture from one pass in order, the stored size, and what that pass found wrong with the
/// film. With these and the index a film opens without a decoder being set up first.
struct FrameHashes {
    /// Size of the hashed frames (upright, at analysis size) and the turn that made them
    /// upright: a film whose rotation tag changed must not be served sideways.
    int width = 0;
    int height = 0;
    int rotationDeg = 0;
    /// Size of frame 0 as stored in the file.
    int nativeWidth = 0;
    int nativeHeight = 0;
    /// One hash a frame that really decodes.
    std::vector<std::uint64_t> hashes;
    /// Frames the container lists; more than hashes.size() when the film is damaged.
    int listedFrames = 0;
    /// First listed frame that does not really decode; -1 when every one does.
    int damagedFrom = -1;
    /// The listed frames without a picture (ascending, one for each listed frame beyond the
    /// hashed ones) when pictures are missing before the end; empty when they are missing at
    /// the end only.
    std::vector<int> missingFrames;
    /// First frame stored at another size than frame 0, and that size; -1 when none.
    int sizeChangeFrame = -1;
    int changedWidth = 0;
    int changedHeight = 0;
    /// 1 when the film was read in order by a plain decoder that numbered every frame as the
    /// index does, so that decoder may serve the frames from frame 0 again; 0 otherwise.
    int readsInOrder = 0;
    /// indexChecksum() of the index file cached with these hashes: an index whose bytes do
    /// not give it is damaged (or from another write) and is never handed to the decoder.
    std::uint64_t indexChecksum = 0;
};

/// Paths of the cache files for one version of a film file.
struct FilmCacheEntry {
    std::string indexPath;
    std::string hashesPath;
};

/// Cache file names for the film at path, in folder. The key is the file's absolute path,
/// size, modification time, inode and status-change time, and a digest of blocks sampled
/// across the whole file, so a film replaced by another of the same size and time is never
/// taken for the old one. Creates the folder; returns nothing when it cannot, or when the
/// folder is empty (no cache).
std::optional<FilmCacheEntry> filmCacheEntry(const std::string& folder, const std::string& path);

/// The content digest of the film file at path that the cache's key holds (64 blocks sampled
/// across the file, and its size), as 16 hexadecimal digits; nothing when it cannot be read.
std::optional<std::string> filmContentDigest(const std::string& path);

/// What a project keeps of the film file at `path` beside its path: its size, its content
/// digest and the frame count given.
ProjectFilm projectFilmFacts(const std::string& path, int frames);

/// The cache file's bytes for the hashes.
std::string serialiseFrameHashes(const FrameHashes& data);
/// Reads the bytes of a cache file; nothing when they are truncated, fail their checksum or
/// hold values that cannot belong to a film.
std::optional<FrameHashes> parseFrameHashes(std::string_view bytes);

/// Reads a hash file; nothing when it is missing or parseFrameHashes refuses it.
std::optional<FrameHashes> readFrameHashes(const std::string& file);

/// Writes a hash file through a temporary file renamed into place; false on failure.
bool writeFrameHashes(const std::string& file, const FrameHashes& data);

/// Checksum of a cached index file's bytes (64-bit XXH3).
std::uint64_t indexChecksum(std::string_view bytes);

/// The whole content of a cache file; nothing when it is missing, unreadable, not a regular
/// file or larger than maxBytes.
std::optional<std::string> readCacheFile(const std::string& file, std::uintmax_t maxBytes);

/// Bytes the cache folder may hold before its oldest entries are dropped.
inline constexpr std::uintmax_t kFilmCacheLimitBytes = std::uintmax_t{2} << 30;  // 2 GiB

/// Marks the entry's files as used now, so that pruning drops them last.
void markFilmCacheEntryUsed(const FilmCacheEntry& entry);

/// Drops the least recently used entries of the cache folder (the files of one name, whatever
/// their extension, go together) until the folder holds at most limitBytes; the entry `keep`
/// (the one just written) always stays. Failures are ignored: the cache is only a help.
void pruneFilmCache(const std::string& folder, std::uintmax_t limitBytes,
                    const FilmCacheEntry& keep);

}  // namespace zebak
