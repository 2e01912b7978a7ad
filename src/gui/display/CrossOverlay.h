#pragma once

#include <QPoint>
#include <QWidget>
#include <vector>

namespace zebak::gui {

class DisplayWindow;

/// The white centre crosses on the display window: a see-through layer over the display
/// window that draws 5 x 5 pixel crosses at frame pixels onto the frame they were found in.
/// A cross belongs to the frame shown when it was drawn and vanishes with the next frame.
class CrossOverlay final : public QWidget {
    Q_OBJECT
  public:
    /// Lies over the whole display window and follows its size; lets every mouse event through.
    explicit CrossOverlay(DisplayWindow* anzeige);

    /// Adds a cross centred on (x, y), frame pixels, on the frame now shown.
    void addCross(int x, int y);
    /// The film now shows frame n: crosses of any other frame are dropped.
    void frameShownAt(int n);
    /// Crosses on the frame now shown.
    const std::vector<QPoint>& kreuze() const { return marks_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DisplayWindow* anzeige_;
    std::vector<QPoint> marks_;
    int bild_ = -1;
};

}  // namespace zebak::gui
