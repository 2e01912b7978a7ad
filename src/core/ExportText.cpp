#include "ExportText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zebak {

namespace {

constexpr int kExportedColumns[3] = {pos::kT, pos::kX, pos::kY};

/// Characters of the bytes 0x80 to 0x9F of Windows-1252 (0 where the code page has none);
/// the bytes 0xA0 to 0xFF are the characters U+00A0 to U+00FF.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

/// The Windows-1252 byte of a character, or '?' where the code page has none.
char windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

/// Decodes one UTF-8 character at `at`, moving `at` past it; nothing valid gives U+FFFD and
/// moves one byte.
char32_t nextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const std::uint8_t next = byte(at + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    // An over-long form or a value beyond Unicode is not valid UTF-8.
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF) {
        ++at;
        return 0xFFFD;
    }
    at += static_cast<std::size_t>(length);
    return c;
}

}  // namespace

std::vector<std::string> exportLines(const TextGrid& positions, ExportFormat format) {
    const bool text = format == ExportFormat::Text;
    const char separator = text ? '\t' : ',';
    std::vector<std::string> lines{text ? "t/(s)\tx/(m)\ty/(m)" : "t/(s),x/(m),y/(m)"};
    for (std::size_t row = 1; row < positions.size(); ++row) {
        std::string line;
        for (int column : kExportedColumns) {
            std::string cell = gridCell(positions, static_cast<int>(row), column);
            if (text) std::replace(cell.begin(), cell.end(), '.', ',');
            if (column != pos::kT) line += separator;
            line += cell;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string exportText(const TextGrid& positions, ExportFormat format) {
    std::string out;
    for (const std::string& line : exportLines(positions, format)) out += line + "\r\n";
    return out;
}

std::string exportFileBytes(const std::string& text, ExportFormat format) {
    return format == ExportFormat::Text ? toWindows1252(text) : text;
}

std::string toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) out += windows1252Byte(nextCharacter(utf8, at));
    return out;
}

}  // namespace zebak
