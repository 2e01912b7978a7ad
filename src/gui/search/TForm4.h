#pragma once

#include <QImage>
#include <QWidget>

namespace zebak {
struct ProgramState;
}

namespace zebak::gui {

/// Search result window ("Suchergebnisse"): shows the picture into which the searches draw
/// what they found (the state's Suchergebnisbild); any key pressed in it stops a running
/// film analysis.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);

    /// Ties the window to the program state whose result picture it shows and whose Abbruch
    /// a key press sets. The state must outlive the window's use of it.
    void verbinden(ProgramState& state);
    /// A copy of the result picture as shown (empty before verbinden()).
    QImage bild() const;
    /// Sets the client area and the picture area to w x h pixels (at least 1 x 1).
    void setClientSize(int w, int h);
    /// Replaces the result picture by a new, empty (white) one of the client area's size.
    void imagecreate();
    /// The picture changed: repaint once, at the next round of event processing.
    void bildGeaendert();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ProgramState* state_ = nullptr;
    QWidget* image1_ = nullptr;
};

}  // namespace zebak::gui
