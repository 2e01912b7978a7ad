#include "PositionGrid.h"

#include <algorithm>

namespace zebak {

PositionGrid::PositionGrid(Row header) : header_(std::move(header)) { reset(); }

void PositionGrid::setRowCount(int count) {
    rows_.resize(static_cast<std::size_t>(std::max(count, 1)));
}

const std::string& PositionGrid::cell(int row, int column) const {
    static const std::string kEmpty;
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return kEmpty;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void PositionGrid::setCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void PositionGrid::reset() {
    rows_.assign(2, Row{});
    rows_[0] = header_;
}

}  // namespace zebak
