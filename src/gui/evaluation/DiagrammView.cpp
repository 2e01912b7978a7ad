#include "gui/evaluation/DiagrammView.h"

#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

namespace zebak::gui {

DiagrammView::DiagrammView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRubberBand(QChartView::RectangleRubberBand);
    // Arrow keys belong to the window, not to the graphics view.
    setFocusPolicy(Qt::NoFocus);
}

void DiagrammView::mouseDoubleClickEvent(QMouseEvent* event) {
    QChartView::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
}

void DiagrammView::mousePressEvent(QMouseEvent* event) {
    // The right button opens the context menu; the view would zoom out on it.
    if (event->button() == Qt::RightButton) return event->accept();
    pressedAt_ = event->position();
    QChartView::mousePressEvent(event);
}

void DiagrammView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QChartView::mouseReleaseEvent(event);
        // The rubber band takes every press, so the series never see a click: a release
        // where the press was is the click on a point.
        if (event->button() == Qt::LeftButton &&
            (event->position() - pressedAt_).manhattanLength() <= 3)
            Q_EMIT clickedAt(event->position());
        return;
    }
    QMenu menu(this);
    QAction* save = menu.addAction(QStringLiteral("Diagramm speichern …"));
    if (menu.exec(event->globalPosition().toPoint()) == save) Q_EMIT saveRequested();
}

void DiagrammView::wheelEvent(QWheelEvent* event) {
    if (chart() == nullptr) return;
    chart()->zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    event->accept();
}

}  // namespace zebak::gui
