#pragma once

#include <string>

#include "PositionGrid.h"

namespace zebak {

/// The two text formats of the export: tab-separated with decimal commas ("Text-Format") and
/// comma-separated with decimal points ("Daten (*.csv)").
enum class ExportFormat { Text, Csv };

/// The export text of a position table: the header line ("t/(s)", "x/(m)", "y/(m)") and one
/// line per data row (t, x, y as the cells hold them; in the text format each "." becomes ","),
/// every line followed by CR LF. The texts are plain ASCII, so they are Windows-1252 as they stand.
std::string exportText(const PositionGrid& grid, ExportFormat format);

}  // namespace zebak
