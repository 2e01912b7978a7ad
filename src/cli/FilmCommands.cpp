#include "FilmCommands.h"

#include <chrono>
#include <iostream>

#include "core/FileWrite.h"

namespace zebak::cli {

std::unique_ptr<FfmsFrameSource> openFilm(const std::string& path,
                                          FfmsFrameSource::Reading reading) {
    auto source = FfmsFrameSource::open(path, {}, reading);
    for (const std::string& warning : source->info().warnings)
        std::cerr << "zebak-analyse: Warnung: " << warning << '\n';
    return source;
}

int runInfo(Arguments& args, std::ostream& out) {
    const std::string film = args.positional("FILM");
    args.expectEnd();
    const auto source = openFilm(film);
    const FilmInfo& i = source->info();
    out << "{\"frames\":" << i.frameCount << ",\"width\":" << i.nativeSize.width
        << ",\"height\":" << i.nativeSize.height << ",\"analysisWidth\":" << i.analysisSize.width
        << ",\"analysisHeight\":" << i.analysisSize.height << ",\"fps\":" << formatNumber(i.fps)
        << ",\"rotation\":" << i.rotationDeg
        << ",\"variableFrameRate\":" << (i.variableFrameRate ? "true" : "false")
        << ",\"minFrameSeconds\":" << formatNumber(i.minFrameSeconds)
        << ",\"maxFrameSeconds\":" << formatNumber(i.maxFrameSeconds)
        << ",\"captureFps\":" << (i.captureFps ? formatNumber(*i.captureFps) : "null")
        << ",\"damaged\":" << (i.damaged ? "true" : "false") << "}\n";
    return 0;
}

int runFrame(Arguments& args, std::ostream&) {
    const std::string film = args.positional("FILM");
    const std::string number = args.positional("N");
    const auto output = args.option("-o");
    args.expectEnd();
    if (!output) throw UsageError("Option -o OUT.ppm fehlt");
    refuseOutputOverInput(film, output);
    const auto source = openFilm(film);
    const int n = parseInt(number, "Bildnummer", 0, source->frameCount() - 1);
    source->seek(n);
    const RgbFrame& f = source->frame();

    std::string ppm =
        "P6\n" + std::to_string(f.width()) + ' ' + std::to_string(f.height()) + "\n255\n";
    ppm.append(reinterpret_cast<const char*>(f.bytes().data()), f.bytes().size());
    writeFileSafely(*output, ppm);
    return 0;
}

int runDecode(Arguments& args, std::ostream& out) {
    const std::string film = args.positional("FILM");
    const auto from = args.option("--from");
    const auto to = args.option("--to");
    args.expectEnd();
    const auto source = openFilm(film, FfmsFrameSource::Reading::FromTheStart);
    const int last = source->frameCount() - 1;
    const int first = from ? parseInt(*from, "--from", 0, last) : 0;
    // The end bar may stand at the frame count; that position shows the last frame.
    const int end = to ? std::min(parseInt(*to, "--to", first, last + 1), last) : last;

    const auto start = std::chrono::steady_clock::now();
    int frames = 0;
    // Every frame is converted whole, as the windows show it (the searches convert only the
    // rows they read).
    for (int n = first; n <= end; ++n, ++frames) {
        source->seek(n);
        static_cast<void>(source->frame());
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    out << "{\"frames\":" << frames << ",\"seconds\":" << formatNumber(wall.count()) << "}\n";
    return 0;
}

}  // namespace zebak::cli
