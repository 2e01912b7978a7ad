#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "core/ManualCapture.h"

namespace zebak {
class FrameSource;
}

namespace zebak::gui {

/// Manual overlay (`TForm7`): a borderless full-screen window showing the film's current frame as
/// large as it fits with its aspect ratio kept (centred, the rest black), on which positions are
/// clicked by hand. Its clicks and moves are reported in pixels of the shown picture.
class ManualOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit ManualOverlay(QWidget* parent = nullptr);

    /// The film to draw; nullptr shows a black window. The source must outlive its use here.
    void setSource(const FrameSource* source);
    /// Where the picture lies in the window, window pixels.
    PictureRect picture() const;
    /// The picture as shown (scaled to picture()'s size), made afresh when the frame changed.
    const QImage& shownPicture();

  Q_SIGNALS:
    /// A mouse button was pressed; `inPicture` tells whether the point lies on the picture,
    /// `point` is then its pixel of the shown picture (`FormMouseDown`).
    void mousePressed(Qt::MouseButton button, QPoint point, bool inPicture);
    /// The mouse moved over the picture to this pixel of the shown picture (`FormMouseMove`).
    void mouseMoved(QPoint point);
    /// The window was asked to close (Alt+F4 and the like); the capture decides.
    void schliessenGewuenscht();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    const FrameSource* source_ = nullptr;
    QImage shown_;
    int shownFrame_ = -1;
    QSize shownSize_;
    const FrameSource* shownSource_ = nullptr;
};

}  // namespace zebak::gui
