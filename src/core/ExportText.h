#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Kinematics.h"

namespace zebak {

/// The two text formats of the export: tab-separated with decimal commas ("Text-Format") and
/// comma-separated with decimal points ("Daten (*.csv)").
enum class ExportFormat { Text, Csv };

/// The export lines of one colour's position grid of the evaluation (columns "Bildnr.", t, x,
/// y; row 0 the header): the header line ("t/(s)", "x/(m)", "y/(m)"), then one line per data
/// row with the cells t, x and y as they stand, joined by a tab (Text) or a comma (Csv). In
/// the text format each "." of a cell becomes ","; the row number column is never written, and
/// a row without a position gives a line of two separators. The lines hold no line breaks.
std::vector<std::string> exportLines(const TextGrid& positions, ExportFormat format);

/// The export lines joined into one text, every line followed by CR LF (UTF-8, as the cells).
std::string exportText(const TextGrid& positions, ExportFormat format);

/// The bytes of an export file: the text format in the Windows-1252 code page, CSV in UTF-8
/// as the cells hold it. `text` is an exportText() of the same format.
std::string exportFileBytes(const std::string& text, ExportFormat format);

/// UTF-8 text in the Windows-1252 code page: ASCII stays, every other character that the code
/// page holds becomes its byte, anything else (and any byte that is not valid UTF-8) "?".
std::string toWindows1252(std::string_view utf8);

}  // namespace zebak
