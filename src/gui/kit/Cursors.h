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

/// The measuring cursor over the whole program while a calibration awaits its points.
class MeasuringCursor {
  public:
    /// Shows the measuring cursor (true) or gives the one before back (false); a repeat of
    /// the same is ignored, so each show is undone once.
    void set(bool on);

  private:
    bool on_ = false;
};

}  // namespace zebak::gui
