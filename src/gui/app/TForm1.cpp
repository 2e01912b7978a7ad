#include "gui/app/TForm1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/FilmLoad.h"
#include "gui/analysis/GuiHost.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Session.h"
#include "gui/app/Sound.h"
#include "gui/app/WidgetKit.h"
#include "gui/main/AnalysisCommands.h"
#include "gui/main/CalibrationCommand.h"
#include "gui/main/DisplayInputRouter.h"
#include "gui/main/FilmLoading.h"
#include "gui/main/MainMenu.h"
#include "gui/main/ManualCommand.h"
#include "gui/main/PlayerPanel.h"
#include "gui/main/PositionTables.h"
#include "gui/main/SettingsPages.h"
#include "gui/main/StrobePanel.h"
#include "gui/search/TForm3.h"
#include "gui/search/TForm4.h"

namespace zebak::gui {

namespace {
/// The window's client area is laid out for this size; it opens maximised.
constexpr int kDesignWidth = 1012;
constexpr int kDesignHeight = 653;
}  // namespace

TForm1::TForm1(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setAcceptDrops(true);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zebak3.51"));
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Flaeche"));
    area->setMinimumSize(kDesignWidth, kDesignHeight);
    setCentralWidget(area);
    buildStartScreen(area);
    player_ = new PlayerPanel(session_, area, this);
    buildChoicePanel(area);
    pages_ = new SettingsPages(session_, area, this);
    commands_ = new AnalysisCommands(session_, area, this);
    tables_ = new PositionTables(session_, area, this);
    input_ = new DisplayInputRouter(session_, *player_, *pages_, this);
    menu_ = new MainMenu(this);
    connect(menu_, &MainMenu::loadRequested, this, &TForm1::Film_LadenClick);
    connect(commands_, &AnalysisCommands::runningChanged, this,
            [this](bool running) { menu_->setLoadEnabled(!running); });
    connect(commands_->evaluationButton(), &QPushButton::clicked, tables_,
            &PositionTables::DiagrammBtnClick);
    Panel4 = makePanel(area);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(5, 600, 521, 57);
    Panel4->hide();
    strobe_ = new StrobePanel(Panel4, this);
    connect(menu_->Stroboskopbild1(), &QAction::triggered, this, &TForm1::Stroboskopbild1Click);
    connect(strobe_->startButton(), &QPushButton::clicked, this,
            [this] { commands_->runStroboscope(strobe_->options()); });
    resize(kDesignWidth, kDesignHeight + 25);
    setWindowState(Qt::WindowMaximized);
}

// The parts are children of the window; the state they work on lives in the session.
TForm1::~TForm1() = default;

ProgramState& TForm1::state() { return session_.state(); }

FrameSource* TForm1::film() const { return session_.film(); }

void TForm1::setSecondaryWindows(const SecondaryWindows& windows) {
    windows_ = windows;
    player_->setWindows(windows.form3, windows.form6);
    pages_->setDisplay(windows.form3);
    input_->attach(windows.form3, commands_->areaButton());
    windows.form4->attach(session_.state(), session_.dialogs());
    menu_->setPictureCheck([form4 = windows.form4] { return form4->hasPicture(); });
    connect(menu_, &MainMenu::savePictureRequested, windows.form4, &TForm4::savePicture);
    commands_->attach(windows.form3, windows.form4, *player_, *pages_, *tables_);
    menu_->setInfoWindow(windows.form9);
    calibration_ =
        new CalibrationCommand(session_, commands_->calibrationButton(), windows.form3,
                               windows.form5, commands_->host()->display(), *tables_, this);
    connect(input_, &DisplayInputRouter::calibrationClicked, calibration_,
            &CalibrationCommand::displayClicked);
    manual_ = new ManualCommand(
        session_, *player_, *tables_,
        {this, windows.form3, windows.form5, windows.form6, windows.form7, windows.form8}, this);
    connect(ManuellBtn, &QPushButton::clicked, manual_, &ManualCommand::ManuellBtnClick);
}

void TForm1::buildStartScreen(QWidget* area) {
    Image1 = new QLabel(area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/start.png")));
    Image1->setScaledContents(true);
    // The start picture fills the client area except a margin at the right and the bottom.
    Image1->setGeometry(0, 0, kDesignWidth - 11, kDesignHeight - 62);
    Film_Laden = makeButton(QStringLiteral("Film_Laden"), QStringLiteral("&Film Laden"),
                            QStringLiteral("Einen Film öffnen"), QRect(440, 80, 233, 65), area);
    QFont large = Film_Laden->font();
    large.setPointSize(16);
    large.setBold(true);
    Film_Laden->setFont(large);
    connect(Film_Laden, &QPushButton::clicked, this, &TForm1::Film_LadenClick);
}

void TForm1::buildChoicePanel(QWidget* area) {
    Panel2 = makePanel(area);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(440, 80, 260, 160);
    makeLabel(QStringLiteral("Label4"), QStringLiteral("Wie soll die Analyse erfolgen?"),
              QRect(16, 12, 230, 20), Panel2);
    ManuellBtn = makeButton(QStringLiteral("ManuellBtn"), QStringLiteral("Manuell"),
                            QStringLiteral("Positionserfassung durch Mausklick"),
                            QRect(16, 50, 228, 40), Panel2);
    QPushButton* automatic = makeButton(
        QStringLiteral("AutomatischBtn"), QStringLiteral("Automatisch"),
        QStringLiteral("Erfassung durch Suche des Objektes"), QRect(16, 104, 228, 40), Panel2);
    connect(automatic, &QPushButton::clicked, this, &TForm1::AutomatischBtnClick);
    Panel2->hide();
}

void TForm1::Film_LadenClick() {
    // The menu and the start button are the same, except that a successful reload first
    // resets the screen. A cancelled dialog loads the previous film again; before the first
    // film nothing happens.
    const QString chosen = session_.dialogs().openFilmName(this);
    const QString name = chosen.isEmpty() ? QString::fromStdString(state().Filmname) : chosen;
    if (!name.isEmpty()) loadFilm(name);
}

bool TForm1::loadFilm(const QString& path) {
    // The new film is opened before anything changes, so a film that fails to open or an
    // open that is cancelled leaves the program exactly as it was.
    std::unique_ptr<FrameSource> film = openWithProgress(session_, this, path);
    if (!film) return false;
    if (session_.film() != nullptr) resetForNewFilm();
    player_->stopPlayer();
    windows_.form3->setSource(film.get());
    const FilmDescription description = film->description();
    const int frames = film->frameCount();
    session_.setFilm(std::move(film));
    applyFilmLoad(state(), path.toStdString(), description, frames);
    player_->filmLoaded(frameSizeText(description));
    Videooeffnen(windows_.form3, description, {state().Videobreite, state().Videohoehe},
                 pos() + QPoint(10, 49));
    Film_Laden->hide();
    Panel2->show();
    Panel2->raise();
    Image1->hide();
    player_->showAfterLoad();
    setWindowTitle(QStringLiteral("ZEBAK - ") + QFileInfo(path).fileName());
    tellLoadWarnings(session_, this, description);
    player_->setTimesFromFilm(askTimesFromFilm(session_, this, description));
    return true;
}

void TForm1::resetForNewFilm() {
    // A calibration waiting for a point of the old film ends with it.
    calibration_->abandon();
    pages_->setShown(false);
    Panel4->hide();
    menu_->Stroboskopbild1()->setChecked(false);
    commands_->setButtonsShown(false);
    state().Eichfaktor = 1.0;
    tables_->reset();
    windows_.form3->hide();
    windows_.form3->Panel1()->hide();
    windows_.form4->hide();
    windows_.form4->imagecreate();
}

void TForm1::Stroboskopbild1Click(bool on) {
    // The menu entry has already changed its check mark; the panel and the buttons follow it.
    strobe_->setModeShown(on);
    commands_->evaluationButton()->setVisible(!on);
    if (on) tables_->hideTables();
}

void TForm1::AutomatischBtnClick() {
    ProgramState& s = state();
    s.Eichfaktor = 1.0;
    s.Anzeigebreite = s.Videobreite;
    s.Anzeigehoehe = s.Videohoehe;
    Panel2->hide();
    commands_->setButtonsShown(true);
    Image1->hide();
    pages_->setShown(true);
    menu_->Stroboskopbild1()->setEnabled(true);
}

namespace {

/// The one local file a drag brings; empty for anything else.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!commands_->running() && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty() || commands_->running()) return;
    event->acceptProposedAction();
    loadFilm(path);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A range playback still running inside a handler must not go on after the window is gone,
    // and a running analysis stops instead of going on unseen.
    state().AbspielenStopp = 1;
    commands_->stopOnClose();
    // A calibration or a capture waiting for a click or a length ends with the program.
    if (calibration_ != nullptr) calibration_->abandon();
    if (manual_ != nullptr) manual_->aufgeben();
    if (state().KontextOffen) {
        session_.Kontextfreigeben();
        session_.sound().beep();
    }
    event->accept();
    Q_EMIT closed();
}

}  // namespace zebak::gui
