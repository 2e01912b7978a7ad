// Fuzzes the command line of `zebak-analyse track`.
//
// The input is split into words at NUL bytes, as the words after `track` would arrive from
// the shell. A command line that cannot be used must end in a UsageError with a message;
// any other exception, a sanitizer report or a request with values out of their bounds is a
// finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/TrackCommand.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

std::vector<std::string> splitAtNul(std::string_view bytes) {
    std::vector<std::string> words;
    if (bytes.empty()) return words;
    words.emplace_back();
    for (char c : bytes) {
        if (c == '\0')
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

bool allWithin(const std::vector<int>& values, std::size_t count, int low, int high) {
    if (values.size() != count) return false;
    for (int v : values)
        if (v < low || v > high) return false;
    return true;
}

/// What the later steps rely on: a film word, a colour, and lists of the right length.
void checkRequest(const zebak::cli::TrackRequest& request) {
    const zebak::cli::JobOptions& r = request.job;
    if (!r.colour[0] && !r.colour[1]) fail("a request without any colour was accepted");
    for (const auto& colour : r.colour)
        if (colour && !allWithin(*colour, 3, 0, 255)) fail("a colour outside 0..255");
    if (r.area && !allWithin(*r.area, 4, 0, INT32_MAX)) fail("an area not of four corners >= 0");
    if (request.origin && request.origin->size() != 2) fail("an origin without two numbers");
    if (r.fps && *r.fps < 1) fail("a frame rate below 1");
    if (request.slot && (*request.slot < 1 || *request.slot > 2 || !r.colour[*request.slot - 1]))
        fail("an exported slot that is not analysed");
    if (request.format == zebak::cli::OutputFormat::Xlsx && !request.output)
        fail("a workbook without -o");
    for (zebak::SlotNumber slot : {1, 2}) {
        const zebak::SlotSettings& s = r.settings[static_cast<std::size_t>(slot - 1)];
        if (s.tolerance < 0 || s.tolerance > 255) fail("a tolerance outside 0..255");
        if (s.refineTolerance < 0 || s.refineTolerance > 255)
            fail("a refine tolerance outside 0..255");
        if (slot == 1 && (s.deviationPx < 0 || s.deviationPx > 500 || s.objectSizePx < 0 ||
                          s.objectSizePx > 500))
            fail("colour 1's radius or object size outside 0..500");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words =
        splitAtNul(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const zebak::cli::TrackRequest request = zebak::cli::parseTrackRequest(std::move(words));
        checkRequest(request);
    } catch (const zebak::cli::UsageError& e) {
        if (std::string_view(e.what()).empty()) fail("a usage error without a message");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "exception: %s\n", e.what());
        fail("an exception other than UsageError escaped");
    } catch (...) {
        fail("something other than an exception was thrown");
    }
    return 0;
}
