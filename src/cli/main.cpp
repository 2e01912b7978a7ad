// zebak-analyse: the program's film work without windows, for scripts and checks.
#include <iostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "FilmCommands.h"
#include "ProgramVersion.h"
#include "StrobeCommand.h"
#include "TrackCommand.h"
#include "core/FileWrite.h"
#include "core/FrameSource.h"
#include "media/FfmsFrameSource.h"

namespace {

constexpr const char* kUsage =
    "Aufruf: zebak-analyse info FILM | frame FILM N -o OUT.ppm | decode FILM [--from S] [--to E] | "
    "track FILM --colour1 R,G,B [Optionen] [--format json|csv|txt|xlsx] [--slot 1|2] [-o DATEI] | "
    "strobe FILM --colour1 R,G,B [Optionen] -o OUT.png | "
    "project ANALYSE.zebak [--kinematics] [--format json|csv|txt|xlsx] [--slot 1|2] [-o DATEI]";

/// One line for standard error: line breaks of library texts become spaces.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

int run(const std::vector<std::string>& words) {
    using namespace zebak::cli;
    if (words.empty()) throw UsageError(kUsage);
    const std::string& command = words.front();
    if (command == "--version" && words.size() == 1) {
        std::cout << "zebak-analyse " << zebak::kProgramVersion << '\n';
        return 0;
    }
    if (command == "--help" && words.size() == 1) {
        std::cout << kUsage << '\n';
        return 0;
    }
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (command == "info") return runInfo(args, std::cout);
    if (command == "frame") return runFrame(args, std::cout);
    if (command == "decode") return runDecode(args, std::cout);
    if (command == "track") return runTrack(args, std::cout);
    if (command == "strobe") return runStrobe(args, std::cout);
    if (command == "project") return runProject(args, std::cout);
    throw UsageError("unbekannter Befehl: " + command + ". " + kUsage);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    int status = 0;
    try {
        status = run(words);
    } catch (const zebak::FileWriteError& e) {
        std::cerr << "zebak-analyse: " << oneLine(e.what()) << '\n';
        return 1;
    } catch (const zebak::FrameReadError& e) {
        // The film opened but broke off while it was worked on: the work failed, nothing is
        // put out for it.
        std::cerr << "zebak-analyse: " << oneLine(e.what()) << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zebak-analyse: " << oneLine(e.what()) << '\n';
        return 2;
    }
    // A full disk or a closed standard output shows only here, when the output is flushed.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "zebak-analyse: Die Ausgabe kann nicht geschrieben werden.\n";
        return 1;
    }
    return status;
}
