#pragma once

#include <QChartView>
#include <QPointF>

class QWidget;

namespace zebak::gui {

/// The chart Diagramm: a chart view that zooms with a rubber band and the wheel, reports a
/// double click, and offers "Diagramm speichern …" on the right button instead of zooming out.
class DiagrammView : public QChartView {
    Q_OBJECT
  public:
    explicit DiagrammView(QChart* chart, QWidget* parent = nullptr);

  Q_SIGNALS:
    void doubleClicked();
    void saveRequested();
    /// A left click that did not drag a rubber band, at this place of the view.
    void clickedAt(const QPointF& position);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QPointF pressedAt_;
};

}  // namespace zebak::gui
