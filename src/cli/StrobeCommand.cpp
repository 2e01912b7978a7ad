#include "StrobeCommand.h"

#include <chrono>
#include <climits>
#include <optional>

#include "FilmCommands.h"
#include "HeadlessHost.h"
#include "PngEncode.h"
#include "core/FileWrite.h"
#include "core/FilmLoad.h"
#include "core/Stroboscope.h"

namespace zebak::cli {

namespace {

/// Fields without bounds (colour 2's deviation and object size) still get a sane range here.
constexpr int kUnbounded = 1000000;

struct StrobeRequest {
    std::string film;
    std::optional<std::vector<int>> colour[2];
    std::optional<std::vector<int>> area;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> background;
    bool continueOnMiss = true;
    StroboOptions options;
    std::string output;
};

/// The settings a stroboscope run reads from the settings page of one slot.
void readSlotOptions(Arguments& args, SlotNumber slot, SearchSettings& s) {
    const std::string n = std::to_string(slot);
    const int low = slot == 1 ? 0 : -kUnbounded;
    const int high = slot == 1 ? 500 : kUnbounded;
    if (auto v = args.option("--tolerance" + n))
        s.FarbToleranz = parseInt(*v, "--tolerance" + n, 0, 255);
    if (auto v = args.option("--deviation" + n))
        s.moeglicheAbweichung = parseInt(*v, "--deviation" + n, low, high);
    if (auto v = args.option("--refine-tolerance" + n))
        s.ZweitToleranz = parseInt(*v, "--refine-tolerance" + n, 0, 255);
    if (auto v = args.option("--object-size" + n))
        s.Objektgroesse = parseInt(*v, "--object-size" + n, low, high);
}

StrobeRequest readRequest(Arguments& args, ProgramState& state) {
    StrobeRequest r;
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
    // The frame rate changes nothing in the picture; it is accepted as for track.
    if (auto v = args.option("--fps")) parseInt(*v, "--fps", 1, 100000);
    if (auto v = args.option("--on-refine-miss")) {
        if (*v != "continue" && *v != "stop")
            throw UsageError("--on-refine-miss erwartet continue oder stop, nicht " + *v);
        r.continueOnMiss = *v == "continue";
    }
    r.background = args.option("--background");
    r.options.einfarbig = args.flag("--circles");
    r.options.mitRand = !args.flag("--no-rim");
    r.options.mittelpunktsfarbe = args.flag("--centre-colour");
    const auto output = args.option("-o");
    args.expectEnd();
    if (!output) throw UsageError("Option -o OUT.png fehlt");
    r.output = *output;
    refuseOutputOverInput(r.film, output);
    return r;
}

/// The state after loading the film and choosing automatic mode, plus the request's settings;
/// returns the background frame.
int setUpState(ProgramState& state, const StrobeRequest& r, const FrameSource& source) {
    const int count = source.frameCount();
    applyFilmLoad(state, r.film, source.description(), count);
    if (r.area) {
        const std::vector<int>& a = *r.area;
        if (a[0] > a[2] || a[1] > a[3] || a[2] > state.Videobreite || a[3] > state.Videohoehe)
            throw UsageError("--area L,T,R,B muss im Bild liegen, mit L <= R und T <= B");
        state.SuchbereichLinks = a[0];
        state.SuchbereichOben = a[1];
        state.SuchbereichRechts = a[2];
        state.SuchbereichUnten = a[3];
    }
    const int first = r.from ? parseInt(*r.from, "--from", 0, count) : 0;
    const int last = r.to ? parseInt(*r.to, "--to", 0, count) : count;
    if (first > last) throw UsageError("--from darf nicht hinter --to liegen");
    state.analyse.sequenceStart = first;
    state.analyse.sequenceEnd = last;
    for (SlotNumber slot : {1, 2}) {
        const auto& c = r.colour[slot - 1];
        if (!c) continue;
        state.slot(slot).Startfarbe = {static_cast<std::uint8_t>((*c)[0]),
                                       static_cast<std::uint8_t>((*c)[1]),
                                       static_cast<std::uint8_t>((*c)[2])};
        state.slot(slot).zugewiesen = true;
    }
    state.analyse.anzeige.farbe1Analysieren = r.colour[0].has_value();
    state.analyse.anzeige.farbe2Analysieren = r.colour[1].has_value();
    return r.background ? parseInt(*r.background, "--background", 0, count - 1) : first;
}

}  // namespace

int runStrobe(Arguments& args, std::ostream& out) {
    ProgramState state;
    const StrobeRequest request = readRequest(args, state);
    const auto source = openFilm(request.film);
    const int background = setUpState(state, request, *source);

    const auto started = std::chrono::steady_clock::now();
    HeadlessHost host(request.continueOnMiss);
    source->seek(background);
    const int frames = StroboskopbildClick(state, *source, host, request.options);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;

    writeFileSafely(request.output, encodePng(state.analyse.Suchergebnisbild));
    out << "{\"frames\":" << frames << ",\"seconds\":" << formatNumber(wall.count()) << "}\n";
    return 0;
}

}  // namespace zebak::cli
