#include "FilmCache.h"

#include <sys/stat.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

#include "core/FileWrite.h"

namespace zebak {
namespace fs = std::filesystem;

namespace {

constexpr std::array<char, 8> kMagic{'Z', 'B', 'K', 'H', 'A', 'S', 'H', '4'};
constexpr std::uint64_t kMostFrames = 1u << 26;

std::uint64_t fnv1a(std::string_view text, std::uint64_t h = 14695981039346656037ull) {
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

/// A digest of 64 blocks of 4 KiB spread evenly over the file, the first and the last
/// included (the whole file when it is smaller). Nothing when the file cannot be read.
std::optional<std::uint64_t> sampledDigest(const fs::path& file, std::uintmax_t size) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    constexpr std::uintmax_t kBlock = 4096;
    constexpr std::uintmax_t kBlocks = 64;
    std::uint64_t h = fnv1a(std::to_string(size));
    std::array<char, kBlock> block{};
    for (std::uintmax_t i = 0; i < kBlocks; ++i) {
        const std::uintmax_t last = size > kBlock ? size - kBlock : 0;
        const std::uintmax_t offset = last * i / (kBlocks - 1);
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        in.clear();
        h = fnv1a(std::string_view(block.data(), got), h);
        if (size <= kBlock) break;
    }
    return h;
}

/// Inode and status-change time: a file written anew gets a new status-change time even
/// when its modification time is set back.
std::string fileIdentity(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return "?";
    return std::to_string(st.st_dev) + ':' + std::to_string(st.st_ino) + ':' +
           std::to_string(st.st_ctim.tv_sec) + '.' + std::to_string(st.st_ctim.tv_nsec);
}

std::uint64_t checksum(std::string_view bytes) { return fnv1a(bytes, 0x5A45424B48415348ull); }

template <typename T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

/// Reads values front to back; every read checks that the bytes are there.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    template <typename T>
    bool get(T& value) {
        if (bytes_.size() - position_ < sizeof value) return false;
        std::memcpy(&value, bytes_.data() + position_, sizeof value);
        position_ += sizeof value;
        return true;
    }
    /// Copies the next n bytes to out.
    bool take(void* out, std::size_t n) {
        if (bytes_.size() - position_ < n) return false;
        if (n > 0) std::memcpy(out, bytes_.data() + position_, n);
        position_ += n;
        return true;
    }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

/// Missing frames, when there are any, are one for each listed frame beyond the hashed ones,
/// ascending, within the listed frames, the first of them the first damaged frame.
bool plausibleGaps(const FrameHashes& d) {
    const auto& m = d.missingFrames;
    if (m.empty()) return true;
    if (static_cast<long long>(m.size()) + static_cast<long long>(d.hashes.size()) !=
            d.listedFrames ||
        m.front() != d.damagedFrom || m.front() < 0 || m.back() >= d.listedFrames)
        return false;
    return std::adjacent_find(m.begin(), m.end(), [](int a, int b) { return a >= b; }) == m.end();
}

bool plausible(const FrameHashes& d) {
    const int count = static_cast<int>(d.hashes.size());
    return d.width > 0 && d.height > 0 && d.nativeWidth > 0 && d.nativeHeight > 0 &&
           d.rotationDeg >= 0 && d.rotationDeg < 360 && d.rotationDeg % 90 == 0 &&
           d.listedFrames >= count && d.damagedFrom >= -1 && d.damagedFrom <= count &&
           (d.damagedFrom >= 0) == (d.listedFrames > count) && d.sizeChangeFrame >= -1 &&
           d.sizeChangeFrame < count &&
           (d.sizeChangeFrame < 0 || (d.changedWidth > 0 && d.changedHeight > 0)) &&
           (d.readsInOrder == 0 || d.readsInOrder == 1) && plausibleGaps(d);
}

}  // namespace

std::optional<FilmCacheEntry> filmCacheEntry(const std::string& folder, const std::string& path) {
    if (folder.empty()) return std::nullopt;
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(absolute, ec);
    if (ec) return std::nullopt;
    const auto mtime = fs::last_write_time(absolute, ec);
    if (ec) return std::nullopt;
    const auto digest = sampledDigest(absolute, size);
    if (!digest) return std::nullopt;
    fs::create_directories(folder, ec);
    if (ec) return std::nullopt;

    // The version names what is hashed (the decoder's own planes) and the hash file's
    // layout: files made another way are worthless, so a change of it must lead to other names.
    constexpr const char* kFrameFormatVersion = "decoded-planes-xxh3-4";
    const std::string key = absolute.string() + '\n' + std::to_string(size) + '\n' +
                            std::to_string(mtime.time_since_epoch().count()) + '\n' +
                            fileIdentity(absolute) + '\n' + std::to_string(*digest) + '\n' +
                            kFrameFormatVersion;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(key)));
    // The film's name makes the files easy to recognise; the digest alone tells them apart,
    // so a long name is cut and the file names stay well within what file systems allow.
    const fs::path base =
        fs::path(folder) / (cutToBytes(absolute.filename().string(), 64) + "-" + hex);
    return FilmCacheEntry{base.string() + ".ffindex", base.string() + ".hashes"};
}

std::optional<std::string> filmContentDigest(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    const auto digest = sampledDigest(path, size);
    if (!digest) return std::nullopt;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(*digest));
    return std::string(hex);
}

