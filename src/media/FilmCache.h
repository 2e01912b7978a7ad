#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zebak {

/// What the cache remembers of one film besides its index: the frame hashes of one
/// sequential pass at analysis size.
struct FrameHashes {
    int width = 0;
    int height = 0;
    std::vector<std::uint64_t> hashes;
};

/// Paths of the cache files for one film version (path, size and modification time).
struct FilmCacheEntry {
    std::string indexPath;
    std::string hashesPath;
};

/// Cache file names for the film at path, keyed by its absolute path, size and
/// modification time, in folder. Creates the folder; returns nothing when it cannot.
std::optional<FilmCacheEntry> filmCacheEntry(const std::string& folder, const std::string& path);

/// Reads a hash file; nothing when it is missing, truncated or fails its checksum.
std::optional<FrameHashes> readFrameHashes(const std::string& file);

/// A name next to file for writing it first: unique to this writer, so two programs caching
/// the same film at once never write into one temporary file.
std::string temporaryNameFor(const std::string& file);

/// Writes a hash file through a temporary file renamed into place; false on failure.
bool writeFrameHashes(const std::string& file, const FrameHashes& data);

}  // namespace zebak
