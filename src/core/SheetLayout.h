#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Kinematics.h"

namespace zebak {

/// Columns A to O of one sheet row of the spreadsheet export.
inline constexpr int kSheetColumns = 15;
using SheetRow = std::array<std::string, kSheetColumns>;

/// The cells of one colour's workbook sheet, one entry per sheet row from row 1 on: for grid
/// row r = 0 (the headers) to N - 1 (N the position grid's row count) sheet row r + 1 holds
/// position columns t, x, y in A to C, velocity columns 0 to 4 in E to I and acceleration
/// columns 0 to 4 in K to O; D and J stay empty, as does every cell a grid has no row or
/// column for (the acceleration grid's missing last row).
std::vector<SheetRow> sheetLayout(const KinematicsGrids& grids);

/// How a cell text goes into the sheet: nothing for an empty text, a number for a text that
/// is a number as the grids write them ("0.04", "-2", ".5"; a finite value), text otherwise.
struct SheetCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0.0;
};
SheetCell sheetCell(const std::string& text);

/// The path of a new workbook of colour `slot` in `folder`: "<film>-Farbe<slot>.xlsx" after
/// the film's name without folder and type ("Zebak" without a film); when `taken` reports that
/// name as used, "<film>-Farbe<slot>-2.xlsx", "-3" and so on.
std::string workbookPath(const std::filesystem::path& folder, const std::string& film, int slot,
                         const std::function<bool(const std::filesystem::path&)>& taken);

}  // namespace zebak
