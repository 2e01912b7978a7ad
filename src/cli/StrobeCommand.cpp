#include "StrobeCommand.h"

#include <chrono>
#include <climits>
#include <optional>

#include "FilmCommands.h"
#include "HeadlessHost.h"
#include "JobOptions.h"
#include "PngEncode.h"
#include "core/FileWrite.h"
#include "core/FilmLoad.h"
#include "core/Stroboscope.h"

namespace zebak::cli {

namespace {

struct StrobeRequest {
    JobOptions job;
    std::optional<std::string> background;
    StroboOptions options;
    std::string output;
};

StrobeRequest readRequest(Arguments& args) {
    StrobeRequest r;
    r.job = readJobOptions(args, JobCommand::Strobe);
    r.background = args.option("--background");
    r.options.plainCircles = args.flag("--circles");
    r.options.withRim = !args.flag("--no-rim");
    r.options.centreColour = args.flag("--centre-colour");
    const auto output = args.option("-o");
    args.expectEnd();
    if (!output) throw UsageError("Option -o OUT.png fehlt");
    r.output = *output;
    refuseOutputOverInput(r.job.film, output);
    return r;
}

}  // namespace

int runStrobe(Arguments& args, std::ostream& out) {
    const StrobeRequest request = readRequest(args);
    const auto source = openFilm(request.job.film, FfmsFrameSource::Reading::FromTheStart);
    Measurement state = setUpMeasurement(request.job, *source);
    const int count = source->frameCount();
    const int background = request.background
                               ? parseInt(*request.background, "--background", 0, count - 1)
                               : state.range.start;
    AnalysisJob job = checkedJob(state);

    const auto started = std::chrono::steady_clock::now();
    HeadlessHost host(request.job.continueOnMiss);
    source->seek(background);
    const int frames = buildStroboscope(job, outputsOf(state), *source, host, request.options);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;

    writeFileSafely(request.output, encodePng(state.resultImage));
    out << "{\"frames\":" << frames << ",\"seconds\":" << formatNumber(wall.count()) << "}\n";
    return 0;
}

}  // namespace zebak::cli
