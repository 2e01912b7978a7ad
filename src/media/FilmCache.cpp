#include "FilmCache.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/FileWrite.h"

namespace zebak {
namespace fs = std::filesystem;

namespace {

constexpr std::array<char, 8> kMagic{'Z', 'B', 'K', 'H', 'A', 'S', 'H', '3'};
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
    std::size_t position() const { return position_; }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

bool plausible(const FrameHashes& d) {
    const int count = static_cast<int>(d.hashes.size());
    return d.width > 0 && d.height > 0 && d.nativeWidth > 0 && d.nativeHeight > 0 &&
           d.rotationDeg >= 0 && d.rotationDeg < 360 &&
           d.rotationDeg % 90 == 0 && d.listedFrames >= count && d.damagedFrom >= -1 &&
           d.damagedFrom <= count && (d.damagedFrom >= 0) == (d.listedFrames > count) &&
           d.sizeChangeFrame >= -1 && d.sizeChangeFrame < count &&
           (d.sizeChangeFrame < 0 || (d.changedWidth > 0 && d.changedHeight > 0)) &&
           (d.readsInOrder == 0 || d.readsInOrder == 1);
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
    put(out, static_cast<std::uint64_t>(d.hashes.size()));
    out.append(reinterpret_cast<const char*>(d.hashes.data()),
               d.hashes.size() * sizeof(std::uint64_t));
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
    if (!in.get(d.width) || !in.get(d.height) || !in.get(d.rotationDeg) ||
        !in.get(d.nativeWidth) || !in.get(d.nativeHeight) ||
        !in.get(d.listedFrames) || !in.get(d.damagedFrom) || !in.get(d.sizeChangeFrame) ||
        !in.get(d.changedWidth) || !in.get(d.changedHeight) ||
        !in.get(d.readsInOrder) || !in.get(count))
        return std::nullopt;
    if (count == 0 || count > kMostFrames) return std::nullopt;
    const std::size_t rest = body.size() - kMagic.size() - in.position();
    if (rest != count * sizeof(std::uint64_t)) return std::nullopt;
    d.hashes.resize(count);
    std::memcpy(d.hashes.data(), body.data() + kMagic.size() + in.position(), rest);
    if (!plausible(d)) return std::nullopt;
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

}  // namespace zebak
