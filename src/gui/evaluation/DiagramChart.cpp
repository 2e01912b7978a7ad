#include "gui/evaluation/DiagramChart.h"

#include <QBuffer>
#include <QChart>
#include <QFileInfo>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "core/AxisScale.h"
#include "core/FileWrite.h"
#include "gui/evaluation/DiagramSvg.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/kit/PngFile.h"

namespace zebak::gui {

namespace {
const QColor kSlotColour[2] = {QColor(255, 0, 0), QColor(0, 0, 255)};
/// The fitted curves stand apart from the points and the trend line of their colour.
const QColor kFitColour[2] = {QColor(0, 140, 0), QColor(220, 120, 0)};
/// How long the point hint stays, milliseconds.
constexpr int kHintMs = 1000;

/// A filled circle of the colour on a transparent square: the marker of the other diagrams.
QImage circleImage(const QColor& colour, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    return image;
}

/// A cross of the colour on a transparent square: the marker of the time diagrams.
QImage crossImage(const QColor& colour, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(colour, 1));
    p.drawLine(size / 2, 0, size / 2, size - 1);
    p.drawLine(0, size / 2, size - 1, size / 2);
    return image;
}
}  // namespace

QList<QPointF> toQt(const std::vector<DiagramPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const DiagramPoint& p : points) list.append(QPointF(p.x, p.y));
    return list;
}

QString pointHint(const QPointF& point, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return QStringLiteral("Abszisse: ") + l.toString(point.x(), 'g', 15) +
           QStringLiteral("\nOrdinate: ") + l.toString(point.y(), 'g', 15);
}

DiagramChart::DiagramChart(QWidget* area, QObject* owner) : QObject(owner) {
    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    chart_->setPlotAreaBackgroundVisible(false);
    axisX_ = new QValueAxis;
    axisY_ = new QValueAxis;
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(13);
    titleFont.setBold(true);
    for (QValueAxis* axis : {axisX_, axisY_}) {
        axis->setTitleFont(titleFont);
        axis->setTitleBrush(Qt::black);
    }
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    for (QValueAxis* axis : {axisX_, axisY_}) {
        placeTicks(axis);
        connect(axis, &QValueAxis::rangeChanged, this, [axis] { placeTicks(axis); });
    }
    addSeries();
    view_ = new DiagrammView(chart_, area);
    view_->setObjectName(QStringLiteral("Diagramm"));
    view_->setGeometry(128, 0, 793, 489);
    connect(view_, &DiagrammView::saveRequested, this, &DiagramChart::saveRequested);
    connect(view_, &DiagrammView::clickedAt, this, &DiagramChart::hintNear);
}

QLineSeries* DiagramChart::makePointSeries(int n) {
    // Series1 and Series2 draw crosses (time diagrams), Series3 and Series4 circles.
    // A line series without its line whose markers are pictures it paints itself: a scatter
    // series makes one graphics item per point, which costs seconds at 10,000 points.
    auto* s = new QLineSeries;
    s->setObjectName(QStringLiteral("Series%1").arg(n + 1));
    const QColor colour = kSlotColour[n % 2];
    s->setMarkerSize(7);
    s->setLightMarker(n < 2 ? crossImage(colour, 7) : circleImage(colour, 7));
    s->setPointsVisible(true);
    s->setPen(Qt::NoPen);
    s->setColor(colour);
    return s;
}

void DiagramChart::addSeries() {
    for (int n = 0; n < 4; ++n) {
        points_[static_cast<std::size_t>(n)] = makePointSeries(n);
    }
    for (int n = 0; n < 2; ++n) {
        auto* line = new QLineSeries;
        line->setObjectName(QStringLiteral("Series%1").arg(n + 5));
        line->setColor(kSlotColour[n]);
        lines_[static_cast<std::size_t>(n)] = line;
        auto* fit = new QLineSeries;
        fit->setObjectName(QStringLiteral("Series%1").arg(n + 7));
        fit->setPen(QPen(kFitColour[n], 2));
        fits_[static_cast<std::size_t>(n)] = fit;
    }
    // Added last, the fitted curves are drawn over the points.
    for (QXYSeries* s : {static_cast<QXYSeries*>(lines_[0]), static_cast<QXYSeries*>(lines_[1]),
                         static_cast<QXYSeries*>(points_[0]), static_cast<QXYSeries*>(points_[1]),
                         static_cast<QXYSeries*>(points_[2]), static_cast<QXYSeries*>(points_[3]),
                         static_cast<QXYSeries*>(fits_[0]), static_cast<QXYSeries*>(fits_[1])}) {
        chart_->addSeries(s);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }
}

