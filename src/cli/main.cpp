// zebak-analyse: the program's film work without windows, for scripts and checks.
#include <iostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "FilmCommands.h"
#include "TrackCommand.h"
#include "media/FfmsFrameSource.h"

namespace {

constexpr const char* kUsage =
    "Aufruf: zebak-analyse info FILM | frame FILM N -o OUT.ppm | decode FILM [--from S] [--to E] | "
    "track FILM --colour1 R,G,B [Optionen]";

/// One line for standard error: line breaks of library texts become spaces.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zebak::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    try {
        if (words.empty()) throw UsageError(kUsage);
        const std::string command = words.front();
        Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
        if (command == "info") return runInfo(args, std::cout);
        if (command == "frame") return runFrame(args, std::cout);
        if (command == "decode") return runDecode(args, std::cout);
        if (command == "track") return runTrack(args, std::cout);
        throw UsageError("unbekannter Befehl: " + command + ". " + kUsage);
    } catch (const std::exception& e) {
        std::cerr << "zebak-analyse: " << oneLine(e.what()) << '\n';
        return 2;
    }
}
