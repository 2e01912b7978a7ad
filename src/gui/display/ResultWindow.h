#pragma once

#include <QImage>
#include <QWidget>

namespace zebak {
class RgbFrame;
struct RunControl;
}  // namespace zebak

namespace zebak::gui {

class Dialogs;

/// Search result window (`TForm4`, "Suchergebnisse"): shows the picture into which the searches
/// draw what they found (the state's Suchergebnisbild); any key pressed in it stops a running film
/// analysis.
class ResultWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ResultWindow(QWidget* parent = nullptr);

    /// Ties the window to the program state whose result picture it shows and whose Abbruch
    /// a key press sets, and to the dialogs that saving the picture asks. Both must outlive
    /// the window's use of them.
    void attach(RgbFrame& image, RunControl& control, Dialogs& dialogs);
    /// A copy of the result picture as shown (empty before attach()).
    QImage bild() const;
    /// Sets the client area and the picture area to w x h pixels (at least 1 x 1).
    void setClientSize(int w, int h);
    /// Replaces the result picture by a new, empty (white) one of the client area's size.
    void imagecreate();
    /// The picture changed: repaint once, at the next round of event processing.
    void pictureChanged();
    /// True when there is a result picture to save.
    bool hasPicture() const;
    /// "Bild speichern …": asks for a file and writes the result picture as PNG at its full
    /// size (the film's analysis size for a stroboscopic picture). A failed write is
    /// reported in an error box; a cancelled dialog writes nothing and says nothing.
    void savePicture();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    RgbFrame* image_ = nullptr;
    RunControl* control_ = nullptr;
    Dialogs* dialogs_ = nullptr;
    QWidget* image1_ = nullptr;
};

}  // namespace zebak::gui
