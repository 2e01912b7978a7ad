#include "JobOptions.h"

#include <algorithm>
#include <climits>

#include "core/FilmLoad.h"

namespace zebak::cli {

namespace {

/// Reads one whole-number setting of a slot within its range from the limits table.
void readSetting(Arguments& args, const std::string& name, SettingRange range, int& value) {
    if (auto v = args.option(name)) value = parseInt(*v, name, range.min, range.max);
}

/// Reads the settings options of one slot into its settings page values.
void readSlotOptions(Arguments& args, SlotNumber slot, JobCommand command, SlotSettings& s) {
    const std::string n = std::to_string(slot);
    const SlotLimits& limits = slotLimits(slot);
    const bool track = command == JobCommand::Track;
    readSetting(args, "--tolerance" + n, limits.tolerance, s.tolerance);
    if (track) {
        if (auto v = args.option("--mode" + n)) {
            if (*v == "simple")
                s.mode = SearchMode::Simple;
            else if (*v == "predict")
                s.mode = SearchMode::Predicted;
            else
                throw UsageError("--mode" + n + " erwartet simple oder predict, nicht " + *v);
        }
    }
    readSetting(args, "--deviation" + n, limits.deviationPx, s.deviationPx);
    if (track && args.flag("--refine" + n)) s.refine = true;
    readSetting(args, "--refine-tolerance" + n, limits.refineTolerance, s.refineTolerance);
    readSetting(args, "--object-size" + n, limits.objectSizePx, s.objectSizePx);
    if (track) {
        if (args.flag("--adopt" + n)) s.adoptColour = true;
        if (args.flag("--reacquire" + n)) s.reacquire = true;
    }
    if (args.flag("--blob" + n)) s.connected = true;
    if (args.flag("--subpixel" + n)) s.subpixel = true;
}

/// Takes the project's settings and colours as the options' start; the film word, when
/// given, names the film, else the project's film is looked for.
void startFromProject(Arguments& args, const std::string& file, JobOptions& o) {
    try {
        o.base = readProject(file);
    } catch (const ProjectError& e) {
        throw UsageError(e.what());
    }
    const Measurement& b = o.base->measurement;
    o.settings = b.slotSettings;
    for (SlotNumber slot : {1, 2}) {
        const Rgb c = b.colour(slot).picked;
        if (b.display.analyses(slot) && b.colour(slot).assigned)
            o.colour[slot - 1] = {c.r, c.g, c.b};
    }
    if (args.hasPositional()) {
        o.film = args.positional("FILM");
        return;
    }
    o.film = findProjectFilm(*o.base, file);
    if (o.film.empty())
        throw UsageError("Film „" + b.film.path + "“ nicht gefunden (auch nicht neben " + file +
                         ")");
}

}  // namespace

JobOptions readJobOptions(Arguments& args, JobCommand command) {
    JobOptions o;
    const auto project =
        command == JobCommand::Track ? args.option("--project") : std::optional<std::string>();
    if (project)
        startFromProject(args, *project, o);
    else
        o.film = args.positional("FILM");
    for (SlotNumber slot : {1, 2}) {
        const std::string name = "--colour" + std::to_string(slot);
        if (auto v = args.option(name)) o.colour[slot - 1] = parseIntList(*v, name, 3, 0, 255);
        readSlotOptions(args, slot, command, o.settings[static_cast<std::size_t>(slot - 1)]);
        const std::string start = "--start" + std::to_string(slot);
        if (auto v = args.option(start))
            o.start[slot - 1] = parseIntList(*v, start, 2, 0, INT_MAX / 4);
    }
    if (!o.colour[0] && !o.colour[1]) throw UsageError("--colour1 R,G,B fehlt");
    if (auto v = args.option("--area")) o.area = parseIntList(*v, "--area", 4, 0, INT_MAX / 4);
    o.from = args.option("--from");
    o.to = args.option("--to");
    // The frame rate changes nothing in the stroboscopic picture; it is accepted as for track.
    if (auto v = args.option("--fps")) o.fps = parseInt(*v, "--fps", 1, 100000);
    if (auto v = args.option("--on-refine-miss")) {
        if (*v != "continue" && *v != "stop")
            throw UsageError("--on-refine-miss erwartet continue oder stop, nicht " + *v);
        o.continueOnMiss = *v == "continue";
    }
    return o;
}

Measurement setUpMeasurement(const JobOptions& o, const FrameSource& source) {
    Measurement m;
    const int count = source.frameCount();
    applyFilmLoad(m, o.film, source.description(), count);
    FrameRange range{0, count};
    if (o.base) {
        // The saved area and range, the range cut to this film; a range to the saved film's
        // end runs to this film's end.
        const Measurement& b = o.base->measurement;
        m.area = b.area;
        m.film.timing.framesPerSecond = b.film.timing.framesPerSecond;
        const bool toEnd = b.range.end >= o.base->film.frames;
        range.end = toEnd ? count : std::min(b.range.end, count);
        range.start = std::min(b.range.start, range.end);
    }
    if (o.area) {
        const std::vector<int>& a = *o.area;
        if (a[0] > a[2] || a[1] > a[3] || a[2] > m.film.size.width || a[3] > m.film.size.height)
            throw UsageError("--area L,T,R,B muss im Bild liegen, mit L <= R und T <= B");
        m.area = SearchArea{a[0], a[1], a[2], a[3]};
    }
    const int first = o.from ? parseInt(*o.from, "--from", 0, count) : range.start;
    const int last = o.to ? parseInt(*o.to, "--to", 0, count) : range.end;
    if (first > last) throw UsageError("--from darf nicht hinter --to liegen");
    m.range = FrameRange{first, last};
    if (o.fps) m.film.timing.framesPerSecond = *o.fps;
    m.slotSettings = o.settings;
    for (SlotNumber slot : {1, 2}) {
        const auto& c = o.colour[slot - 1];
        if (!c) continue;
        const Rgb colour{static_cast<std::uint8_t>((*c)[0]), static_cast<std::uint8_t>((*c)[1]),
                         static_cast<std::uint8_t>((*c)[2])};
        m.colour(slot) = ColourSlot{colour, true, false, {}};
        // A saved pick keeps the point it was picked at, where a connected search starts.
        if (o.base && o.base->measurement.colour(slot).picked == colour)
            m.colour(slot) = o.base->measurement.colour(slot);
        if (const auto& start = o.start[slot - 1]) {
            if ((*start)[0] >= m.film.size.width || (*start)[1] >= m.film.size.height)
                throw UsageError("--start" + std::to_string(slot) + " X,Y muss im Bild liegen");
            m.colour(slot).pickedAtKnown = true;
            m.colour(slot).pickedAt = {(*start)[0], (*start)[1]};
        }
        m.trace(slot).workingColour = colour;
    }
    m.display.analyseColour1 = o.colour[0].has_value();
    m.display.analyseColour2 = o.colour[1].has_value();
    return m;
}

AnalysisJob checkedJob(const Measurement& measurement) {
    AnalysisJob job = makeAnalysisJob(measurement);
    if (const std::string problem = checkJob(job); !problem.empty()) throw UsageError(problem);
    return job;
}

}  // namespace zebak::cli
