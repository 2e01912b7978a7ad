#include "TrackCommand.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>

#include "FilmCommands.h"
#include "HeadlessHost.h"
#include "KinematicsJson.h"
#include "core/ExportText.h"
#include "core/FileWrite.h"
#include "core/FilmAnalysis.h"
#include "core/FilmLoad.h"
#include "core/Kinematics.h"
#include "core/PositionTable.h"
#include "core/ProjectFile.h"
#include "core/SheetLayout.h"
#include "media/FfmsFrameSource.h"
#include "media/FilmCache.h"
#include "spreadsheet/Workbook.h"

namespace zebak::cli {

namespace {

/// Points far outside the frame (an origin, a calibration line) still get a sane range here.
constexpr int kUnbounded = 1000000;

/// Splits "a,b,c" at the commas.
std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

/// Takes every option of the command line; values that need the film are checked later.
TrackRequest readRequest(Arguments& args) {
    TrackRequest r;
    r.job = readJobOptions(args, JobCommand::Track);
    if (r.job.base) {
        r.timesFromFilm = r.job.base->measurement.film.timing.timesFromFilm;
        r.strength = r.job.base->measurement.evaluationChoices.trendStrength;
    }
    if (auto v = args.option("--times")) {
        if (*v != "rate" && *v != "film")
            throw UsageError("--times erwartet rate oder film, nicht " + *v);
        r.timesFromFilm = *v == "film";
    }
    r.calibrate = args.option("--calibrate");
    if (auto v = args.option("--origin"))
        r.origin = parseIntList(*v, "--origin", 2, -kUnbounded, kUnbounded);
    r.saveProject = args.option("--save-project");
    readOutputOptions(args, r);
    args.expectEnd();
    refuseOutputOverInput(r.job.film, r.output);
    refuseOutputOverInput(r.job.film, r.saveProject);
    if (r.slot && !r.job.colour[*r.slot - 1])
        throw UsageError("--slot " + std::to_string(*r.slot) + ": Farbe " +
                         std::to_string(*r.slot) + " wird nicht analysiert");
    return r;
}

/// The calibration factor from "AX,AY,BX,BY,LENGTH" (length in metres, not 0; a negative
/// length is taken as given, as the length window takes it).
double readCalibration(const std::string& text, CalibrationLine& line) {
    const std::vector<std::string> parts = splitCommas(text);
    if (parts.size() != 5) throw UsageError("--calibrate erwartet AX,AY,BX,BY,LÄNGE");
    int p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = parseInt(parts[static_cast<std::size_t>(i)], "--calibrate", -kUnbounded, kUnbounded);
    const double length = parseDouble(parts[4], "--calibrate");
    if (length == 0.0) throw UsageError("--calibrate: die Länge darf nicht 0 sein");
    const auto factor = calibrationFactor(p[0], p[1], p[2], p[3], length);
    if (!factor) throw UsageError("--calibrate: Anfangs- und Endpunkt sind derselbe Bildpunkt");
    line = CalibrationLine{{p[0], p[1]}, {p[2], p[3]}, length};
    return *factor;
}

/// The measurement after loading the film and choosing automatic mode, with the request's
/// settings, calibration and origin.
Measurement setUpTrack(const TrackRequest& r, const FrameSource& source) {
    Measurement m = setUpMeasurement(r.job, source);
    const int w = m.film.size.width;
    const int h = m.film.size.height;
    Calibration& c = m.calibration;
    // A project's calibration and origin hold unless the options give others.
    if (r.job.base && !r.calibrate) c = r.job.base->measurement.calibration;
    if (r.origin) c.origin = PixelPoint{(*r.origin)[0], (*r.origin)[1]};
    if (r.calibrate)
        c.factorMPerPx = readCalibration(*r.calibrate, c.line);
    else if (!r.job.base)
        c.factorMPerPx = 1.0;
    if (!calibrationFits(c.factorMPerPx, w, h, c.origin.x, c.origin.y))
        throw UsageError(
            "--calibrate: mit dieser Länge wären die Koordinaten zu groß oder zu klein für die "
            "Tabellen (Maßstab " +
            formatNumber(c.factorMPerPx) + " m je Bildpunkt)");
    m.film.timing.timesFromFilm = r.timesFromFilm;
    if (r.spread) m.evaluationChoices.spread = *r.spread;
    return m;
}

std::string jsonTables(const Measurement& state, const std::string& more) {
    return "{\"tables\":" +
           jsonSlots(state.display,
                     [&](SlotNumber slot) {
                         const PositionGrid& grid = state.grid(slot);
                         std::string rows = "[";
                         for (int row = 1; row < grid.rowCount(); ++row) {
                             if (row > 1) rows += ',';
                             rows += '[' + jsonString(grid.cell(row, 0)) + ',' +
                                     jsonString(grid.cell(row, 1)) + ',' +
                                     jsonString(grid.cell(row, 2)) + ']';
                         }
                         return rows + ']';
                     }) +
           more + "}\n";
}

/// The export of one slot as the evaluation window makes it: the text formats from its
/// position grid, the workbook from its three grids.
int writeExport(const Measurement& state, const TrackRequest& request, std::ostream& out) {
    const SlotNumber slot = request.slot.value_or(firstAnalysedSlot(state.display));
    // The same grids as the JSON and the windows: with film times the rows' own times.
    const PositionGrid& positions = state.grid(slot);
    const KinematicsGrids grids = slotKinematics(slot, positions, state.film.timing,
                                                 state.range.start, state.evaluationChoices.spread);
    if (request.format == OutputFormat::Xlsx) {
        writeWorkbook(*request.output, sheetLayout(grids));
        return 0;
    }
    const ExportFormat format =
        request.format == OutputFormat::Txt ? ExportFormat::Text : ExportFormat::Csv;
    const std::string bytes = exportFileBytes(exportText(grids.positions, format), format);
    if (request.output)
        writeFileSafely(*request.output, bytes);
    else
        out << bytes;
    return 0;
}

}  // namespace

void readOutputOptions(Arguments& args, TrackRequest& r) {
    if (auto v = args.option("--format")) {
        if (*v == "json")
            r.format = OutputFormat::Json;
        else if (*v == "csv")
            r.format = OutputFormat::Csv;
        else if (*v == "txt")
            r.format = OutputFormat::Txt;
        else if (*v == "xlsx")
            r.format = OutputFormat::Xlsx;
        else
            throw UsageError("--format erwartet json, csv, txt oder xlsx, nicht " + *v);
    }
    if (auto v = args.option("--slot")) r.slot = parseInt(*v, "--slot", 1, 2);
    r.kinematics = args.flag("--kinematics");
    if (auto v = args.option("--strength")) r.strength = parseStrength(*v);
    if (auto v = args.option("--spread")) r.spread = parseSpread(*v);
    r.fits = parseFits(args.options("--fit"));
    r.output = args.option("-o");
    if (!r.fits.empty() && r.format != OutputFormat::Json)
        throw UsageError("--fit gilt nur für --format json");
    if (r.format == OutputFormat::Xlsx && !r.output)
        throw UsageError("--format xlsx braucht -o DATEI.xlsx");
}

int writeTables(const Measurement& state, const TrackRequest& request, std::ostream& out) {
    if (request.format != OutputFormat::Json) return writeExport(state, request, out);
    const std::string text =
        jsonTables(state, (request.kinematics ? kinematicsJson(state, request.strength) : "") +
                              (request.fits.empty() ? "" : fitsJson(state, request.fits)));
    if (request.output)
        writeFileSafely(*request.output, text);
    else
        out << text;
    return 0;
}

int runProject(Arguments& args, std::ostream& out) {
    const std::string file = args.positional("FILE.zebak");
    Project project;
    try {
        project = readProject(file);
    } catch (const ProjectError& e) {
        throw UsageError(e.what());
    }
    TrackRequest request;
    request.strength = project.measurement.evaluationChoices.trendStrength;
    readOutputOptions(args, request);
    args.expectEnd();
    refuseOutputOverInput(file, request.output);
    Measurement& state = project.measurement;
    if (request.spread) state.evaluationChoices.spread = *request.spread;
    if (firstAnalysedSlot(state.display) == 0)
        throw UsageError(file + ": die Analyse hat keine analysierte Farbe");
    if (request.slot && !state.display.analyses(*request.slot))
        throw UsageError("--slot " + std::to_string(*request.slot) + ": Farbe " +
                         std::to_string(*request.slot) + " wird nicht analysiert");
    return writeTables(state, request, out);
}

TrackRequest parseTrackRequest(std::vector<std::string> words) {
    Arguments args(std::move(words));
    return readRequest(args);
}

int runTrack(Arguments& args, std::ostream& out) {
    const TrackRequest request = readRequest(args);
    const auto source = openFilm(request.job.film, FfmsFrameSource::Reading::FromTheStart);
    Measurement state = setUpTrack(request, *source);
    AnalysisJob job = checkedJob(state);

    HeadlessHost host(request.job.continueOnMiss);
    source->seek(0);
    // Nothing shows the search's result picture here, so it is not drawn.
    RunOutputs outputs = outputsOf(state);
    outputs.drawsImage = false;
    analyseFilm(job, outputs, *source, host);

    if (request.saveProject) {
        state.evaluationChoices.trendStrength = request.strength;
        writeProject(*request.saveProject, state,
                     projectFilmFacts(request.job.film, source->frameCount()));
    }
    return writeTables(state, request, out);
}

}  // namespace zebak::cli
