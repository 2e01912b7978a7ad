#pragma once

namespace zebak {

/// The stretch of a diagram axis and its ticks: the axis runs from min to max; ticks stand at
/// anchor + k * step (a round step: 1, 2, 2.5 or 5 times a power of ten), labelled with
/// `decimals` places.
struct AxisScale {
    double min = 0.0;
    double max = 1.0;
    double step = 0.2;
    double anchor = 0.0;
    int decimals = 1;
};

/// Ticks for an axis from min to max: about five to ten at a round step, the anchor the first
/// multiple of the step at or above min. A range that is empty, reversed or not finite gets
/// the ticks of 0 to 1.
AxisScale axisTicks(double min, double max);

/// The axis for data from lo to hi: the data's own stretch and a margin of 3 % of it on each
/// side (a single value gets a stretch around it), with the ticks of axisTicks.
AxisScale axisForData(double lo, double hi);

}  // namespace zebak
