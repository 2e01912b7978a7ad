#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zebak::test {

/// Output and exit status of a finished command.
struct ProcessResult {
    std::string out;
    int status = -1;
    /// Standard error, collected by runCommandWithErrors only.
    std::string err;
};

/// Runs a shell command line and collects its standard output (standard error as given
/// by the command line's own redirections).
inline ProcessResult runCommand(const std::string& command) {
    ProcessResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

/// Runs a shell command line and collects its standard output and its standard error.
inline ProcessResult runCommandWithErrors(const std::string& command) {
    std::string name = (std::filesystem::temp_directory_path() / "zebak-err-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {};
    ::close(fd);
    const std::filesystem::path errFile = name;
    ProcessResult result = runCommand(command + " 2>'" + errFile.string() + "'");
    std::ifstream in(errFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    result.err = text.str();
    std::error_code ignored;
    std::filesystem::remove(errFile, ignored);
    return result;
}

/// A path in single quotes for the shell.
inline std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

/// Frames that ffmpeg's decoder really puts out for the first video stream of a film, as
/// `ffprobe -count_frames` counts them on one thread; 0 when it counts none.
inline int decoderFrameCount(const std::string& path) {
    const auto r = runCommand(
        "ffprobe -v quiet -threads 1 -count_frames -select_streams v:0 "
        "-show_entries stream=nb_read_frames -of csv=p=0 " +
        shellQuote(path));
    return std::atoi(r.out.c_str());
}

}  // namespace zebak::test
