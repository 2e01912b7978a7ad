#include "gui/evaluation/FitPanel.h"

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>
#include <array>
#include <limits>

#include "core/Fit.h"
#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationView.h"

namespace zebak::gui {

namespace {
/// Points of a drawn curve across the visible time range.
constexpr int kCurveSamples = 200;
/// Room between the panel and the plot's edges.
constexpr int kInset = 6;

std::vector<DiagramPoint> fromQt(const QList<QPointF>& points) {
    std::vector<DiagramPoint> list;
    list.reserve(static_cast<std::size_t>(points.size()));
    for (const QPointF& p : points) list.push_back({p.x(), p.y()});
    return list;
}
}  // namespace

FitPanel::FitPanel(Measurement& state, const EvaluationView& view, DiagramChart& chart,
                   QWidget* area, QObject* owner)
    : QObject(owner), state_(state), view_(view), chart_(chart) {
    buildControls(area);
    buildResultPanel();
    pending_.setSingleShot(true);
    pending_.setInterval(0);
    connect(&pending_, &QTimer::timeout, this, &FitPanel::refit);
    for (QValueAxis* axis : {chart_.axisX(), chart_.axisY()})
        connect(axis, &QValueAxis::rangeChanged, &pending_, qOverload<>(&QTimer::start));
    connect(chart_.chartView()->chart(), &QChart::plotAreaChanged, this, [this] {
        if (!panel_->isHidden()) place();
    });
}

void FitPanel::buildControls(QWidget* area) {
    auto* frame = new QFrame(area);
    frame->setObjectName(QStringLiteral("Panel4"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(5, 560, 121, 92);
    auto* over = new QLabel(QStringLiteral("Differenz über"), frame);
    over->setGeometry(4, 4, 113, 16);
    auto* frames = new QLabel(QStringLiteral("n Bilder:"), frame);
    frames->setGeometry(4, 24, 60, 16);
    spread_ = new QSpinBox(frame);
    spread_->setObjectName(QStringLiteral("SpinDifferenz"));
    spread_->setRange(1, 50);
    spread_->setGeometry(64, 20, 53, 24);
    // A typed number counts once it is complete (Enter or leaving the field).
    spread_->setKeyboardTracking(false);
    spread_->setToolTip(
        QStringLiteral("Geschwindigkeiten und Beschleunigungen aus Werten n Bilder auseinander "
                       "(1 = benachbarte Bilder)"));
    auto* label = new QLabel(QStringLiteral("Ausgleichskurve:"), frame);
    label->setGeometry(4, 46, 113, 16);
    model_ = new QComboBox(frame);
    model_->setObjectName(QStringLiteral("Ausgleichskurve"));
    for (FitModel m : {FitModel::None, FitModel::Line, FitModel::Parabola, FitModel::Sine})
        model_->addItem(QString::fromStdString(fitModelName(m)), static_cast<int>(m));
    model_->setGeometry(4, 63, 113, 24);
    model_->setToolTip(
        QStringLiteral("Kurve nach der Methode der kleinsten Quadrate durch die Punkte des "
                       "Zeitdiagramms im sichtbaren Bereich (ein Zoom wählt die Punkte)"));
    connect(spread_, &QSpinBox::valueChanged, this, [this](int value) {
        if (loading_) return;
        state_.evaluationChoices.spread = value;
        Q_EMIT spreadChanged();
    });
    connect(model_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_) return;
        state_.evaluationChoices.fit = static_cast<FitModel>(model_->itemData(index).toInt());
        refit();
    });
}

void FitPanel::buildResultPanel() {
    // On the chart, so that a saved picture shows the figures with the curve.
    panel_ = new QFrame(chart_.chartView()->viewport());
    panel_->setObjectName(QStringLiteral("Ausgleichspanel"));
    panel_->setStyleSheet(
        QStringLiteral("QFrame#Ausgleichspanel { background: rgba(255,255,255,235); "
                       "border: 1px solid rgb(150,150,150); }"));
    // Presses on the panel do not start a zoom on the chart below.
    panel_->setAttribute(Qt::WA_NoMousePropagation);
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(3);
    text_ = new QLabel(panel_);
    text_->setObjectName(QStringLiteral("Ausgleichstext"));
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setToolTip(QStringLiteral("Der Text lässt sich markieren und kopieren"));
    column->addWidget(text_);
    copy_ = new QPushButton(QStringLiteral("Kopieren"), panel_);
    copy_->setObjectName(QStringLiteral("Kopieren"));
    copy_->setToolTip(QStringLiteral("Den ganzen Text in die Zwischenablage kopieren"));
    column->addWidget(copy_, 0, Qt::AlignLeft);
    connect(copy_, &QPushButton::clicked, this, &FitPanel::copyText);
    panel_->hide();
}

void FitPanel::showChoices() {
    loading_ = true;
    spread_->setValue(state_.evaluationChoices.spread);
    model_->setCurrentIndex(model_->findData(static_cast<int>(state_.evaluationChoices.fit)));
    loading_ = false;
}

void FitPanel::refit() {
    pending_.stop();
    const FitModel model = state_.evaluationChoices.fit;
    const bool applies = model != FitModel::None && view_.diagramMode && view_.diagram &&
                         isTimeDiagram(*view_.diagram);
    const DiagramRange range{chart_.axisX()->min(), chart_.axisX()->max(), chart_.axisY()->min(),
                             chart_.axisY()->max()};
    QString text;
    for (SlotNumber slot : {1, 2}) {
        QLineSeries* curve = chart_.fitSeries(slot);
        const QList<QPointF> shown = chart_.pointSeries(slot)->points();
        if (!applies || !view_.drawn(slot) || shown.isEmpty()) {
            curve->clear();
            continue;
        }
        const FitResult fit = fitPoints(model, pointsWithin(fromQt(shown), range));
        curve->replace(toQt(fitCurve(fit, range.x0, range.x1, kCurveSamples)));
        if (!text.isEmpty()) text += QStringLiteral("\n\n");
        text += QStringLiteral("Farbe %1, %2:\n")
                    .arg(slot)
                    .arg(QString::fromStdString(diagramCaption(*view_.diagram)));
        text += QString::fromStdString(fitReport(*view_.diagram, fit));
    }
    text_->setText(text);
    panel_->setVisible(!text.isEmpty());
    if (!text.isEmpty()) place();
}

QString FitPanel::resultText() const { return panel_->isHidden() ? QString() : text_->text(); }

void FitPanel::place() {
    panel_->adjustSize();
    QChart* chart = chart_.chartView()->chart();
    const QRect plot = chart_.chartView()->mapFromScene(chart->plotArea()).boundingRect();
    const QSize size = panel_->size();
    const int left = plot.left() + kInset;
    const int right = plot.right() - kInset - size.width();
    const int top = plot.top() + kInset;
    const int bottom = plot.bottom() - kInset - size.height();
    const int centre = (left + right) / 2;
    // The corners, then the middles of the bottom and top edges (below and above a throw's
    // arc), in order of preference; the first that covers the fewest points wins.
    const std::array<QPoint, 6> corners{{{right, top},
                                         {left, top},
                                         {right, bottom},
                                         {left, bottom},
                                         {centre, bottom},
                                         {centre, top}}};
    QPoint best = corners[0];
    qsizetype fewest = std::numeric_limits<qsizetype>::max();
    for (const QPoint& corner : corners) {
        const QRect place(corner, size);
        qsizetype covered = 0;
        for (int n = 1; n <= 2; ++n)
            for (const QPointF& p : chart_.pointSeries(n)->points())
                covered += place.contains(chart_.chartView()->mapFromScene(
                    chart->mapToPosition(p, chart_.pointSeries(n))));
        if (covered < fewest) {
            fewest = covered;
            best = corner;
        }
    }
    panel_->move(best);
    panel_->raise();
}

void FitPanel::copyText() const { QApplication::clipboard()->setText(text_->text()); }

}  // namespace zebak::gui
