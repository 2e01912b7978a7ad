#include "SheetLayout.h"

#include <cmath>

#include "NumberText.h"

namespace zebak {

namespace {
/// First sheet column (counted from 0) of each grid and the grid columns it takes.
struct Block {
    int sheetColumn;
    int firstGridColumn;
    int columns;
};
constexpr Block kPositions{0, pos::kT, 3};
constexpr Block kVelocities{4, 0, 5};
constexpr Block kAccelerations{10, 0, 5};

void place(SheetRow& row, const TextGrid& grid, int gridRow, const Block& block) {
    for (int c = 0; c < block.columns; ++c)
        row[static_cast<std::size_t>(block.sheetColumn + c)] =
            gridCell(grid, gridRow, block.firstGridColumn + c);
}
}  // namespace

std::vector<SheetRow> sheetLayout(const KinematicsGrids& grids) {
    std::vector<SheetRow> rows(grids.positions.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int gridRow = static_cast<int>(r);
        place(rows[r], grids.positions, gridRow, kPositions);
        place(rows[r], grids.velocities, gridRow, kVelocities);
        place(rows[r], grids.accelerations, gridRow, kAccelerations);
    }
    return rows;
}

SheetCell sheetCell(const std::string& text) {
    if (text.empty()) return {};
    // A blank text reads as 0 in the grids, but it holds no number to show.
    if (text.find_first_not_of(' ') == std::string::npos) return {SheetCell::Kind::Text};
    const std::optional<double> value = readCellNumber(text);
    if (!value || !std::isfinite(*value)) return {SheetCell::Kind::Text};
    return {SheetCell::Kind::Number, *value};
}

std::string workbookPath(const std::filesystem::path& folder, const std::string& film, int slot,
                         const std::function<bool(const std::filesystem::path&)>& taken) {
    std::string base = std::filesystem::path(film).stem().string();
    if (base.empty()) base = "Zebak";
    base += "-Farbe" + std::to_string(slot);
    std::filesystem::path path = folder / (base + ".xlsx");
    for (int n = 2; taken(path); ++n) path = folder / (base + "-" + std::to_string(n) + ".xlsx");
    return path.string();
}

}  // namespace zebak
