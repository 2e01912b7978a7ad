#include "FilmCache.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace zebak {
namespace fs = std::filesystem;

namespace {

constexpr std::array<char, 8> kMagic{'Z', 'B', 'K', 'H', 'A', 'S', 'H', '1'};

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::uint64_t checksum(const FrameHashes& d) {
    std::uint64_t sum = 0x5A45424Bull ^ static_cast<std::uint64_t>(d.width) ^
                        (static_cast<std::uint64_t>(d.height) << 20);
    for (std::uint64_t h : d.hashes) sum = (sum ^ h) * 0x100000001B3ull + 0x9E3779B97F4A7C15ull;
    return sum;
}

template <typename T>
void put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
bool get(std::ifstream& in, T& value) {
    return static_cast<bool>(in.read(reinterpret_cast<char*>(&value), sizeof value));
}

}  // namespace

std::optional<FilmCacheEntry> filmCacheEntry(const std::string& folder, const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(absolute, ec);
    if (ec) return std::nullopt;
    const auto mtime = fs::last_write_time(absolute, ec);
    if (ec) return std::nullopt;
    fs::create_directories(folder, ec);
    if (ec) return std::nullopt;

    // The version names the way frames are turned into RGB: hashes made another way are
    // worthless, so a change of it must lead to other file names.
    constexpr const char* kFrameFormatVersion = "rgb24-swscale-fast-1";
    const std::string key = absolute.string() + '\n' + std::to_string(size) + '\n' +
                            std::to_string(mtime.time_since_epoch().count()) + '\n' +
                            kFrameFormatVersion;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(key)));
    const fs::path base = fs::path(folder) / (absolute.filename().string() + "-" + hex);
    return FilmCacheEntry{base.string() + ".ffindex", base.string() + ".hashes"};
}

std::optional<FrameHashes> readFrameHashes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::array<char, 8> magic{};
    if (!in.read(magic.data(), magic.size()) || magic != kMagic) return std::nullopt;
    FrameHashes d;
    std::uint64_t count = 0;
    if (!get(in, d.width) || !get(in, d.height) || !get(in, count)) return std::nullopt;
    if (d.width <= 0 || d.height <= 0 || count == 0 || count > (1u << 26)) return std::nullopt;
    d.hashes.resize(count);
    if (!in.read(reinterpret_cast<char*>(d.hashes.data()),
                 static_cast<std::streamsize>(count * sizeof(std::uint64_t))))
        return std::nullopt;
    std::uint64_t stored = 0;
    if (!get(in, stored) || stored != checksum(d)) return std::nullopt;
    return d;
}

std::string temporaryNameFor(const std::string& file) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", random(), counter++ & 0xFFFFu);
    return file + suffix;
}

bool writeFrameHashes(const std::string& file, const FrameHashes& d) {
    const std::string temp = temporaryNameFor(file);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(kMagic.data(), kMagic.size());
        put(out, d.width);
        put(out, d.height);
        put(out, static_cast<std::uint64_t>(d.hashes.size()));
        out.write(reinterpret_cast<const char*>(d.hashes.data()),
                  static_cast<std::streamsize>(d.hashes.size() * sizeof(std::uint64_t)));
        put(out, checksum(d));
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (!ec) return true;
    fs::remove(temp, ec);
    return false;
}

}  // namespace zebak
