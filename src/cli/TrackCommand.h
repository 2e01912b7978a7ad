#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "core/ProgramState.h"

namespace zebak::cli {

/// The output format of the track command.
enum class OutputFormat { Json, Csv, Txt, Xlsx };

/// The track command's options as given; values that need the film are checked later.
struct TrackRequest {
    std::string film;
    std::optional<std::vector<int>> colour[2];
    std::optional<std::vector<int>> area;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<int> fps;
    bool timesFromFilm = false;
    std::optional<std::string> calibrate;
    std::optional<std::vector<int>> origin;
    bool continueOnMiss = true;
    OutputFormat format = OutputFormat::Json;
    /// --kinematics: the evaluation grids and trend lines in the JSON, at --strength.
    bool kinematics = false;
    int strength = 5;
    /// --slot: the colour exported by csv, txt and xlsx (the lowest analysed when not given).
    std::optional<int> slot;
    std::optional<std::string> output;
};

/// Reads the words after `track` into a request and the slots' search settings of state;
/// throws UsageError for a command line that cannot be used.
TrackRequest parseTrackRequest(std::vector<std::string> words, ProgramState& state);

/// `track FILM [options]`: runs the film analysis with the given settings and prints the
/// position tables (JSON), the export text of one slot (csv, txt) or writes its workbook (xlsx).
int runTrack(Arguments& args, std::ostream& out);

}  // namespace zebak::cli
