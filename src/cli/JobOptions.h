#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Arguments.h"
#include "core/AnalysisJob.h"
#include "core/FrameSource.h"
#include "core/Measurement.h"
#include "core/ProjectFile.h"

namespace zebak::cli {

/// The command whose options are read: the track command takes every setting of a slot, the
/// stroboscope only those its run reads.
enum class JobCommand { Track, Strobe };

/// The options `track` and `strobe` share, as given; values that need the film are checked
/// when the measurement is set up.
struct JobOptions {
    std::string film;
    std::optional<std::vector<int>> colour[2];
    /// Where the region search of each slot starts in the first frame, analysis pixels.
    std::optional<std::vector<int>> start[2];
    std::array<SlotSettings, 2> settings{};
    std::optional<std::vector<int>> area;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<int> fps;
    /// The answer to the second search's question.
    bool continueOnMiss = true;
    /// --project: the saved analysis whose settings the options start from.
    std::optional<Project> base;
};

/// Reads the film word and the shared options (each slot's settings within the slot's
/// limits); throws UsageError for values that cannot be used. For track, "--project FILE"
/// starts from the project's settings and, without a film word, its film.
JobOptions readJobOptions(Arguments& args, JobCommand command);

/// The measurement after loading the film and choosing automatic mode, with the options'
/// area, range, rate, colours and settings; throws UsageError for an area or range that does
/// not fit the film.
Measurement setUpMeasurement(const JobOptions& options, const FrameSource& source);

/// The job of the measurement, checked; throws UsageError with the check's message.
AnalysisJob checkedJob(const Measurement& measurement);

}  // namespace zebak::cli
