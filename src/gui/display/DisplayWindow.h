#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <optional>

#include "core/Colour.h"

class QTimer;

namespace zebak {
class FrameSource;
}

namespace zebak::gui {

/// Display window (`TForm3`): a borderless window that stays on top and shows the film's current
/// frame. Its mouse and key events go to the main window, which decides what a click means.
class DisplayWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DisplayWindow(QWidget* parent = nullptr);

    /// The film to draw; nullptr shows an empty window. The source must outlive its use here.
    void setSource(const FrameSource* source);
    const FrameSource* source() const { return source_; }
    /// Size of the client area into which the frame is drawn, pixels.
    QSize clientSize() const { return size(); }
    /// Sets the client area to w x h pixels.
    void setClientSize(int w, int h);
    /// Small auxiliary panel that the loading of a 720x576 film places in the corner (`Panel1`).
    QWidget* panel1() const { return panel1_; }

    /// Colour of the window's pixel (x, y) as it is shown: the frame scaled to the client
    /// area with whatever was drawn on it. Outside the client area: white (255, 255, 255).
    Rgb shownPixel(int x, int y);
    /// The colour of the film's frame pixel under display pixel (x, y): the click mapped
    /// through the window's current size to the decoded frame at analysis size (so a click on
    /// the reduced display takes the film's colour, not the scaled picture's); white outside
    /// the frame or without a film.
    Rgb filmPixel(int x, int y) const;
    /// The median colour of the 5 x 5 frame pixels around the frame pixel under (x, y);
    /// nothing without a frame or outside it.
    std::optional<Rgb> filmMedian(int x, int y) const;
    /// Draws the dashed rectangle with corners (x1, y1) and (x2, y2) so that every pixel of
    /// its outline is inverted against the picture: drawing it twice restores the picture.
    void drawAreaRect(int x1, int y1, int x2, int y2);
    /// The program ends: from now on the window closes like every other, also with a film.
    void programEnds() { programEnds_ = true; }
    /// Keeps the mouse cursor inside the window (true) or lets it go again (false).
    void confineCursor(bool an);
    bool cursorEingeschraenkt() const;

  Q_SIGNALS:
    /// A mouse button was pressed at the client point (`FormMouseDown`).
    void mousePressed(Qt::MouseButton button, QPoint punkt);
    /// The mouse moved to the client point (`FormMouseMove`).
    void mouseMoved(QPoint punkt);
    /// A mouse button was released at the client point (`FormMouseUp`).
    void mouseReleased(Qt::MouseButton button, QPoint punkt);
    /// A key was pressed while the window had the focus (`FormKeyDown`).
    void keyPressed(int key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    /// While a film is loaded the window stays when it is closed alone: that would leave the
    /// film unseen with no way to bring it back but loading it again. Once the program ends
    /// it closes (a refusal would cancel the program's end).
    void closeEvent(QCloseEvent* event) override;

  public:
    /// The frame pixel under the window pixel (x, y); nothing without a frame.
    std::optional<QPoint> framePoint(int x, int y) const;

  private:
    /// Makes the picture afresh from the current frame when the frame or the size changed.
    void refreshCanvas();
    void releaseCursor();
    QPoint toClient(QPoint p) const;

    const FrameSource* source_ = nullptr;
    QWidget* panel1_ = nullptr;
    /// The picture as shown: the scaled frame plus the figures drawn on it.
    QImage canvas_;
    /// Which frame, at which size, the picture was made from.
    int canvasFrame_ = -1;
    const FrameSource* canvasSource_ = nullptr;
    QTimer* cursorTrap_ = nullptr;
    bool programEnds_ = false;
};

}  // namespace zebak::gui
