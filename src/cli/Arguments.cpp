#include "Arguments.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace zebak::cli {

std::string Arguments::positional(const std::string& what) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (it->size() > 1 && (*it)[0] == '-' &&
            !std::isdigit(static_cast<unsigned char>((*it)[1])))
            break;  // options come after the positional words
        std::string word = *it;
        words_.erase(it);
        return word;
    }
    throw UsageError("fehlendes Argument: " + what);
}

std::optional<std::string> Arguments::option(const std::string& name) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it != name) continue;
        if (it + 1 == words_.end()) throw UsageError("Option " + name + " braucht einen Wert");
        std::string value = *(it + 1);
        words_.erase(it, it + 2);
        return value;
    }
    return std::nullopt;
}

bool Arguments::flag(const std::string& name) {
    for (auto it = words_.begin(); it != words_.end(); ++it) {
        if (*it != name) continue;
        words_.erase(it);
        return true;
    }
    return false;
}

void Arguments::expectEnd() const {
    if (!words_.empty()) throw UsageError("unbekanntes Argument: " + words_.front());
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

}  // namespace zebak::cli
