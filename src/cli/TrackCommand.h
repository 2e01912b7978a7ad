#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "JobOptions.h"
#include "KinematicsJson.h"

namespace zebak::cli {

/// The output format of the track command.
enum class OutputFormat { Json, Csv, Txt, Xlsx };

/// The track command's options as given; values that need the film are checked later.
struct TrackRequest {
    /// The options track shares with strobe.
    JobOptions job;
    bool timesFromFilm = false;
    std::optional<std::string> calibrate;
    std::optional<std::vector<int>> origin;
    OutputFormat format = OutputFormat::Json;
    /// --kinematics: the evaluation grids and trend lines in the JSON, at --strength.
    bool kinematics = false;
    int strength = 5;
    /// --spread: "Differenz über n Bilder" of the evaluation grids (JSON, fits and xlsx); a
    /// project's own step, else 1, when not given.
    std::optional<int> spread;
    /// --fit DIAGRAM:MODEL, repeatable: the "fits" member of the JSON.
    std::vector<FitRequest> fits;
    /// --slot: the colour exported by csv, txt and xlsx (the lowest analysed when not given).
    std::optional<int> slot;
    std::optional<std::string> output;
    /// --save-project: where the analysis is also written as a project file.
    std::optional<std::string> saveProject;
};

/// Reads the words after `track` into a request; throws UsageError for a command line that
/// cannot be used.
TrackRequest parseTrackRequest(std::vector<std::string> words);

/// Reads --format, --slot, --kinematics, --strength, --spread, --fit and -o (the options of the output).
void readOutputOptions(Arguments& args, TrackRequest& request);

/// Puts out the measurement's tables as the request asks: JSON (with --kinematics the
/// evaluation), a slot's export text or its workbook.
int writeTables(const Measurement& state, const TrackRequest& request, std::ostream& out);

/// `project FILE.zebak [output options]`: puts out the tables stored in a project file.
int runProject(Arguments& args, std::ostream& out);

/// `track FILM [options]`: runs the film analysis with the given settings and prints the
/// position tables (JSON), the export text of one slot (csv, txt) or writes its workbook (xlsx).
int runTrack(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