void DiagramChart::setTitles(const AxisTitles& titles) {
    axisY_->setTitleText(QString::fromStdString(titles.left));
    axisX_->setTitleText(QString::fromStdString(titles.bottom));
}

void DiagramChart::clearPoints() {
    for (QLineSeries* s : points_) s->clear();
}

void DiagramChart::clearAll() {
    clearPoints();
    for (QLineSeries* l : lines_) l->clear();
    for (QLineSeries* f : fits_) f->clear();
}

void DiagramChart::startOver() {
    clearAll();
    holdTicks();
    chart_->zoomReset();
}

void DiagramChart::resetZoom() {
    holdTicks();
    chart_->zoomReset();
    rescale();
}

void DiagramChart::setLinesShown(bool shown) {
    for (QLineSeries* l : lines_) l->setVisible(shown);
}

void DiagramChart::rescale() {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;
    for (QXYSeries* s : {static_cast<QXYSeries*>(points_[0]), static_cast<QXYSeries*>(points_[1]),
                         static_cast<QXYSeries*>(points_[2]), static_cast<QXYSeries*>(points_[3]),
                         static_cast<QXYSeries*>(lines_[0]), static_cast<QXYSeries*>(lines_[1])}) {
        for (const QPointF& p : s->points()) {
            if (!any) {
                minX = maxX = p.x();
                minY = maxY = p.y();
                any = true;
            }
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    }
    if (any) hug(minX, maxX, minY, maxY);
    // A range equal to the last one changes nothing, so the ticks are placed here as well.
    for (QValueAxis* axis : {axisX_, axisY_}) placeTicks(axis);
}

void DiagramChart::hug(double minX, double maxX, double minY, double maxY) {
    // Each axis hugs its data with a small margin; its ticks follow from the range (below).
    const AxisScale x = axisForData(minX, maxX);
    const AxisScale y = axisForData(minY, maxY);
    holdTicks();
    axisX_->setRange(x.min, x.max);
    axisY_->setRange(y.min, y.max);
}

void DiagramChart::placeTicks(QValueAxis* axis) {
    // Round steps for whatever range the axis shows, after a rescale or a zoom alike; the
    // step is set before the ticks follow it.
    const AxisScale scale = axisTicks(axis->min(), axis->max());
    axis->setTickAnchor(scale.anchor);
    axis->setTickInterval(scale.step);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
    axis->setTickType(QValueAxis::TicksDynamic);
}

void DiagramChart::holdTicks() {
    // The chart lays out the ticks of a new range before they are placed for it: with the
    // fine step of a zoom on a wide range that would be millions of them.
    for (QValueAxis* axis : {axisX_, axisY_}) axis->setTickType(QValueAxis::TicksFixed);
}

void DiagramChart::hintNear(const QPointF& position) {
    const QPointF inScene = view_->mapToScene(position.toPoint());
    constexpr double kReach = 5.0;
    double best = kReach * kReach;
    std::optional<QPointF> nearest;
    for (QLineSeries* s : points_) {
        if (!s->isVisible()) continue;
        for (const QPointF& p : s->points()) {
            const QPointF d = chart_->mapToPosition(p, s) - inScene;
            const double squared = d.x() * d.x() + d.y() * d.y();
            if (squared <= best) {
                best = squared;
                nearest = p;
            }
        }
    }
    if (nearest) showHint(*nearest);
}

void DiagramChart::showHint(const QPointF& point) {
    const QString text = pointHint(point, QLocale());
    view_->setToolTip(text);
    QToolTip::showText(QCursor::pos(), text, view_, {}, kHintMs);
    QTimer::singleShot(kHintMs, view_, [w = view_] { w->setToolTip({}); });
}

void DiagramChart::saveDiagram(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        // A vector drawing of the chart at its size on the screen.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(view_->size());
        svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
        svg.setTitle(QStringLiteral("Zebak-Diagramm"));
        QPainter painter(&svg);
        renderClippedToPlot(*view_,
                            {points_[0], points_[1], points_[2], points_[3], lines_[0], lines_[1],
                             fits_[0], fits_[1]},
                            painter);
        painter.end();
        writeFileSafely(
            path.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return;
    }
    if (!suffix.isEmpty() && suffix != QStringLiteral("png"))
        throw std::runtime_error(
            "Diagramme werden als PNG oder SVG gespeichert (Endung .png oder .svg): " +
            path.toStdString());
    const qreal ratio = view_->devicePixelRatioF();
    QImage image(view_->size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view_->render(&painter);
    painter.end();
    writePngFile(image, path);
}

}  // namespace zebak::gui
