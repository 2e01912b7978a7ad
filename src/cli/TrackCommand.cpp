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
#include "core/SheetLayout.h"
#include "media/FfmsFrameSource.h"
#include "spreadsheet/Workbook.h"

namespace zebak::cli {

namespace {

/// Fields without bounds (colour 2's radius and object size) still get a sane range here.
constexpr int kUnbounded = 1000000;

/// Reads the settings options of one slot into its settings page values.
void readSlotOptions(Arguments& args, SlotNumber slot, SearchSettings& s) {
    const std::string n = std::to_string(slot);
    // Colour 1's radius and object size are bounded to 0..500, colour 2's fields are not.
    const int low = slot == 1 ? 0 : -kUnbounded;
    const int high = slot == 1 ? 500 : kUnbounded;
    if (auto v = args.option("--tolerance" + n))
        s.FarbToleranz = parseInt(*v, "--tolerance" + n, 0, 255);
    if (auto v = args.option("--mode" + n)) {
        if (*v == "simple")
            s.modus = SearchMode::Einfach;
        else if (*v == "predict")
            s.modus = SearchMode::PositionVorherbestimmt;
        else
            throw UsageError("--mode" + n + " erwartet simple oder predict, nicht " + *v);
    }
    if (auto v = args.option("--deviation" + n))
        s.moeglicheAbweichung = parseInt(*v, "--deviation" + n, low, high);
    s.gezielteZweitsuche = args.flag("--refine" + n);
    if (auto v = args.option("--refine-tolerance" + n))
        s.ZweitToleranz = parseInt(*v, "--refine-tolerance" + n, 0, 255);
    if (auto v = args.option("--object-size" + n))
        s.Objektgroesse = parseInt(*v, "--object-size" + n, low, high);
    s.Farbuebernahme = args.flag("--adopt" + n);
    s.reacquire = args.flag("--reacquire" + n);
}

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
TrackRequest readRequest(Arguments& args, ProgramState& state) {
    TrackRequest r;
    r.film = args.positional("FILM");
    for (SlotNumber slot : {1, 2}) {
        const std::string name = "--colour" + std::to_string(slot);
        if (auto v = args.option(name)) r.colour[slot - 1] = parseIntList(*v, name, 3, 0, 255);
        readSlotOptions(args, slot, state.settings(slot));
    }
    if (!r.colour[0] && !r.colour[1]) throw UsageError("--colour1 R,G,B fehlt");
    if (auto v = args.option("--area")) r.area = parseIntList(*v, "--area", 4, 0, INT_MAX / 4);
    r.from = args.option("--from");
    r.to = args.option("--to");
    if (auto v = args.option("--fps")) r.fps = parseInt(*v, "--fps", 1, 100000);
    if (auto v = args.option("--times")) {
        if (*v != "rate" && *v != "film")
            throw UsageError("--times erwartet rate oder film, nicht " + *v);
        r.timesFromFilm = *v == "film";
    }
    r.calibrate = args.option("--calibrate");
    if (auto v = args.option("--origin"))
        r.origin = parseIntList(*v, "--origin", 2, -kUnbounded, kUnbounded);
    if (auto v = args.option("--on-refine-miss")) {
        if (*v != "continue" && *v != "stop")
            throw UsageError("--on-refine-miss erwartet continue oder stop, nicht " + *v);
        r.continueOnMiss = *v == "continue";
    }
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
    r.output = args.option("-o");
    args.expectEnd();
    if (r.format == OutputFormat::Xlsx && !r.output)
        throw UsageError("--format xlsx braucht -o DATEI.xlsx");
    refuseOutputOverInput(r.film, r.output);
    if (r.slot && !r.colour[*r.slot - 1])
        throw UsageError("--slot " + std::to_string(*r.slot) + ": Farbe " +
                         std::to_string(*r.slot) + " wird nicht analysiert");
    return r;
}

/// The calibration factor from "AX,AY,BX,BY,LENGTH" (length in metres, not 0; a negative
/// length is taken as given, as the length window takes it).
double readCalibration(const std::string& text) {
    const std::vector<std::string> parts = splitCommas(text);
    if (parts.size() != 5) throw UsageError("--calibrate erwartet AX,AY,BX,BY,LÄNGE");
    int p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = parseInt(parts[static_cast<std::size_t>(i)], "--calibrate", -kUnbounded, kUnbounded);
    const double length = parseDouble(parts[4], "--calibrate");
    if (length == 0.0) throw UsageError("--calibrate: die Länge darf nicht 0 sein");
    const auto factor = calibrationFactor(p[0], p[1], p[2], p[3], length);
    if (!factor) throw UsageError("--calibrate: Anfangs- und Endpunkt sind derselbe Bildpunkt");
    return *factor;
}

/// The state after loading the film and choosing automatic mode, plus the request's settings.
void setUpState(ProgramState& state, const TrackRequest& r, const FrameSource& source) {
    const int count = source.frameCount();
    applyFilmLoad(state, r.film, source.description(), count);
    const int w = state.Videobreite;
    const int h = state.Videohoehe;
    if (r.area) {
        const std::vector<int>& a = *r.area;
        if (a[0] > a[2] || a[1] > a[3] || a[2] > w || a[3] > h)
            throw UsageError("--area L,T,R,B muss im Bild liegen, mit L <= R und T <= B");
        state.SuchbereichLinks = a[0];
        state.SuchbereichOben = a[1];
        state.SuchbereichRechts = a[2];
        state.SuchbereichUnten = a[3];
    }
    if (r.origin) {
        state.NullpunktX = (*r.origin)[0];
        state.NullpunktY = (*r.origin)[1];
    }
    state.Eichfaktor = r.calibrate ? readCalibration(*r.calibrate) : 1.0;
    if (!calibrationFits(state.Eichfaktor, w, h, state.NullpunktX, state.NullpunktY))
        throw UsageError(
            "--calibrate: mit dieser Länge wären die Koordinaten zu groß oder zu klein für die "
            "Tabellen (Maßstab " +
            formatNumber(state.Eichfaktor) + " m je Bildpunkt)");

    const int first = r.from ? parseInt(*r.from, "--from", 0, count) : 0;
    const int last = r.to ? parseInt(*r.to, "--to", 0, count) : count;
    if (first > last) throw UsageError("--from darf nicht hinter --to liegen");
    state.analyse.sequenceStart = first;
    state.analyse.sequenceEnd = last;
    if (r.fps) state.analyse.framesPerSecond = *r.fps;
    state.analyse.timesFromFilm = r.timesFromFilm;

    for (SlotNumber slot : {1, 2}) {
        const auto& c = r.colour[slot - 1];
        if (!c) continue;
        const Rgb colour{static_cast<std::uint8_t>((*c)[0]), static_cast<std::uint8_t>((*c)[1]),
                         static_cast<std::uint8_t>((*c)[2])};
        state.slot(slot).Farbe = colour;
        state.slot(slot).Startfarbe = colour;
        state.slot(slot).zugewiesen = true;
    }
    state.analyse.anzeige.farbe1Analysieren = r.colour[0].has_value();
    state.analyse.anzeige.farbe2Analysieren = r.colour[1].has_value();
}

std::string jsonTables(const ProgramState& state, const std::string& more) {
    std::string out = "{\"tables\":{";
    bool firstSlot = true;
    for (SlotNumber slot : {1, 2}) {
        const bool analysed = slot == 1 ? state.analyse.anzeige.farbe1Analysieren
                                        : state.analyse.anzeige.farbe2Analysieren;
        if (!analysed) continue;
        if (!firstSlot) out += ',';
        firstSlot = false;
        out += '"' + std::to_string(slot) + "\":[";
        const PositionGrid& grid = state.tabelle(slot);
        for (int row = 1; row < grid.rowCount(); ++row) {
            if (row > 1) out += ',';
            out += '[' + jsonString(grid.cell(row, 0)) + ',' + jsonString(grid.cell(row, 1)) + ',' +
                   jsonString(grid.cell(row, 2)) + ']';
        }
        out += ']';
    }
    out += '}' + more + "}\n";
    return out;
}

/// The export of one slot as the evaluation window makes it: the text formats from its
/// position grid, the workbook from its three grids.
int writeExport(const ProgramState& state, const TrackRequest& request, std::ostream& out) {
    const SlotNumber slot = request.slot.value_or(firstAnalysedSlot(state.analyse.anzeige));
    // The same grids as the JSON and the windows: with film times the rows' own times.
    const PositionGrid& positions = state.tabelle(slot);
    const KinematicsGrids grids = Tabellefuellen(slot, positions, state.analyse.framesPerSecond,
                                                 rowTimesS(state.analyse, positions.rowCount()));
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

TrackRequest parseTrackRequest(std::vector<std::string> words, ProgramState& state) {
    Arguments args(std::move(words));
    return readRequest(args, state);
}

int runTrack(Arguments& args, std::ostream& out) {
    ProgramState state;
    const TrackRequest request = readRequest(args, state);
    const auto source = openFilm(request.film);
    setUpState(state, request, *source);

    HeadlessHost host(request.continueOnMiss);
    source->seek(0);
    FilmAnalyseBtnClick(state, *source, host);

    if (request.format != OutputFormat::Json) return writeExport(state, request, out);
    const std::string text =
        jsonTables(state, request.kinematics ? kinematicsJson(state, request.strength) : "");
    if (request.output)
        writeFileSafely(*request.output, text);
    else
        out << text;
    return 0;
}

}  // namespace zebak::cli
