#pragma once

#include <array>
#include <string>
#include <vector>

namespace zebak {

/// A position table (tabelle1, Tabelle2): a string grid of three columns t, x, y whose row 0
/// is the header. The cell text is the data: fixed-point numbers with "." or empty texts.
class PositionGrid {
  public:
    static constexpr int kColumns = 3;
    using Row = std::array<std::string, kColumns>;

    /// A grid with the given header and one empty data row (row count 2).
    explicit PositionGrid(Row header = {});

    /// Rows including the header row; at least 1.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    /// Sets the number of rows (header included, at least 1): new rows are empty, rows beyond
    /// the new count are dropped with their texts.
    void setRowCount(int count);
    /// Text of a cell; an empty text for a cell outside the grid.
    const std::string& cell(int row, int column) const;
    /// Sets a cell's text; a cell outside the grid is ignored.
    void setCell(int row, int column, std::string text);
    /// Empties every cell, sets the row count to 2 and writes the header into row 0.
    void reset();
    /// The header texts of row 0 as given at construction.
    const Row& header() const { return header_; }
    friend bool operator==(const PositionGrid&, const PositionGrid&) = default;

  private:
    Row header_;
    std::vector<Row> rows_;
};

}  // namespace zebak
