#include "gui/evaluation/EvaluationWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <exception>

#include "gui/evaluation/DiagramChart.h"
#include "gui/evaluation/DiagramPanel.h"
#include "gui/evaluation/DiagrammView.h"
#include "gui/evaluation/EvaluationMenu.h"
#include "gui/evaluation/EvaluationTables.h"
#include "gui/evaluation/ExportPanel.h"
#include "gui/evaluation/FitPanel.h"
#include "gui/evaluation/TrendLinePanel.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/HelpPage.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

namespace {
/// The chart's left edge (right of the button groups), its written height, and the margin
/// kept at the window's right and bottom edges.
constexpr int kChartLeft = 128;
constexpr int kChartHeight = 590;
constexpr int kMargin = 8;
}  // namespace

EvaluationWindow::EvaluationWindow(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Auswertung"));
    // Only a close box, and above the program's other windows while it is open.
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Flaeche"));
    setCentralWidget(area);
    diagrams_ = new DiagramPanel(session_.state(), view_, area, this);
    trend_ = new TrendLinePanel(view_, area, this);
    buildExitAndExport(area);
    fits_ = new FitPanel(session_.state(), view_, diagrams_->chart(), area, this);
    tables_ = new EvaluationTables(session_.state(), view_, area, this);
    menu_ = new EvaluationMenu(view_, this);
    buildSplitter(area);
    connectParts();
    layOut();
}

void EvaluationWindow::buildSplitter(QWidget* area) {
    // Right of the button groups the chart stands above the tables; the user drags the line
    // between them. The tables take what the window grows by.
    splitter_ = new QSplitter(Qt::Vertical, area);
    splitter_->setObjectName(QStringLiteral("Teiler"));
    splitter_->setChildrenCollapsible(false);
    QWidget* chart = diagrams_->chart().chartView();
    chart->setMinimumHeight(150);
    splitter_->addWidget(chart);
    splitter_->addWidget(tables_->area());
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(kChartLeft, 0, kMargin, kMargin);
    row->addWidget(splitter_);
}

EvaluationWindow::~EvaluationWindow() = default;

void EvaluationWindow::buildExitAndExport(QWidget* area) {
    export_ = new ExportPanel(session_, view_, area, this);
    exit_ = new QPushButton(QStringLiteral("Exit"), area);
    exit_->setObjectName(QStringLiteral("SpeedButton2"));
    exit_->setGeometry(5, 512, 121, 41);
    setBoldFont(exit_, 14);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
}

void EvaluationWindow::connectParts() {
    connect(tables_, &EvaluationTables::edited, diagrams_, &DiagramPanel::refresh);
    connect(trend_, &TrendLinePanel::strengthChanged, diagrams_, &DiagramPanel::redrawTrendLines);
    connect(trend_, &TrendLinePanel::linesToggled, &diagrams_->chart(),
            &DiagramChart::setLinesShown);
    connect(diagrams_, &DiagramPanel::strengthReset, trend_, &TrendLinePanel::showStrength);
    connect(diagrams_, &DiagramPanel::diagramDrawn, fits_, &FitPanel::refit);
    connect(fits_, &FitPanel::spreadChanged, this, &EvaluationWindow::refill);
    connect(&diagrams_->chart(), &DiagramChart::saveRequested, this,
            &EvaluationWindow::saveDiagram);
    connect(menu_, &EvaluationMenu::saveDiagramRequested, this, &EvaluationWindow::saveDiagram);
    connect(menu_, &EvaluationMenu::closeRequested, this, &QWidget::close);
    connect(menu_, &EvaluationMenu::exportRequested, export_, &ExportPanel::exportClicked);
    connect(menu_, &EvaluationMenu::modeChosen, this, &EvaluationWindow::chooseMode);
    connect(menu_, &EvaluationMenu::colourToggled, diagrams_, &DiagramPanel::refresh);
    connect(menu_, &EvaluationMenu::tableClicked, this, [this](int slot) {
        tables_->tableMenuClicked(slot);
        menu_->showView();
    });
    connect(menu_, &EvaluationMenu::helpRequested, this,
            [this] { openHelpPage(session_.dialogs(), this); });
    connect(menu_, &EvaluationMenu::infoRequested, this, [this] {
        if (showInfo_) showInfo_();
    });
}

void EvaluationWindow::layOut() {
    // The whole screen width and its height less 20. The chart gets its written height of
    // 590 where the screen leaves the tables two fifths of the window, less on a low screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(screen.width(), screen.height() - 20);
    const int room = std::max(300, screen.height() - 20 - menuBar()->sizeHint().height() - kMargin);
    const int chart = std::min(kChartHeight, room * 3 / 5);
    splitter_->setSizes({chart, room - chart});
}

void EvaluationWindow::setUpView(bool colour1, bool colour2) {
    const bool both = colour1 && colour2;
    view_.colourItemVisible = {colour1, colour2};
    view_.colourDrawn = {colour1, colour2};
    view_.tableItemVisible = {both, both};
    view_.tableChecked = {colour1, !colour1 && colour2};
    menu_->showView();
}

