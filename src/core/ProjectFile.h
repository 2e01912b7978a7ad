#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Measurement.h"

namespace zebak {

/// A project file that cannot be read; the text is the German message shown to the user.
class ProjectError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The newest layout of a project file this program writes and reads.
inline constexpr int kProjectVersion = 1;
/// The name every project file carries in its "format" member.
inline constexpr const char* kProjectFormat = "Zebak-Analyse";
/// The type of project files.
inline constexpr const char* kProjectSuffix = ".zebak";

/// What a project remembers of the film file beside the measurement's full path: where it
/// lies seen from the project file, its size and content digest (to tell whether a film found
/// again is the one analysed) and its frame count.
struct ProjectFilm {
    /// The film's path relative to the project file's folder; empty when there is none.
    std::string relativePath;
    /// File size in bytes; -1 when unknown.
    std::int64_t bytes = -1;
    /// The content digest of the frame cache; empty when unknown.
    std::string digest;
    /// Frames of the film when it was analysed; -1 when unknown.
    int frames = -1;
    friend bool operator==(const ProjectFilm&, const ProjectFilm&) = default;
};

/// A saved analysis: the measurement's values (the search result image excepted) and the film.
struct Project {
    Measurement measurement;
    ProjectFilm film;
};

/// The UTF-8 JSON text of a project. Numbers read back exactly (shortest round-trip text).
std::string projectText(const Measurement& measurement, const ProjectFilm& film);

/// Reads a project's text into fresh values. Members this version does not know are ignored;
/// members missing (an older file) keep their start values. Throws ProjectError with a German
/// message for a text that is cut, damaged, not a project or from a newer version.
Project parseProject(std::string_view text);

/// Writes the measurement as a project at `path` through a temporary file renamed into place;
/// the film's relative path is taken from the measurement's film path and `path`. Throws
/// FileWriteError when it cannot be written.
void writeProject(const std::string& path, const Measurement& measurement, ProjectFilm film);

/// Reads the project file at `path`; throws ProjectError when it cannot be read or used.
Project readProject(const std::string& path);

/// Where the project's film is: beside the project file at its relative path, else at its
/// full path; empty when it is at neither.
std::string findProjectFilm(const Project& project, const std::string& projectPath);

/// The film's path relative to the folder of `projectPath`; empty when there is none.
std::string relativeFilmPath(const std::string& filmPath, const std::string& projectPath);

}  // namespace zebak
