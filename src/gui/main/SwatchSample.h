#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "core/Colour.h"

class QEvent;

namespace zebak::gui {

class TFrame1;

/// The colour swatch of a settings page as a second way to pick: while the mouse rests on
/// it, it shows the median colour of the 5 x 5 frame pixels around the last click (with the
/// values in its hint), and a right-click takes that median as the reference colour. A
/// single-pixel reference, as picked, stays the default.
class SwatchSample : public QObject {
    Q_OBJECT
  public:
    /// `median` gives the sample of the last click, if any; `current` the colour the swatch
    /// shows otherwise; `take` assigns a colour as a click on the display window would.
    SwatchSample(TFrame1* frame, std::function<std::optional<Rgb>()> median,
                 std::function<Rgb()> current, std::function<void(Rgb)> take);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TFrame1* frame_;
    std::function<std::optional<Rgb>()> median_;
    std::function<Rgb()> current_;
    std::function<void(Rgb)> take_;
};

/// The swatch's hint for a median colour.
QString medianHint(Rgb colour);

}  // namespace zebak::gui
