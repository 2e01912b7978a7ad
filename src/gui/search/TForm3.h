#pragma once

#include <QSize>
#include <QWidget>

namespace zebak {
class FrameSource;
}

namespace zebak::gui {

/// Display window: a borderless window that stays on top and shows the film's current frame.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* parent = nullptr);

    /// The film to draw; nullptr shows an empty window. The source must outlive its use here.
    void setSource(const FrameSource* source);
    const FrameSource* source() const { return source_; }
    /// Size of the client area into which the frame is drawn, pixels.
    QSize clientSize() const { return size(); }
    /// Sets the client area to w x h pixels.
    void setClientSize(int w, int h);
    /// Small auxiliary panel that the loading of a 720x576 film places in the corner.
    QWidget* Panel1() const { return panel1_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const FrameSource* source_ = nullptr;
    QWidget* panel1_ = nullptr;
};

}  // namespace zebak::gui
