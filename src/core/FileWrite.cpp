#include "FileWrite.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace zebak {
namespace fs = std::filesystem;

namespace {

std::string inQuotes(const std::string& path) { return "\xE2\x80\x9E" + path + "\xE2\x80\x9C"; }

[[noreturn]] void fail(const std::string& path, int error) {
    std::string text = "Die Datei " + inQuotes(path) + " kann nicht geschrieben werden";
    if (error != 0)
        text +=
            " (Meldung des Systems: " + std::error_code(error, std::generic_category()).message() +
            ")";
    throw FileWriteError(text + ".");
}

/// Follows symbolic links to the path they end in (which may not exist yet); a link that
/// points to itself or a chain longer than 40 links is refused.
fs::path followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    fail(path.string(), ELOOP);
}

/// True for places that must be written as they are: devices, pipes, sockets, and the
/// process's own file descriptors (/dev/stdout and /proc/self/fd/N name the open file, which
/// a rename would not reach).
bool writeStraightThrough(const std::string& given, const fs::path& resolved) {
    if (given.rfind("/dev/", 0) == 0 || resolved.string().rfind("/proc/", 0) == 0) return true;
    std::error_code ec;
    const fs::file_status status = fs::status(resolved, ec);
    return !ec && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

/// Writes bytes into the open stream's file; false when any byte did not reach it.
bool writeAll(std::ofstream& out, std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    return written && !out.fail();
}

}  // namespace

std::string temporaryNameFor(const std::string& file) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", random(), counter++ & 0xFFFFu);
    return file + suffix;
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) fail(path, ENOENT);
    const fs::path target = followLinks(path);
    if (writeStraightThrough(path, target)) {
        errno = 0;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out || !writeAll(out, bytes)) fail(path, errno);
        return;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) fail(path, EISDIR);

    const std::string temp = temporaryNameFor(target.string());
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) fail(path, errno);
    if (!writeAll(out, bytes)) {
        const int error = errno;
        fs::remove(temp, ec);
        fail(path, error);
    }
    // A replaced file keeps its permissions; a new one gets the usual ones.
    if (fs::exists(status)) fs::permissions(temp, status.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        const int error = ec.value();
        fs::remove(temp, ec);
        fail(path, error);
    }
}

}  // namespace zebak
