#include "Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace zebak::cli {

namespace {

bool looksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

}  // namespace

Arguments::Arguments(std::vector<std::string> words) {
    const auto end = std::find(words.begin(), words.end(), std::string("--"));
    words_.assign(words.begin(), end);
    if (end != words.end()) afterEnd_.assign(end + 1, words.end());
}

std::string Arguments::positional(const std::string& what) {
    // Positional words come before the options, or after "--".
    if (!words_.empty() && !looksLikeOption(words_.front())) {
        std::string word = words_.front();
        words_.erase(words_.begin());
        return word;
    }
    if (!afterEnd_.empty()) {
        std::string word = afterEnd_.front();
        afterEnd_.erase(afterEnd_.begin());
        return word;
    }
    throw UsageError("fehlendes Argument: " + what);
}

bool Arguments::hasPositional() const {
    return (!words_.empty() && !looksLikeOption(words_.front())) || !afterEnd_.empty();
}

std::optional<std::string> Arguments::option(const std::string& name) {
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) return std::nullopt;
    if (it + 1 == words_.end()) throw UsageError("Option " + name + " braucht einen Wert");
    std::string value = *(it + 1);
    words_.erase(it, it + 2);
    if (std::find(words_.begin(), words_.end(), name) != words_.end())
        throw UsageError("Option " + name + " ist doppelt angegeben");
    return value;
}

std::vector<std::string> Arguments::options(const std::string& name) {
    std::vector<std::string> values;
    for (auto it = std::find(words_.begin(), words_.end(), name); it != words_.end();
         it = std::find(words_.begin(), words_.end(), name)) {
        if (it + 1 == words_.end()) throw UsageError("Option " + name + " braucht einen Wert");
        values.push_back(*(it + 1));
        words_.erase(it, it + 2);
    }
    return values;
}

bool Arguments::flag(const std::string& name) {
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) return false;
    words_.erase(it);
    if (std::find(words_.begin(), words_.end(), name) != words_.end())
        throw UsageError("Option " + name + " ist doppelt angegeben");
    return true;
}

void Arguments::expectEnd() const {
    if (!words_.empty()) throw UsageError("unbekanntes Argument: " + words_.front());
    if (!afterEnd_.empty()) throw UsageError("überzähliges Argument: " + afterEnd_.front());
}

int parseInt(const std::string& text, const std::string& what, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw UsageError(what + ": keine ganze Zahl: " + text);
    if (value < min || value > max)
        throw UsageError(what + ": " + text + " liegt nicht zwischen " + std::to_string(min) +
                         " und " + std::to_string(max));
    return value;
}

std::vector<int> parseIntList(const std::string& text, const std::string& what, std::size_t count,
                              int min, int max) {
    std::vector<int> values;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) values.push_back(parseInt(part, what, min, max));
    if (values.size() != count || (!text.empty() && text.back() == ','))
        throw UsageError(what + ": " + std::to_string(count) +
                         " Zahlen mit Komma getrennt erwartet: " + text);
    return values;
}

double parseDouble(const std::string& text, const std::string& what) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        throw UsageError(what + ": keine Zahl: " + text);
    return value;
}

std::string formatNumber(double value) {
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", c);
                    out += esc;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

void refuseOutputOverInput(const std::string& input, const std::optional<std::string>& output) {
    if (!output) return;
    std::error_code ec;
    if (std::filesystem::equivalent(input, *output, ec) && !ec)
        throw UsageError("-o " + *output +
                         " ist der Film selbst; er würde überschrieben, nichts geschrieben");
}

}  // namespace zebak::cli