std::string serialiseFrameHashes(const FrameHashes& d) {
    std::string out(kMagic.data(), kMagic.size());
    put(out, d.width);
    put(out, d.height);
    put(out, d.rotationDeg);
    put(out, d.nativeWidth);
    put(out, d.nativeHeight);
    put(out, d.listedFrames);
    put(out, d.damagedFrom);
    put(out, d.sizeChangeFrame);
    put(out, d.changedWidth);
    put(out, d.changedHeight);
    put(out, d.readsInOrder);
    put(out, d.indexChecksum);
    put(out, static_cast<std::uint64_t>(d.hashes.size()));
    out.append(reinterpret_cast<const char*>(d.hashes.data()),
               d.hashes.size() * sizeof(std::uint64_t));
    put(out, static_cast<std::uint64_t>(d.missingFrames.size()));
    for (int n : d.missingFrames) put(out, n);
    put(out, checksum(out));
    return out;
}

std::optional<FrameHashes> parseFrameHashes(std::string_view bytes) {
    if (bytes.size() < kMagic.size() + sizeof(std::uint64_t) ||
        std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0)
        return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - sizeof(std::uint64_t));
    std::uint64_t stored = 0;
    std::memcpy(&stored, bytes.data() + body.size(), sizeof stored);
    if (stored != checksum(body)) return std::nullopt;

    Reader in(body.substr(kMagic.size()));
    FrameHashes d;
    std::uint64_t count = 0;
    if (!in.get(d.width) || !in.get(d.height) || !in.get(d.rotationDeg) || !in.get(d.nativeWidth) ||
        !in.get(d.nativeHeight) || !in.get(d.listedFrames) || !in.get(d.damagedFrom) ||
        !in.get(d.sizeChangeFrame) || !in.get(d.changedWidth) || !in.get(d.changedHeight) ||
        !in.get(d.readsInOrder) || !in.get(d.indexChecksum) || !in.get(count))
        return std::nullopt;
    // Sizes are checked against the bytes there before anything is allocated for them.
    if (count == 0 || count > kMostFrames || in.remaining() < count * sizeof(std::uint64_t))
        return std::nullopt;
    d.hashes.resize(count);
    std::uint64_t missing = 0;
    if (!in.take(d.hashes.data(), count * sizeof(std::uint64_t)) || !in.get(missing) ||
        missing > in.remaining() / sizeof(int))
        return std::nullopt;
    d.missingFrames.resize(missing);
    if (!in.take(d.missingFrames.data(), missing * sizeof(int)) || in.remaining() != 0 ||
        !plausible(d))
        return std::nullopt;
    return d;
}

std::optional<FrameHashes> readFrameHashes(const std::string& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec || size > kMostFrames * sizeof(std::uint64_t) + 1024) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseFrameHashes(bytes);
}

bool writeFrameHashes(const std::string& file, const FrameHashes& d) {
    try {
        writeFileSafely(file, serialiseFrameHashes(d));
        return true;
    } catch (const FileWriteError&) {
        return false;
    }
}

std::uint64_t indexChecksum(std::string_view bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::optional<std::string> readCacheFile(const std::string& file, std::uintmax_t maxBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    const auto size = fs::file_size(file, ec);
    if (ec || size > maxBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

void markFilmCacheEntryUsed(const FilmCacheEntry& entry) {
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(entry.indexPath, now, ec);
    fs::last_write_time(entry.hashesPath, now, ec);
}

namespace {

/// The files of one cache entry: their bytes and when the entry was used last.
struct CacheGroup {
    std::uintmax_t bytes = 0;
    fs::file_time_type lastUse = fs::file_time_type::min();
    std::vector<fs::path> files;
};

/// The regular files of the folder grouped by name without extension.
std::map<std::string, CacheGroup> cacheGroups(const std::string& folder,
                                              std::uintmax_t& totalBytes) {
    std::map<std::string, CacheGroup> groups;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError)) continue;
        const auto size = it->file_size(fileError);
        const auto time = it->last_write_time(fileError);
        if (fileError) continue;
        CacheGroup& g = groups[it->path().stem().string()];
        g.bytes += size;
        g.lastUse = std::max(g.lastUse, time);
        g.files.push_back(it->path());
        totalBytes += size;
    }
    return groups;
}

}  // namespace

void pruneFilmCache(const std::string& folder, std::uintmax_t limitBytes,
                    const FilmCacheEntry& keep) {
    std::uintmax_t total = 0;
    std::map<std::string, CacheGroup> groups = cacheGroups(folder, total);
    if (total <= limitBytes) return;
    groups.erase(fs::path(keep.indexPath).stem().string());
    groups.erase(fs::path(keep.hashesPath).stem().string());
    std::vector<const CacheGroup*> oldestFirst;
    for (const auto& [name, group] : groups) oldestFirst.push_back(&group);
    std::sort(oldestFirst.begin(), oldestFirst.end(),
              [](const CacheGroup* a, const CacheGroup* b) { return a->lastUse < b->lastUse; });
    for (const CacheGroup* g : oldestFirst) {
        if (total <= limitBytes) break;
        std::error_code ec;
        for (const fs::path& file : g->files) fs::remove(file, ec);
        total -= std::min(total, g->bytes);
    }
}

ProjectFilm projectFilmFacts(const std::string& path, int frames) {
    ProjectFilm film;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (!ec) film.bytes = static_cast<std::int64_t>(bytes);
    film.digest = filmContentDigest(path).value_or("");
    film.frames = frames;
    return film;
}

}  // namespace zebak
