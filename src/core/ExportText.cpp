#include "ExportText.h"

#include <algorithm>

namespace zebak {

std::string exportText(const PositionGrid& grid, ExportFormat format) {
    const bool text = format == ExportFormat::Text;
    const char separator = text ? '\t' : ',';
    std::string out = text ? "t/(s)\tx/(m)\ty/(m)" : "t/(s),x/(m),y/(m)";
    out += "\r\n";
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (int column = 0; column < PositionGrid::kColumns; ++column) {
            std::string cell = grid.cell(row, column);
            if (text) std::replace(cell.begin(), cell.end(), '.', ',');
            if (column > 0) out += separator;
            out += cell;
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace zebak
