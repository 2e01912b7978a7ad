#include "gui/shell/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "ProgramVersion.h"
#include "core/FilmLoad.h"
#include "gui/calibration/CalibrationCommand.h"
#include "gui/display/DisplayInputRouter.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/FilmLoading.h"
#include "gui/display/FilmTimeFields.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/ResultWindow.h"
#include "gui/display/SequenceControls.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/HelpPage.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/manual/ManualCommand.h"
#include "gui/manual/ManualControlWindow.h"
#include "gui/manual/ManualOverlay.h"
#include "gui/shell/FilmDrop.h"
#include "gui/shell/MainMenu.h"
#include "gui/shell/ProjectCommands.h"
#include "gui/shell/StartScreen.h"
#include "gui/strobe/StrobePanel.h"
#include "gui/tracking/AnalysisCommands.h"
#include "gui/tracking/GuiHost.h"
#include "gui/tracking/PositionTables.h"
#include "gui/tracking/SettingsPages.h"

namespace zebak::gui {

namespace {
/// The window's client area is laid out for this size; it opens maximised.
constexpr int kDesignWidth = 1012;
constexpr int kDesignHeight = 653;
}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zebak") + QLatin1String(kProgramVersion));
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Flaeche"));
    area->setMinimumSize(kDesignWidth, kDesignHeight);
    setCentralWidget(area);
    // The start picture fills the client area except a margin at the right and the bottom.
    start_ = new StartScreen(area, QRect(0, 0, kDesignWidth - 11, kDesignHeight - 62), this);
    connect(start_, &StartScreen::loadRequested, this, &MainWindow::loadFilmClicked);
    connect(start_, &StartScreen::automaticChosen, this, &MainWindow::automaticClicked);
    player_ = new PlayerPanel(session_, area, this);
    start_->buildChoicePanel();
    pages_ = new SettingsPages(session_, area, this);
    commands_ = new AnalysisCommands(session_, area, this);
    tables_ = new PositionTables(session_, area, this);
    input_ = new DisplayInputRouter(session_, *player_, this);
    connect(input_, &DisplayInputRouter::colourPicked, pages_, &SettingsPages::clickfarbe);
    menu_ = new MainMenu(this);
    connect(menu_, &MainMenu::loadRequested, this, &MainWindow::loadFilmClicked);
    connect(menu_, &MainMenu::helpRequested, this,
            [this] { openHelpPage(session_.dialogs(), this); });
    connect(commands_, &AnalysisCommands::runningChanged, this,
            [this](bool running) { menu_->setLoadEnabled(!running); });
    connect(commands_->evaluationButton(), &QPushButton::clicked, tables_,
            &PositionTables::evaluationClicked);
    strobe_ = new StrobePanel(area, this);
    connect(menu_->strobeAction(), &QAction::triggered, this, &MainWindow::strobeModeToggled);
    connect(strobe_->startButton(), &QPushButton::clicked, this,
            [this] { commands_->runStroboscope(strobe_->options()); });
    // A film or a project dragged onto the window opens as the menu opens it, unless an
    // analysis runs.
    new FilmDrop(
        this, [this] { return !commands_->running(); },
        [this](const QString& path) { openFile(path); });
    resize(kDesignWidth, kDesignHeight + 25);
    setWindowState(Qt::WindowMaximized);
}

// The parts are children of the window; the state they work on lives in the session.
MainWindow::~MainWindow() = default;

Measurement& MainWindow::state() { return session_.state(); }

FrameSource* MainWindow::film() const { return session_.film(); }

void MainWindow::setSecondaryWindows(const SecondaryWindows& windows) {
    windows_ = windows;
    player_->setWindows(windows.displayWindow, [manual = windows.manualWindow](int frame) {
        manual->label3()->setText(QString::number(frame));
    });
    pages_->setDisplay(windows.displayWindow);
    input_->attach(windows.displayWindow, commands_->areaButton());
    windows.resultWindow->attach(session_.state().resultImage, session_.runControl(),
                                 session_.dialogs());
    menu_->setPictureCheck(
        [resultWindow = windows.resultWindow] { return resultWindow->hasPicture(); });
    connect(menu_, &MainMenu::savePictureRequested, windows.resultWindow,
            &ResultWindow::savePicture);
    commands_->attach(windows.displayWindow, windows.resultWindow, *player_, *pages_, *tables_);
    menu_->setInfoWindow(windows.infoDialog);
    calibration_ = new CalibrationCommand(session_, commands_->calibrationButton(),
                                          windows.displayWindow, windows.calibrationWindow,
                                          commands_->host()->display(), *tables_, this);
    calibration_->setInput(input_);
    connect(input_, &DisplayInputRouter::calibrationClicked, calibration_,
            &CalibrationCommand::displayClicked);
    manual_ =
        new ManualCommand(session_, *player_, *tables_,
                          {this, windows.displayWindow, windows.calibrationWindow,
                           windows.manualWindow, windows.overlayWindow,
                           [evaluation = windows.evaluationWindow] { evaluation->openWindow(); }},
                          this);
    // Closing the evaluation redraws the film by moving it; the manual overlay follows.
    connect(windows.evaluationWindow, &EvaluationWindow::closed, windows.overlayWindow,
            qOverload<>(&QWidget::update), Qt::QueuedConnection);
    connect(start_, &StartScreen::manualChosen, manual_, &ManualCommand::manualClicked);
    projects_ = new ProjectCommands(*this, windows.evaluationWindow);
    connect(menu_, &MainMenu::saveProjectRequested, projects_, &ProjectCommands::saveClicked);
    connect(menu_, &MainMenu::openProjectRequested, projects_, &ProjectCommands::openClicked);
}