void EvaluationWindow::fillAndReport(int slot) {
    for (const std::string& text :
         tables_->fill(slot, session_.state().film.timing.framesPerSecond))
        session_.dialogs().message(this, MessageKind::Plain, QString::fromStdString(text),
                                   QMessageBox::Ok);
}

void EvaluationWindow::refill() {
    const auto& anzeige = session_.state().display;
    if (anzeige.analyseColour1) fillAndReport(1);
    if (anzeige.analyseColour2) fillAndReport(2);
    if (view_.diagramMode)
        diagrams_->refresh();
    else
        diagrams_->drawPhaseDiagram(view_.phase);
}

void EvaluationWindow::openWindow() {
    const auto& anzeige = session_.state().display;
    const bool colour1 = anzeige.analyseColour1;
    const bool colour2 = anzeige.analyseColour2;
    diagrams_->chart().resetZoom();
    fits_->showChoices();
    if (colour1 || colour2) {
        setUpView(colour1, colour2);
        tables_->showOnly(colour1 ? 1 : 2);
        // With both colours, colour 1 is filled and drawn first.
        if (colour1) fillAndReport(1);
        if (colour2) fillAndReport(2);
        diagrams_->drawDiagram(Diagram::XY);
    }
    show();
    raise();
    activateWindow();
}

void EvaluationWindow::openSaved() {
    const ResultDisplay& display = session_.state().display;
    const EvaluationChoices choices = session_.state().evaluationChoices;
    const bool colour1 =
        display.analyseColour1 && !session_.state().evaluation[0].positions.empty();
    const bool colour2 =
        display.analyseColour2 && !session_.state().evaluation[1].positions.empty();
    if (!colour1 && !colour2) return;
    diagrams_->chart().resetZoom();
    setUpView(colour1, colour2);
    tables_->showOnly(colour1 ? 1 : 2);
    for (SlotNumber slot : {1, 2})
        if (slot == 1 ? colour1 : colour2) tables_->showFilled(slot);
    const Diagram diagram = choices.diagram.value_or(Diagram::XY);
    if (isPhaseDiagram(diagram)) {
        diagrams_->drawDiagram(Diagram::XY);
        chooseMode(false);
        diagrams_->drawPhaseDiagram(diagram);
    } else {
        diagrams_->drawDiagram(diagram);
    }
    // A diagram that joins its points sets the strength back to 1; the saved one counts.
    view_.strength = choices.trendStrength;
    trend_->showStrength();
    diagrams_->redrawTrendLines();
    show();
    raise();
    activateWindow();
}

void EvaluationWindow::keepChoices() {
    // The view keeps its diagram and strength after the window closed; before the window
    // was first opened (no grids filled) the choices stay as they are.
    const auto& grids = session_.state().evaluation;
    if (grids[0].positions.empty() && grids[1].positions.empty()) return;
    EvaluationChoices& choices = session_.state().evaluationChoices;
    choices.diagram = view_.diagramMode ? view_.diagram : std::optional<Diagram>(view_.phase);
    choices.trendStrength = view_.strength;
}

void EvaluationWindow::chooseMode(bool diagramMode) {
    view_.diagramMode = diagramMode;
    trend_->setShown(diagramMode);
    diagrams_->setDiagramMode(diagramMode);
    menu_->showView();
}

void EvaluationWindow::saveDiagram() {
    const QString path = session_.dialogs().saveFileName(this, QStringLiteral("Diagramm speichern"),
                                                         QStringLiteral("Bilder (*.png *.svg)"));
    if (path.isEmpty()) return;
    try {
        diagrams_->chart().saveDiagram(path);
    } catch (const std::exception& e) {
        session_.dialogs().message(this, MessageKind::Error, QString::fromUtf8(e.what()),
                                   QMessageBox::Ok);
    }
}

void EvaluationWindow::closeEvent(QCloseEvent* event) {
    diagrams_->chart().clearPoints();
    if (!view_.diagramMode) chooseMode(true);
    diagrams_->chart().clearPoints();
    tables_->clear();
    fits_->refit();
    QMainWindow::closeEvent(event);
    Q_EMIT closed();
}

void EvaluationWindow::mousePressEvent(QMouseEvent* event) {
    // A press on the free area of the window is refused with the beep.
    session_.sound().beep();
    QMainWindow::mousePressEvent(event);
}

bool EvaluationWindow::event(QEvent* event) {
    // Tab and a line feed (Ctrl+Enter) typed while the window itself has the focus are refused
    // with the beep; the window would otherwise move the focus on Tab.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool lineFeed = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                              (key->modifiers() & Qt::ControlModifier);
        const QWidget* focus = QApplication::focusWidget();
        if ((key->key() == Qt::Key_Tab || lineFeed) && (focus == nullptr || focus == this)) {
            session_.sound().beep();
            return true;
        }
    }
    return QMainWindow::event(event);
}

}  // namespace zebak::gui
