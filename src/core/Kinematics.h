#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "PositionGrid.h"

namespace zebak {

/// A string grid of the evaluation: rows of cell texts, row 0 the header. Every row has the
/// grid's full column count; an empty text means "no value".
using TextGrid = std::vector<std::vector<std::string>>;

/// The three evaluation grids of one colour (Tabelle1/tabelle1v/tabelle1a or the colour 2
/// twins) and the texts of the message boxes that filling them showed, in order.
struct KinematicsGrids {
    TextGrid positions;
    TextGrid velocities;
    TextGrid accelerations;
    std::vector<std::string> messages;
};

/// Column numbers of the three grids.
namespace pos {
constexpr int kRow = 0, kT = 1, kX = 2, kY = 3;
}
namespace vel {
constexpr int kInterval = 0, kV = 1, kVx = 2, kVy = 3, kMid = 4;
}

/// The message shown for a difference quotient that is not a finite number.
inline constexpr const char* kGeschwindigkeitsfehler = "Fehler bei der Geschwindigkeitsberechung !";

/// Tabelle1fuellen / Tabelle2fuellen: the three grids of colour `slot` (1 or 2) from its
/// position table. Velocities are difference quotients over the nearest earlier row with a
/// value, their time step the row distance over `fps` (values below 1 are used as 1), or,
/// where `rowTimesS` holds both rows (index = table row), the difference of those times;
/// accelerations likewise over the velocity rows, written one row higher. A quotient that is
/// not finite leaves its cell empty and adds the message kGeschwindigkeitsfehler.
/// "Differenz über n Bilder": with `spread` n above 1 (values below 1 count as 1) each
/// difference reaches back to the nearest row with a value at least n rows earlier, so its
/// interval texts span those rows; 1 gives the neighbouring differences above.
KinematicsGrids fillKinematics(int slot, const PositionGrid& source, int fps,
                               std::span<const double> rowTimesS = {}, int spread = 1);

/// Text of a grid cell; an empty text outside the grid.
const std::string& gridCell(const TextGrid& grid, int row, int column);

/// The number a cell holds, or nothing for an empty cell or a text that is not a number.
std::optional<double> cellValue(const TextGrid& grid, int row, int column);

}  // namespace zebak