void MainWindow::openFile(const QString& path) {
    if (isProjectFile(path))
        projects_->open(path);
    else
        loadOtherFilm(path);
}

void MainWindow::loadOtherFilm(const QString& path) {
    // Another film starts a new analysis: the open project's changes are asked about first,
    // and a later save asks for a new name instead of overwriting the project.
    if (projects_ != nullptr && !projects_->mayClose()) return;
    if (loadFilm(path) && projects_ != nullptr) projects_->forget();
}

void MainWindow::loadFilmClicked() {
    // The menu and the start button are the same, except that a successful reload first
    // resets the screen. A cancelled dialog changes nothing: loading the film again would
    // throw away the tables, the calibration and the mode of the work done on it.
    const QString chosen = session_.dialogs().openFilmName(this);
    if (!chosen.isEmpty()) loadOtherFilm(chosen);
}

bool MainWindow::loadFilm(const QString& path, bool askTimes) {
    // The new film is opened before anything changes, so a film that fails to open or an
    // open that is cancelled leaves the program exactly as it was.
    std::unique_ptr<FrameSource> film = openWithProgress(session_, this, path);
    if (!film) return false;
    if (session_.film() != nullptr) resetForNewFilm();
    player_->stopPlayer();
    windows_.displayWindow->setSource(film.get());
    const FilmDescription description = film->description();
    const int frames = film->frameCount();
    session_.setFilm(std::move(film));
    applyFilmLoad(state(), path.toStdString(), description, frames);
    input_->setShownSize(state().film.size);
    player_->filmLoaded(frameSizeText(description));
    openVideo(windows_.displayWindow, description,
              {state().film.size.width, state().film.size.height}, pos() + QPoint(10, 49));
    start_->showChoice();
    player_->showAfterLoad();
    setWindowTitle(QStringLiteral("ZEBAK - ") + QFileInfo(path).fileName());
    tellLoadWarnings(session_, this, description);
    if (askTimes) player_->times().setTimesFromFilm(askTimesFromFilm(session_, this, description));
    return true;
}

void MainWindow::resetForNewFilm() {
    // A calibration waiting for a point of the old film ends with it.
    calibration_->abandon();
    pages_->setShown(false);
    strobe_->setModeShown(false);
    menu_->strobeAction()->setChecked(false);
    commands_->setButtonsShown(false);
    state().calibration.factorMPerPx = 1.0;
    tables_->reset();
    windows_.displayWindow->hide();
    windows_.displayWindow->panel1()->hide();
    windows_.resultWindow->hide();
    windows_.resultWindow->imagecreate();
}

void MainWindow::strobeModeToggled(bool on) {
    // The menu entry has already changed its check mark; the panel and the buttons follow it.
    strobe_->setModeShown(on);
    commands_->evaluationButton()->setVisible(!on);
    if (on) tables_->hideTables();
}

void MainWindow::automaticClicked() {
    Measurement& s = state();
    s.calibration.factorMPerPx = 1.0;
    input_->setShownSize(s.film.size);
    commands_->setButtonsShown(true);
    pages_->setShown(true);
    menu_->strobeAction()->setEnabled(true);
}

void MainWindow::chooseAutomatic() { start_->chooseAutomatic(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // A project with changes not saved is saved first, or the closing is cancelled.
    if (projects_ != nullptr && !projects_->mayClose()) {
        event->ignore();
        return;
    }
    // A range playback still running inside a handler must not go on after the window is gone,
    // and a running analysis stops instead of going on unseen.
    player_->sequence().requestStop();
    commands_->stopOnClose();
    // A calibration or a capture waiting for a click or a length ends with the program.
    if (calibration_ != nullptr) calibration_->abandon();
    if (manual_ != nullptr) manual_->aufgeben();
    if (session_.pixelContextOpen()) {
        session_.releasePixelContext();
        session_.sound().beep();
    }
    event->accept();
    Q_EMIT closed();
}

}  // namespace zebak::gui
