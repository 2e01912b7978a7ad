// Fuzzes the project file reader.
//
// The input is read as a project's text. The reader either refuses it with a message or gives
// values that are written and read back unchanged; anything else (a crash, another exception,
// a read that does not round-trip) aborts, which libFuzzer reports as a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ProjectFile.h"

namespace {

void fail(const char* rule) {
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zebak::Project first;
    try {
        first = zebak::parseProject(text);
    } catch (const zebak::ProjectError& e) {
        if (std::string_view(e.what()).empty()) fail("a refusal has a message");
        return 0;
    }
    // What was read is written and read again: the second read must accept it and agree.
    const std::string again = zebak::projectText(first.measurement, first.film);
    zebak::Project second;
    try {
        second = zebak::parseProject(again);
    } catch (const zebak::ProjectError&) {
        fail("a written project reads back");
    }
    if (zebak::projectText(second.measurement, second.film) != again)
        fail("a written project reads back unchanged");
    return 0;
}
