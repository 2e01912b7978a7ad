#include "FilmChecks.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "DecoderProbe.h"

namespace zebak {
namespace fs = std::filesystem;

namespace {

/// The reason of a failed file access in German where it is a common one.
std::string reason(const std::error_code& ec) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return "keine Berechtigung, die Datei oder einen der Ordner auf dem Weg dorthin zu "
               "lesen";
    if (ec == std::errc::not_a_directory) return "ein Teil des Pfades ist kein Ordner";
    if (ec == std::errc::filename_too_long) return "der Name ist zu lang";
    if (ec == std::errc::too_many_symbolic_link_levels)
        return "zu viele symbolische Verknüpfungen hintereinander";
    return "Meldung des Systems: " + ec.message();
}

FilmError cannotRead(const std::string& path, const std::error_code& ec) {
    return FilmError("Die Datei " + inQuotes(path) + " kann nicht gelesen werden (" + reason(ec) +
                     ").");
}

/// $HOME, else the home folder in the user database; "" when there is none.
std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return "";
}

/// A folder of this user's own in the temporary folder: made with mode 0700, and used only
/// when it is a real folder (no link) that belongs to the user and no one else may enter.
std::string privateTemporaryFolder() {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) return "";
    const fs::path folder = temp / ("zebak-cache-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return "";
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return "";
    return folder.string();
}

}  // namespace

std::string inQuotes(const std::string& path) { return "\xE2\x80\x9E" + path + "\xE2\x80\x9C"; }

std::string decoderNote(const std::string& text) { return " (Meldung des Decoders: " + text + ")"; }

void checkFilmFile(const std::string& path) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) throw cannotRead(path, ec);
    if (!fs::exists(status)) throw FilmError("Die Datei " + inQuotes(path) + " gibt es nicht.");
    if (fs::is_directory(status))
        throw FilmError(inQuotes(path) + " ist ein Ordner und kein Film.");
    if (!fs::is_regular_file(status))
        throw FilmError(inQuotes(path) + " ist keine gewöhnliche Datei und kein Film.");
    if (fs::file_size(path, ec) == 0 && !ec)
        throw FilmError("Die Datei " + inQuotes(path) +
                        " ist leer (0 Bytes) und enthält keinen Film.");
    errno = 0;
    std::ifstream probe(path, std::ios::binary);
    if (!probe)
        throw cannotRead(path, std::error_code(errno ? errno : EACCES, std::generic_category()));
}

FilmError unreadableFilmError(const std::string& path, const std::string& decoderText) {
    const StreamProbe probe = probeStreams(path);
    std::string note = decoderText;
    if (!probe.opens && !probe.error.empty()) note += "; " + probe.error;
    if (probe.isoMediaStart || (probe.opens && probe.hasVideo))
        return FilmError("Der Film " + inQuotes(path) +
                         " ist beschädigt oder unvollständig (wohl nicht zu Ende geschrieben "
                         "oder abgeschnitten)" +
                         decoderNote(note) + ".");
    return FilmError("Die Datei " + inQuotes(path) + " ist kein lesbarer Film" + decoderNote(note) +
                     ".");
}

FilmError noVideoError(const std::string& path, const std::string& decoderText) {
    const StreamProbe probe = probeStreams(path);
    if (probe.hasVideo || (probe.isoMediaStart && !probe.opens))
        return FilmError("Der Film " + inQuotes(path) +
                         " ist beschädigt oder unvollständig: seine Videospur enthält keine "
                         "lesbaren Bilder" +
                         decoderNote(decoderText) + ".");
    return FilmError("Die Datei " + inQuotes(path) + " enthält keine Videospur" +
                     decoderNote(decoderText) + ".");
}

std::string filmCacheFolder() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg != '\0')
        return (fs::path(xdg) / "zebak").string();
    if (const std::string home = homeFolder(); !home.empty())
        return (fs::path(home) / ".cache" / "zebak").string();
    return privateTemporaryFolder();
}

}  // namespace zebak
