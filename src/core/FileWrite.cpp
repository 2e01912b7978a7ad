#include "FileWrite.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#if __has_include(<sys/stat.h>) && __has_include(<unistd.h>)
#include <sys/stat.h>
#include <unistd.h>
#define ZEBAK_HAS_OWNERS 1
#endif

namespace zebak {
namespace fs = std::filesystem;

namespace {

std::string inQuotes(const std::string& path) { return "\xE2\x80\x9E" + path + "\xE2\x80\x9C"; }

[[noreturn]] void fail(const std::string& path, int error) {
    std::string text = "Die Datei " + inQuotes(path) + " kann nicht geschrieben werden";
    if (error != 0) text += " (" + writeFailureReason(error) + ")";
    throw FileWriteError(text + ".");
}

/// True when the kernel would refuse to follow the symbolic link at `link` for this user:
/// a link in a folder that everyone may write and that has the sticky bit (such as /tmp) is
/// followed only when it belongs to the user or to the folder's owner. Links planted there by
/// another user are how a program is tricked into overwriting that user's target.
bool kernelRefusesLink(const fs::path& link) {
#ifdef ZEBAK_HAS_OWNERS
    struct stat linkStat {};
    struct stat folderStat {};
    if (::lstat(link.c_str(), &linkStat) != 0) return false;
    const fs::path folder = link.has_parent_path() ? link.parent_path() : fs::path(".");
    if (::stat(folder.c_str(), &folderStat) != 0) return false;
    const bool stickyForAll =
        (folderStat.st_mode & S_ISVTX) != 0 && (folderStat.st_mode & S_IWOTH) != 0;
    return stickyForAll && linkStat.st_uid != ::geteuid() && linkStat.st_uid != folderStat.st_uid;
#else
    (void)link;
    return false;
#endif
}

/// Follows symbolic links to the path they end in (which may not exist yet); a link that
/// points to itself, a chain longer than 40 links and a link the kernel would not follow for
/// this user are refused.
fs::path followLinks(const std::string& given, fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        if (kernelRefusesLink(path)) fail(given, EACCES);
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    fail(given, ELOOP);
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

/// Longest file name (one path component) the usual file systems take, in bytes.
constexpr std::size_t kLongestFileName = 255;

}  // namespace

std::string writeFailureReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "keine Berechtigung, hier zu schreiben";
        case ENOENT:
            return "den Ordner gibt es nicht";
        case ENOTDIR:
            return "ein Teil des Pfades ist kein Ordner";
        case EISDIR:
            return "das ist ein Ordner";
        case ENOSPC:
            return "auf dem Datenträger ist kein Platz mehr";
#ifdef EDQUOT
        case EDQUOT:
            return "der zugeteilte Speicherplatz ist aufgebraucht";
#endif
        case EROFS:
            return "der Datenträger ist schreibgeschützt";
        case ENAMETOOLONG:
            return "der Name ist zu lang";
        case ELOOP:
            return "zu viele symbolische Verknüpfungen hintereinander";
        case EFBIG:
            return "die Datei würde zu groß";
        case EIO:
            return "Ein- oder Ausgabefehler des Datenträgers";
        case EBUSY:
        case ETXTBSY:
            return "die Datei ist in Gebrauch";
        default:
            break;
    }
    return "Meldung des Systems: " + std::error_code(error, std::generic_category()).message();
}

std::string cutToBytes(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    // Back to the first byte of the character that would be cut, and drop that character too.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) --end;
    text.resize(end);
    return text;
}

std::string temporaryNameFor(const std::string& file) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", random(), counter++ & 0xFFFFu);
    // The name must fit beside any valid name: a long one gives up its end, never on the
    // middle of a UTF-8 character.
    const fs::path path(file);
    std::string name = path.filename().string();
    const std::size_t room = kLongestFileName - std::char_traits<char>::length(suffix);
    return (path.parent_path() / (cutToBytes(std::move(name), room) + suffix)).string();
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) fail(path, ENOENT);
    const fs::path target = followLinks(path, path);
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
