#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace zebak {

std::string trimZeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    // to_chars never looks at the locale, so the point stays "." on every system.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return {};
    std::string text(buffer, result.ptr);
    // "-0.000" (a tiny negative rounded away) reads as zero; write it without the sign.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

char nurzahlen(char key) {
    if (key == 8 || key == 13 || key == '-' || key == '.' || (key >= '0' && key <= '9')) return key;
    if (key == ',') return '.';
    return 0;
}

std::optional<double> readCellNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return 0.0;

    // Check the shape first: from_chars alone would accept a prefix such as "1.2" of "1.2.3".
    std::size_t i = text.front() == '-' ? 1 : 0;
    int digits = 0;
    int points = 0;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9')
            ++digits;
        else if (text[k] == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                        std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return i == 1 ? -value : value;
}

}  // namespace zebak
