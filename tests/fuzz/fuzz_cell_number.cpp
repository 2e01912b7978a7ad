// Fuzzes the cell-number reader and the number texts of the tables.
//
// The input is read as a cell's text; its first eight bytes are also taken as a double, so
// every bit pattern (NaN, infinities, subnormals, huge values) reaches the writers. Any broken
// rule aborts, which libFuzzer reports as a finding.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "core/NumberText.h"

namespace {

void fail(const char* rule, std::string_view text) {
    std::fprintf(stderr, "broken rule: %s\ntext: \"%.*s\"\n", rule, static_cast<int>(text.size()),
                 text.data());
    std::abort();
}

/// The shape of a cell number, written as a pattern independent of the reader's own loop.
bool looksLikeCellNumber(const std::string& text) {
    static const std::regex shape(R"( *(-?([0-9]+\.?[0-9]*|\.[0-9]+))? *)");
    return std::regex_match(text, shape);
}

/// The reader agrees with the pattern: a number shape reads (unless the C library finds its
/// value beyond a double's range), anything else does not; what it reads is finite and the
/// C library's value.
void checkReader(std::string_view text) {
    const std::optional<double> value = zebak::readCellNumber(text);
    // The pattern check recurses per character in the standard library; keep it to short texts.
    if (text.size() <= 200) {
        const bool shaped = looksLikeCellNumber(std::string(text));
        if (value && !shaped) fail("a text that is not a number shape reads as a number", text);
        if (!value && shaped) {
            const std::string digits(text);
            errno = 0;
            std::strtod(digits.c_str(), nullptr);
            if (errno != ERANGE) fail("a number shape within range does not read", text);
        }
    }
    if (!value) return;
    if (!std::isfinite(*value)) fail("a cell reads as a value that is not finite", text);
    const std::string digits(text);
    if (const double expected = std::strtod(digits.c_str(), nullptr); expected != *value)
        fail("the value read differs from the C library's reading", text);
}

/// A written number text has the cell shape, reads back within half its last decimal, and
/// reads as the same value after Nullenweg, which leaves no trailing "0" or "." after a point.
void checkWriters(double value, int decimals) {
    const std::string text = zebak::fixedText(value, decimals);
    if (!std::isfinite(value)) {
        if (!text.empty()) fail("NaN or an infinity gets a number text", text);
        return;
    }
    if (text.empty()) fail("a finite value gets no number text", text);
    const std::optional<double> back = zebak::readCellNumber(text);
    if (!back) fail("a written number text does not read back", text);
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-15;
    if (std::fabs(*back - value) > tolerance) fail("a written number reads back wrong", text);
    if (*back == 0.0 && text.front() == '-') fail("a zero is written with a minus sign", text);

    const std::string trimmed = zebak::trimZeros(text);
    if (trimmed.find('.') != std::string::npos && (trimmed.back() == '0' || trimmed.back() == '.'))
        fail("Nullenweg leaves a trailing zero or point", trimmed);
    const std::optional<double> again = zebak::readCellNumber(trimmed);
    if (!again || *again != *back) fail("Nullenweg changes the value of a number text", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReader(text);
    if (const std::optional<double> value = zebak::readCellNumber(text)) {
        for (int decimals : {0, 3, 5}) checkWriters(*value, decimals);
    }
    if (size >= sizeof(double)) {
        double raw = 0.0;
        std::memcpy(&raw, data, sizeof raw);
        for (int decimals : {0, 3, 5, 17}) checkWriters(raw, decimals);
    }
    return 0;
}
