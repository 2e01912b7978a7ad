#pragma once

#include <QFrame>
#include <functional>
#include <optional>

#include "core/Colour.h"

class QEvent;
class QLabel;

namespace zebak::gui {

/// The colour swatch of a settings frame (Panel1 holding the picture Image1). It draws a
/// colour as a bar with one level bar per channel. Once a sample is offered it is also a
/// second way to pick: while the mouse rests on it, it shows the median colour of the 5 x 5
/// frame pixels around the last click (with the values in its hint), and a right-click takes
/// that median as the reference colour. A single-pixel reference, as picked, stays the
/// default.
class ColourSwatch : public QFrame {
    Q_OBJECT
  public:
    /// Builds the sunken panel with the empty picture.
    explicit ColourSwatch(QWidget* parent);

    /// Draws the colour into Image1: background, colour bar, three tracks and one level bar
    /// per channel whose length is the channel div 5 pixels.
    void draw(Rgb colour);
    /// `median` gives the sample of the last click, if any; `current` the colour the swatch
    /// shows otherwise; `take` assigns a colour as a click on the display window would.
    void offerSample(std::function<std::optional<Rgb>()> median, std::function<Rgb()> current,
                     std::function<void(Rgb)> take);
    /// `Image1`.
    QLabel* image1() const { return image1_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* image1_ = nullptr;
    std::function<std::optional<Rgb>()> median_;
    std::function<Rgb()> current_;
    std::function<void(Rgb)> take_;
};

/// The swatch's hint for a median colour.
QString medianHint(Rgb colour);

}  // namespace zebak::gui
