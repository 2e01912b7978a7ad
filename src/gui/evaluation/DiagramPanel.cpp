#include "gui/evaluation/DiagramPanel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineSeries>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "core/FileWrite.h"
#include "gui/app/PngFile.h"
#include "gui/evaluation/EvaluationView.h"

namespace zebak::gui {

namespace {
const QColor kSlotColour[2] = {QColor(255, 0, 0), QColor(0, 0, 255)};
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

QList<QPointF> toQt(const std::vector<DiagramPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const DiagramPoint& p : points) list.append(QPointF(p.x, p.y));
    return list;
}
}  // namespace

QString pointHint(const QPointF& point, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return QStringLiteral("Abszisse: ") + l.toString(point.x(), 'g', 15) +
           QStringLiteral("\nOrdinate: ") + l.toString(point.y(), 'g', 15);
}

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

DiagramPanel::DiagramPanel(const ProgramState& state, EvaluationView& view, QWidget* area,
                           QObject* owner)
    : QObject(owner), state_(state), view_(view) {
    buildChart(area);
    using D = Diagram;
    groupBox1_ =
        buildGroup("GroupBox1", QStringLiteral("Diagramme"),
                   {D::XY, D::XT, D::YT, D::VT, D::VXT, D::VYT, D::AT, D::AXT, D::AYT}, area);
    groupBox1_->setGeometry(5, 0, 121, 369);
    groupBox2_ = buildGroup("GroupBox2", QStringLiteral("Phasenraum"),
                            {D::XVX, D::YVY, D::VA, D::VXAX, D::VYAY}, area);
    groupBox2_->setGeometry(5, 0, 121, 313);
    // "r - v" stands in the group but has no diagram.
    auto* rv = new QRadioButton(QStringLiteral("r - v"), groupBox2_);
    rv->setObjectName(QStringLiteral("rv"));
    rv->setEnabled(false);
    rv->setGeometry(12, 20 + 2 * 30, 100, 24);
    for (D d : {D::VA, D::VXAX, D::VYAY}) buttons_[d]->move(12, buttons_[d]->y() + 30);
    buttons_[D::XVX]->setChecked(true);
    groupBox2_->hide();
    connect(view_widget_, &DiagrammView::doubleClicked, this, &DiagramPanel::refresh);
    connect(view_widget_, &DiagrammView::saveRequested, this, &DiagramPanel::saveRequested);
    connect(view_widget_, &DiagrammView::clickedAt, this, &DiagramPanel::hintNear);
}

