#pragma once

#include <string>
#include <vector>

#include "Kinematics.h"

namespace zebak {

/// The fourteen diagrams: nine of the "Diagramme" group, five of the "Phasenraum" group
/// ("r - v" has none).
enum class Diagram { XY, XT, YT, VT, VXT, VYT, AT, AXT, AYT, XVX, YVY, VA, VXAX, VYAY };

/// One point of a diagram, in the units of its axes.
struct DiagramPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const DiagramPoint&) const = default;
};

/// Axis titles of a diagram: the left (y) axis and the bottom (x) axis.
struct AxisTitles {
    std::string left;
    std::string bottom;
};

/// The caption of a diagram's button ("x - y", "vx - t", ...).
std::string diagramCaption(Diagram d);
/// True for the time diagrams, which are drawn with crosses; the others use circles.
bool isTimeDiagram(Diagram d);
/// True for the diagrams of the "Phasenraum" group.
bool isPhaseDiagram(Diagram d);
/// True for "x - t" and "y - t", whose line joins the measured points.
bool joinsPoints(Diagram d);

/// The axis titles of a diagram drawn for colour `slot` (1 or 2).
AxisTitles diagramTitles(Diagram d, int slot);

/// The points of a diagram from the grids of one colour, in ascending order of x (points of
/// equal x keep their row order). A row gives a point only when the cells it needs hold
/// numbers; row k of the positions is paired with velocity row k + 1 in phase space.
std::vector<DiagramPoint> diagramPoints(Diagram d, const KinematicsGrids& grids);

/// For the six velocity and acceleration diagrams: whether the trend line runs over the
/// acceleration grid and over which column (1 magnitude, 2 x, 3 y); column 0 for the others.
struct TrendSource {
    bool acceleration = false;
    int column = 0;
};
TrendSource trendSource(Diagram d);

/// The trend line of one grid column at smoothing strength `strength` (1, 3, 5, 7 or 9;
/// other values are taken to the nearest odd value in range): for each centre row from
/// (strength + 3) / 2 to rows - (strength + 1) / 2 (the first always), the average of the
/// window's cells weighted 1, 2, .., peak, .., 2, 1, skipping empty cells, placed at the
/// row's mid time (column 4). Rows with an empty mid time or window give no point.
std::vector<DiagramPoint> trendLine(const TextGrid& grid, int column, int strength);

/// The trend line of a velocity or acceleration diagram; empty for the other diagrams.
std::vector<DiagramPoint> diagramTrendLine(Diagram d, const KinematicsGrids& grids, int strength);

}  // namespace zebak
