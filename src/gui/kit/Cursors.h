#pragma once

#include <QCursor>

namespace zebak::gui {

/// The program's cursors by their resource number: 1 a cross-hair in a circle, 2 a large
/// cross-hair with a light outline, 3 a thin cross-hair (the three capture cursors), 6 the
/// measuring cursor (a cross-hair above a ruler, hot spot 9, 9). Any other number gives the
/// ordinary arrow.
QCursor programCursor(int number);

/// The measuring cursor of calibrations.
inline QCursor measuringCursor() { return programCursor(6); }

}  // namespace zebak::gui
