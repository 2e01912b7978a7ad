#include "gui/evaluation/DiagramSvg.h"

#include <QChart>
#include <QChartView>
#include <QPainter>
#include <QXYSeries>
#include <optional>
#include <utility>

namespace zebak::gui {

namespace {

/// The part of the segment a-b inside `box` (Liang-Barsky); nothing when it misses the box.
std::optional<std::pair<QPointF, QPointF>> clipSegment(QPointF a, QPointF b, const QRectF& box) {
    const QPointF d = b - a;
    double from = 0.0, to = 1.0;
    const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return std::nullopt;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            from = std::max(from, r);
        else
            to = std::min(to, r);
        if (from > to) return std::nullopt;
    }
    return std::make_pair(a + from * d, a + to * d);
}

/// A point of the chart's own coordinates in the view's widget coordinates.
QPointF onView(const QChartView& view, QPointF inChart) {
    const QPointF offset = view.viewport()->mapTo(&view, QPoint(0, 0));
    return view.viewportTransform().map(view.chart()->mapToScene(inChart)) + offset;
}

/// The series' points in the view's widget coordinates.
std::vector<QPointF> onView(const QChartView& view, QXYSeries* series) {
    std::vector<QPointF> points;
    for (const QPointF& p : series->points())
        points.push_back(onView(view, view.chart()->mapToPosition(p, series)));
    return points;
}

/// Draws the line through the points, cut where it leaves the box.
void drawLine(QPainter& painter, const std::vector<QPointF>& points, const QRectF& box) {
    QPolygonF run;
    for (std::size_t n = 1; n < points.size(); ++n) {
        const auto part = clipSegment(points[n - 1], points[n], box);
        if (!part) continue;
        if (run.isEmpty() || run.back() != part->first) {
            if (run.size() > 1) painter.drawPolyline(run);
            run = QPolygonF{part->first};
        }
        run << part->second;
    }
    if (run.size() > 1) painter.drawPolyline(run);
}

}  // namespace

void renderClippedToPlot(QChartView& view, const std::vector<QXYSeries*>& series,
                         QPainter& painter) {
    std::vector<QXYSeries*> shown;
    for (QXYSeries* s : series)
        if (s->isVisible()) {
            shown.push_back(s);
            s->setVisible(false);
        }
    view.render(&painter);
    const QRectF plot = view.chart()->plotArea();
    const QRectF box(onView(view, plot.topLeft()), onView(view, plot.bottomRight()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (QXYSeries* s : shown) {
        const std::vector<QPointF> points = onView(view, s);
        if (s->pen().style() != Qt::NoPen) {
            painter.setPen(s->pen());
            drawLine(painter, points, box);
        }
        if (s->pointsVisible() && !s->lightMarker().isNull()) {
            const double half = s->markerSize() / 2.0;
            for (const QPointF& p : points)
                if (box.contains(p))
                    painter.drawImage(QRectF(p.x() - half, p.y() - half, 2 * half, 2 * half),
                                      s->lightMarker());
        }
        s->setVisible(true);
    }
    painter.restore();
}

}  // namespace zebak::gui