QLineSeries* DiagramPanel::makePointSeries(int n) {
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

void DiagramPanel::buildChart(QWidget* area) {
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
    for (int n = 0; n < 4; ++n) {
        points_[static_cast<std::size_t>(n)] = makePointSeries(n);
    }
    for (int n = 0; n < 2; ++n) {
        auto* line = new QLineSeries;
        line->setObjectName(QStringLiteral("Series%1").arg(n + 5));
        line->setColor(kSlotColour[n]);
        lines_[static_cast<std::size_t>(n)] = line;
    }
    for (QXYSeries* s :
         {static_cast<QXYSeries*>(lines_[0]), static_cast<QXYSeries*>(lines_[1]),
          static_cast<QXYSeries*>(points_[0]), static_cast<QXYSeries*>(points_[1]),
          static_cast<QXYSeries*>(points_[2]), static_cast<QXYSeries*>(points_[3])}) {
        chart_->addSeries(s);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }
    view_widget_ = new DiagrammView(chart_, area);
    view_widget_->setObjectName(QStringLiteral("Diagramm"));
    view_widget_->setGeometry(128, 0, 793, 489);
}

QGroupBox* DiagramPanel::buildGroup(const char* name, const QString& title,
                                    std::initializer_list<Diagram> ds, QWidget* area) {
    static const std::map<Diagram, const char*> kNames{
        {Diagram::XY, "XY"},     {Diagram::XT, "xt"},    {Diagram::YT, "yt"},
        {Diagram::VT, "vt"},     {Diagram::VXT, "vxt"},  {Diagram::VYT, "vyt"},
        {Diagram::AT, "at"},     {Diagram::AXT, "axt"},  {Diagram::AYT, "ayt"},
        {Diagram::XVX, "xvx"},   {Diagram::YVY, "yvy"},  {Diagram::VA, "va"},
        {Diagram::VXAX, "vxax"}, {Diagram::VYAY, "vyay"}};
    auto* group = new QGroupBox(title, area);
    group->setObjectName(QString::fromLatin1(name));
    int y = 20;
    for (Diagram d : ds) {
        auto* b = new QRadioButton(QString::fromStdString(diagramCaption(d)), group);
        b->setObjectName(QString::fromLatin1(kNames.at(d)));
        b->setGeometry(12, y, 100, 24);
        y += 30;
        buttons_[d] = b;
        connect(b, &QRadioButton::clicked, this,
                [this, d] { isPhaseDiagram(d) ? Radioclick2(d) : RadioClick(d); });
    }
    return group;
}

void DiagramPanel::clearPoints() {
    for (QLineSeries* s : points_) s->clear();
}

void DiagramPanel::clearAll() {
    clearPoints();
    for (QLineSeries* l : lines_) l->clear();
}

void DiagramPanel::resetZoom() {
    chart_->zoomReset();
    rescale();
}

void DiagramPanel::setTitles(Diagram d, SlotNumber slot) {
    const AxisTitles t = diagramTitles(d, slot);
    axisY_->setTitleText(QString::fromStdString(t.left));
    axisX_->setTitleText(QString::fromStdString(t.bottom));
}

void DiagramPanel::drawPoints(Diagram d, SlotNumber slot, bool timeSeries) {
    const KinematicsGrids& k = state_.auswertung.at(static_cast<std::size_t>(slot - 1));
    setTitles(d, slot);
    const QList<QPointF> points = toQt(diagramPoints(d, k));
    // One replace, not an append: an append redraws the series once per point.
    pointSeries(timeSeries ? slot : slot + 2)->replace(points);
    if (joinsPoints(d)) {
        lineSeries(slot)->replace(points);
        if (view_.strength != 1) {
            view_.strength = 1;
            Q_EMIT strengthReset();
        }
    } else if (trendSource(d).column != 0) {
        lineSeries(slot)->replace(toQt(diagramTrendLine(d, k, view_.strength)));
    }
}

void DiagramPanel::RadioClick(Diagram d) {
    clearAll();
    chart_->zoomReset();
    view_.diagram = d;
    buttons_.at(d)->setChecked(true);
    for (SlotNumber slot : {1, 2})
        if (view_.drawn(slot)) drawPoints(d, slot, d != Diagram::XY);
    rescale();
}

void DiagramPanel::Radioclick2(Diagram d) {
    clearPoints();
    view_.phase = d;
    buttons_.at(d)->setChecked(true);
    for (SlotNumber slot : {1, 2})
        if (view_.drawn(slot)) drawPoints(d, slot, false);
    if (!chart_->isZoomed()) rescale();
}

void DiagramPanel::refresh() {
    if (view_.diagram) RadioClick(*view_.diagram);
}

void DiagramPanel::setDiagramMode(bool diagramMode) {
    groupBox1_->setVisible(diagramMode);
    groupBox2_->setVisible(!diagramMode);
    if (diagramMode) {
        clearPoints();
        RadioClick(Diagram::XY);
    } else {
        clearAll();
        Radioclick2(Diagram::XVX);
    }
}

void DiagramPanel::redrawTrendLines() {
    if (!view_.diagram || trendSource(*view_.diagram).column == 0) return;
    for (SlotNumber slot : {1, 2}) {
        if (!view_.drawn(slot)) continue;
        const KinematicsGrids& k = state_.auswertung.at(static_cast<std::size_t>(slot - 1));
        lineSeries(slot)->replace(toQt(diagramTrendLine(*view_.diagram, k, view_.strength)));
    }
}

void DiagramPanel::setLinesShown(bool shown) {
    for (QLineSeries* l : lines_) l->setVisible(shown);
}

void DiagramPanel::rescale() {
    // Both axes take the range of every point shown, with a small margin.
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
    if (!any) return;
    const auto pad = [](double& lo, double& hi) {
        const double span = hi - lo;
        const double margin = span > 0 ? span * 0.05 : (lo != 0 ? std::abs(lo) * 0.1 : 1.0);
        lo -= margin;
        hi += margin;
    };
    pad(minX, maxX);
    pad(minY, maxY);
    for (auto [axis, lo, hi] : {std::tuple{axisX_, minX, maxX}, std::tuple{axisY_, minY, maxY}}) {
        axis->setRange(lo, hi);
        axis->applyNiceNumbers();
    }
}

void DiagramPanel::hintNear(const QPointF& position) {
    const QPointF inScene = view_widget_->mapToScene(position.toPoint());
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

void DiagramPanel::showHint(const QPointF& point) {
    const QString text = pointHint(point, QLocale());
    view_widget_->setToolTip(text);
    QToolTip::showText(QCursor::pos(), text, view_widget_, {}, kHintMs);
    QTimer::singleShot(kHintMs, view_widget_, [w = view_widget_] { w->setToolTip({}); });
}

void DiagramPanel::saveDiagram(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        // A vector drawing of the chart at its size on the screen.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(view_widget_->size());
        svg.setViewBox(QRect(QPoint(0, 0), view_widget_->size()));
        svg.setTitle(QStringLiteral("Zebak-Diagramm"));
        QPainter painter(&svg);
        view_widget_->render(&painter);
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
    const qreal ratio = view_widget_->devicePixelRatioF();
    QImage image(view_widget_->size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view_widget_->render(&painter);
    painter.end();
    writePngFile(image, path);
}

}  // namespace zebak::gui
