#include "gui/evaluation/DiagramPanel.h"

#include <QGroupBox>
#include <QLineSeries>
#include <QRadioButton>

#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationView.h"

namespace zebak::gui {

DiagramPanel::DiagramPanel(const Measurement& state, EvaluationView& view, QWidget* area,
                           QObject* owner)
    : QObject(owner), state_(state), view_(view) {
    chart_ = new DiagramChart(area, this);
    using D = Diagram;
    groupBox1_ =
        buildGroup("GroupBox1", QStringLiteral("Diagramme"),
                   {D::XY, D::XT, D::YT, D::VT, D::VXT, D::VYT, D::AT, D::AXT, D::AYT}, area);
    groupBox1_->setGeometry(5, 0, 121, 369);
    buildPhaseGroup(area);
    connect(chart_->chartView(), &DiagrammView::doubleClicked, this, &DiagramPanel::refresh);
}

void DiagramPanel::buildPhaseGroup(QWidget* area) {
    using D = Diagram;
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
                [this, d] { isPhaseDiagram(d) ? drawPhaseDiagram(d) : drawDiagram(d); });
    }
    return group;
}

void DiagramPanel::drawPoints(Diagram d, SlotNumber slot, bool timeSeries) {
    const KinematicsGrids& k = state_.evaluation.at(static_cast<std::size_t>(slot - 1));
    chart_->setTitles(diagramTitles(d, slot));
    const QList<QPointF> points = toQt(diagramPoints(d, k));
    // One replace, not an append: an append redraws the series once per point.
    chart_->pointSeries(timeSeries ? slot : slot + 2)->replace(points);
    if (joinsPoints(d)) {
        chart_->lineSeries(slot)->replace(points);
        if (view_.strength != 1) {
            view_.strength = 1;
            Q_EMIT strengthReset();
        }
    } else if (trendSource(d).column != 0) {
        chart_->lineSeries(slot)->replace(toQt(diagramTrendLine(d, k, view_.strength)));
    }
}

void DiagramPanel::drawDiagram(Diagram d) {
    chart_->startOver();
    view_.diagram = d;
    buttons_.at(d)->setChecked(true);
    for (SlotNumber slot : {1, 2})
        if (view_.drawn(slot)) drawPoints(d, slot, d != Diagram::XY);
    chart_->rescale();
    Q_EMIT diagramDrawn();
}

void DiagramPanel::drawPhaseDiagram(Diagram d) {
    // The line series stay as they are; the zoom goes, so every point of the plot shows.
    chart_->clearPoints();
    chart_->resetZoom();
    view_.phase = d;
    buttons_.at(d)->setChecked(true);
    for (SlotNumber slot : {1, 2})
        if (view_.drawn(slot)) drawPoints(d, slot, false);
    chart_->rescale();
    Q_EMIT diagramDrawn();
}

void DiagramPanel::refresh() {
    if (view_.diagram) drawDiagram(*view_.diagram);
}

void DiagramPanel::setDiagramMode(bool diagramMode) {
    groupBox1_->setVisible(diagramMode);
    groupBox2_->setVisible(!diagramMode);
    if (diagramMode) {
        chart_->clearPoints();
        drawDiagram(Diagram::XY);
    } else {
        chart_->clearAll();
        drawPhaseDiagram(Diagram::XVX);
    }
}

void DiagramPanel::redrawTrendLines() {
    if (!view_.diagram || trendSource(*view_.diagram).column == 0) return;
    for (SlotNumber slot : {1, 2}) {
        if (!view_.drawn(slot)) continue;
        const KinematicsGrids& k = state_.evaluation.at(static_cast<std::size_t>(slot - 1));
        chart_->lineSeries(slot)->replace(
            toQt(diagramTrendLine(*view_.diagram, k, view_.strength)));
    }
}

}  // namespace zebak::gui
