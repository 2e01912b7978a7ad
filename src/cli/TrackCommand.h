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
    /// --spread: "Differenz über n Bilder" of the evaluation grids (JSON, fits and xlsx).
    int spread = 1;
    /// --fit DIAGRAM:MODEL, repeatable: the "fits" member of the JSON.
    std::vector<FitRequest> fits;
    /// --slot: the colour exported by csv, txt and xlsx (the lowest analysed when not given).
    std::optional<int> slot;
    std::optional<std::string> output;
};

/// Reads the words after `track` into a request; throws UsageError for a command line that
/// cannot be used.
TrackRequest parseTrackRequest(std::vector<std::string> words);

/// `track FILM [options]`: runs the film analysis with the given settings and prints the
/// position tables (JSON), the export text of one slot (csv, txt) or writes its workbook (xlsx).
int runTrack(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
