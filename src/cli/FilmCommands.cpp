#include "FilmCommands.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include "media/FfmsFrameSource.h"

namespace zebak::cli {

int runInfo(Arguments& args, std::ostream& out) {
    const std::string film = args.positional("FILM");
    args.expectEnd();
    const auto source = FfmsFrameSource::open(film);
    const FilmInfo& i = source->info();
    out << "{\"frames\":" << i.frameCount << ",\"width\":" << i.nativeSize.width
        << ",\"height\":" << i.nativeSize.height << ",\"analysisWidth\":" << i.analysisSize.width
        << ",\"analysisHeight\":" << i.analysisSize.height << ",\"fps\":" << formatNumber(i.fps)
        << "}\n";
    return 0;
}

int runFrame(Arguments& args, std::ostream&) {
    const std::string film = args.positional("FILM");
    const std::string number = args.positional("N");
    const auto output = args.option("-o");
    args.expectEnd();
    if (!output) throw UsageError("Option -o OUT.ppm fehlt");
    const auto source = FfmsFrameSource::open(film);
    const int n = parseInt(number, "Bildnummer", 0, source->frameCount() - 1);
    source->seek(n);
    const RgbFrame& f = source->frame();

    // Written to a temporary file and renamed, so a failed write leaves no half picture.
    const std::string temp = *output + ".tmp";
    {
        std::ofstream ppm(temp, std::ios::binary | std::ios::trunc);
        ppm << "P6\n" << f.width() << ' ' << f.height() << "\n255\n";
        ppm.write(reinterpret_cast<const char*>(f.bytes().data()),
                  static_cast<std::streamsize>(f.bytes().size()));
        if (!ppm.flush()) throw UsageError("kann " + *output + " nicht schreiben");
    }
    std::error_code ec;
    std::filesystem::rename(temp, *output, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw UsageError("kann " + *output + " nicht schreiben");
    }
    return 0;
}

int runDecode(Arguments& args, std::ostream& out) {
    const std::string film = args.positional("FILM");
    const auto from = args.option("--from");
    const auto to = args.option("--to");
    args.expectEnd();
    const auto source = FfmsFrameSource::open(film);
    const int last = source->frameCount() - 1;
    const int first = from ? parseInt(*from, "--from", 0, last) : 0;
    // The end bar may stand at the frame count; that position shows the last frame.
    const int end = to ? std::min(parseInt(*to, "--to", first, last + 1), last) : last;

    const auto start = std::chrono::steady_clock::now();
    int frames = 0;
    for (int n = first; n <= end; ++n, ++frames) source->seek(n);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    out << "{\"frames\":" << frames << ",\"seconds\":" << formatNumber(wall.count()) << "}\n";
    return 0;
}

}  // namespace zebak::cli
