#include "gui/manual/ManualCommand.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "core/ManualCapture.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/SequenceControls.h"
#include "gui/kit/Cursors.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/manual/ManualControlWindow.h"
#include "gui/manual/ManualOverlay.h"
#include "gui/tracking/PositionTables.h"

namespace zebak::gui {

ManualCommand::ManualCommand(Session& session, PlayerPanel& player, PositionTables& tables,
                             const ManualWindows& windows, QObject* owner)
    : QObject(owner), session_(session), player_(player), tables_(tables), windows_(windows) {
    playTimer_ = new QTimer(this);
    connect(playTimer_, &QTimer::timeout, this, &ManualCommand::playTick);
    connect(windows_.overlay, &ManualOverlay::mousePressed, this, &ManualCommand::overlayMouseDown);
    connect(windows_.overlay, &ManualOverlay::mouseMoved, this, &ManualCommand::overlayMouseMove);
    connect(windows_.overlay, &ManualOverlay::schliessenGewuenscht, windows_.control,
            &QWidget::close);
    connect(windows_.lengthWindow, &CalibrationLengthWindow::laengeEingegeben, this,
            &ManualCommand::lengthTyped);
    connectControl();
}

void ManualCommand::connectControl() {
    ManualControlWindow* c = windows_.control;
    connect(c, &ManualControlWindow::closed, this, &ManualCommand::finish);
    connect(c, &ManualControlWindow::playClicked, this, [this] {
        const Measurement& s = session_.state();
        goTo(s.range.start);
        playTimer_->start(1000 / std::max(1, s.film.timing.framesPerSecond));
    });
    connect(c, &ManualControlWindow::stopClicked, playTimer_, &QTimer::stop);
    connect(c, &ManualControlWindow::anfangClicked, this,
            [this] { goTo(session_.state().range.start); });
    connect(c, &ManualControlWindow::zurueckClicked, this, [this] {
        if (player_.currentFrame() != session_.state().range.start)
            goTo(player_.currentFrame() - 1);
    });
    connect(c, &ManualControlWindow::vorClicked, this, [this] {
        if (player_.currentFrame() != session_.state().range.end) goTo(player_.currentFrame() + 1);
    });
    connect(c, &ManualControlWindow::kalibrierenClicked, this, &ManualCommand::kalibrierenBtnClick);
    connect(c, &ManualControlWindow::nullpunktClicked, this, &ManualCommand::originClicked);
    connect(c, &ManualControlWindow::diagrammClicked, this, &ManualCommand::evaluationClicked);
    connect(c, &ManualControlWindow::cursorGewaehlt, this, &ManualCommand::chooseCursor);
}

void ManualCommand::manualClicked() {
    if (running_ || session_.film() == nullptr) return;
    running_ = true;
    startCaptureState();
    showOverlay();
    windows_.control->move(windows_.overlay->geometry().right() - windows_.control->width() - 20,
                           40);
    windows_.control->show();
    windows_.control->raise();
}

void ManualCommand::startCaptureState() {
    Measurement& s = session_.state();
    // Only colour 1 is captured by hand, so the evaluation opens for colour 1 alone.
    colour1Before_ = s.display.analyseColour1;
    colour2Before_ = s.display.analyseColour2;
    s.display.analyseColour1 = true;
    s.display.analyseColour2 = false;
    // The rows of this capture start afresh: a row left from an earlier one must not appear.
    s.grid(1).reset();
    s.track(1).found.clear();
    calibrationSettled_ = false;
}

void ManualCommand::showOverlay() {
    Measurement& s = session_.state();
    ManualOverlay* overlay = windows_.overlay;
    overlay->setSource(session_.film());
    overlay->setWindowTitle(QString::fromUtf8(kManuelleAuswertung));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        overlay->setGeometry(screen->geometry());
    overlay->showFullScreen();
    chooseCursor(cursor_);
    windows_.mainWindow->hide();
    windows_.display->hide();
    goTo(s.range.start);
    // The origin is the bottom-left corner of the picture the clicks are made in.
    const PictureRect picture = overlay->picture();
    s.calibration.origin.x = 0;
    s.calibration.origin.y = picture.height;
    picture_ = {picture.width, picture.height};
}

void ManualCommand::goTo(int frame) {
    player_.goToFrame(frame);
    windows_.control->label3()->setText(QString::number(player_.currentFrame()));
    windows_.overlay->update();
}

void ManualCommand::playTick() {
    const int now = player_.currentFrame();
    if (!running_ || now >= session_.state().range.end) {
        playTimer_->stop();
        return;
    }
    goTo(now + 1);
    if (player_.currentFrame() == now) playTimer_->stop();  // the film ended early
}

void ManualCommand::overlayMouseDown(Qt::MouseButton button, QPoint point, bool inPicture) {
    Measurement& s = session_.state();
    if (button == Qt::RightButton) {
        if (player_.currentFrame() != s.range.end) goTo(player_.currentFrame() + 1);
        return;
    }
    if (!inPicture) return;  // on the black border: there is nothing to measure
    if (run_.running()) {
        if (!run_.awaitsClick()) return;
        show(run_.click(target(), {point.x(), point.y()}));
        showStep();
        return;
    }
    if (!calibrationSettled_) {
        askForCalibration();
        return;
    }
    record(point);
}

void ManualCommand::askForCalibration() {
    const QMessageBox::StandardButton answer = session_.dialogs().message(
        windows_.overlay, MessageKind::Confirmation, QString::fromUtf8(kKalibrierenFrage),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        kalibrierenBtnClick();
    else
        calibrationSettled_ = true;
}

void ManualCommand::record(QPoint point) {
    session_.sound().play(QStringLiteral("SNDGEFUNDEN"));
    Measurement& s = session_.state();
    const int row = writeManualRow(s.track(1), {s.film.timing, s.range.start, s.calibration},
                                   player_.currentFrame(), {point.x(), point.y()});
    if (row > 0) tables_.refresh(1, row);
}

void ManualCommand::overlayMouseMove(QPoint point) {
    const Measurement& s = session_.state();
    windows_.control->setCoordinates(QString::fromStdString(mouseLabelX(s.calibration, point.x())),
                                     QString::fromStdString(mouseLabelY(s.calibration, point.y())));
    windows_.control->zeigeLupe(windows_.overlay->shownPicture(), point);
}

void ManualCommand::kalibrierenBtnClick() {
    if (!running_ || !run_.begin(calibrationTarget(session_.state(), CalibrationKind::Manual),
                                 CalibrationKind::Manual, picture_))
        return;
    calibrationSettled_ = true;
    windows_.control->setShrunk(true);  // so it covers none of the picture
    showStep();
}

void ManualCommand::originClicked() {
    if (!running_ || run_.running()) return;
    calibrationSettled_ = true;
    const QMessageBox::StandardButton answer = session_.dialogs().message(
        windows_.control, MessageKind::Confirmation, QString::fromUtf8(kZeitNullpunktFrage),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Abort);
    if (answer == QMessageBox::Abort) return;
    run_.begin(calibrationTarget(session_.state(), CalibrationKind::ManualOrigin),
               CalibrationKind::ManualOrigin, picture_, answer == QMessageBox::Yes);
    windows_.control->setShrunk(true);
    showStep();
}

void ManualCommand::showStep() {
    measuring_.set(false);
    if (!run_.running()) {
        runEnded();
        return;
    }
    if (const char* prompt = run_.prompt())
        session_.dialogs().message(windows_.overlay, MessageKind::Information,
                                   QString::fromUtf8(prompt), QMessageBox::Ok);
    if (run_.awaitsClick())
        measuring_.set(true);
    else if (run_.step() == CalibrationStep::Length)
        windows_.lengthWindow->laengeErfragen();
}

void ManualCommand::lengthTyped(const QString& text) {
    if (!run_.running() || run_.step() != CalibrationStep::Length) return;
    const std::optional<double> length = readLength(text.toStdString());
    if (!length) return;  // 0, empty or no number: the window stays and waits
    Messages messages;
    run_.length(target(), *length, messages);
    windows_.lengthWindow->finish();
    show(messages);
    showStep();
}

void ManualCommand::runEnded() {
    tables_.refresh(1, -1);
    tables_.refresh(2, -1);
    if (run_.timeOriginMoved()) {
        // This frame becomes the start of the sequence: time 0 and row 1.
        const int now = player_.currentFrame();
        player_.sequence().setStartBar(now);
        goTo(now);
    }
    windows_.control->setShrunk(false);
}

void ManualCommand::evaluationClicked() {
    const ManualEvaluationCheck check = checkManualEvaluation(session_.state().grid(1));
    if (!check.refusal.empty()) {
        session_.dialogs().message(windows_.control, MessageKind::Information,
                                   QString::fromStdString(check.refusal), QMessageBox::Ok);
        return;
    }
    if (!check.warning.empty())
        session_.dialogs().message(windows_.control, MessageKind::Warning,
                                   QString::fromStdString(check.warning), QMessageBox::Ok);
    if (windows_.openEvaluation) windows_.openEvaluation();
}

void ManualCommand::finish() {
    if (!running_) return;
    running_ = false;
    playTimer_->stop();
    Measurement& s = session_.state();
    if (run_.running()) {
        run_.abandon(target());
        windows_.lengthWindow->finish();
        windows_.control->setShrunk(false);
    }
    measuring_.set(false);
    windows_.overlay->hide();
    windows_.overlay->unsetCursor();
    windows_.mainWindow->show();
    calibrationSettled_ = false;
    s.calibration.factorMPerPx = 1.0;
    s.grid(1).setRowCount(2);
    tables_.refresh(1, -1);
    s.display.analyseColour1 = colour1Before_;
    s.display.analyseColour2 = colour2Before_;
    // The origin was in pixels of the full-screen picture; the display window's clicks and
    // the searches work in frame pixels, so it goes back to the frame's bottom-left corner.
    s.calibration.origin.x = 0;
    s.calibration.origin.y = s.film.size.height;
    windows_.display->show();
    // The film is left at its first frame.
    player_.goToFrame(player_.frameCount());
    player_.goToFrame(0);
    if (windows_.control->isVisible()) windows_.control->hide();
}

void ManualCommand::aufgeben() {
    if (!running_) return;
    running_ = false;
    playTimer_->stop();
    run_.abandon(target());
    windows_.lengthWindow->finish();
    measuring_.set(false);
    windows_.overlay->hide();
    windows_.control->hide();
}

CalibrationTarget ManualCommand::target() {
    return calibrationTarget(session_.state(), run_.kind());
}

void ManualCommand::show(const Messages& messages) {
    for (const std::string& text : messages)
        session_.dialogs().message(windows_.overlay, MessageKind::Information,
                                   QString::fromStdString(text), QMessageBox::Ok);
}

void ManualCommand::chooseCursor(int number) {
    cursor_ = number;
    windows_.overlay->setCursor(programCursor(number));
}

}  // namespace zebak::gui
