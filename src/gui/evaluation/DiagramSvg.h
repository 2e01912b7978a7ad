#pragma once

#include <vector>

class QChartView;
class QPainter;
class QXYSeries;

namespace zebak::gui {

/// Renders the chart view into `painter` (an SVG generator's) with the shown series clipped
/// to the plot area. The SVG writer drops the clipping the chart relies on, so the series are
/// hidden while the rest is rendered and then drawn here: markers whose centre lies in the
/// plot, lines cut at its edges. The series are shown again afterwards.
void renderClippedToPlot(QChartView& view, const std::vector<QXYSeries*>& series,
                         QPainter& painter);

}  // namespace zebak::gui
