#include "gui/calibration/CalibrationCommand.h"

#include <QApplication>
#include <QPushButton>

#include "core/FilmLoad.h"
#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayInputRouter.h"
#include "gui/display/DisplayWindow.h"
#include "gui/kit/Cursors.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/tracking/GuiFeedback.h"
#include "gui/tracking/PositionTables.h"

namespace zebak::gui {

CalibrationCommand::CalibrationCommand(Session& session, QPushButton* button,
                                       DisplayWindow* display,
                                       CalibrationLengthWindow* lengthWindow,
                                       GuiDisplayFeedback& displayFeedback, PositionTables& tables,
                                       QObject* owner)
    : QObject(owner),
      session_(session),
      button_(button),
      display_(display),
      lengthWindow_(lengthWindow),
      displayFeedback_(displayFeedback),
      tables_(tables) {
    connect(button_, &QPushButton::clicked, this, &CalibrationCommand::calibrateClicked);
    connect(lengthWindow_, &CalibrationLengthWindow::laengeEingegeben, this,
            &CalibrationCommand::lengthTyped);
}

void CalibrationCommand::calibrateClicked() {
    Measurement& s = session_.state();
    if (session_.film() == nullptr ||
        !run_.begin(target(), CalibrationKind::Main, {s.film.size.width, s.film.size.height}))
        return;
    button_->setEnabled(false);
    // The two points are clicked on the picture at its native size.
    displayFeedback_.showFullFrame(true, false);
    display_->show();
    display_->raise();
    showStep();
}

CalibrationTarget CalibrationCommand::target() {
    return calibrationTarget(session_.state(), CalibrationKind::Main);
}

void CalibrationCommand::followStep() {
    // The display window's next click means what the step waits for; while the run waits for
    // the length or the answer, clicks pick no colour.
    ClickMode mode = run_.running() ? ClickMode::CalibrationWaiting : ClickMode::PickColour;
    if (run_.step() == CalibrationStep::StartPoint) mode = ClickMode::CalibrationStart;
    if (run_.step() == CalibrationStep::EndPoint) mode = ClickMode::CalibrationEnd;
    if (run_.step() == CalibrationStep::Origin) mode = ClickMode::CalibrationOrigin;
    if (input_ != nullptr) input_->setClickMode(mode);
}

void CalibrationCommand::showStep() {
    followStep();
    measuring_.set(false);
    switch (run_.step()) {
        case CalibrationStep::StartPoint:
        case CalibrationStep::EndPoint:
            // Over the display window, which stays on top of the main window.
            session_.dialogs().message(display_, MessageKind::Information,
                                       QString::fromUtf8(run_.prompt()), QMessageBox::Ok);
            measuring_.set(true);
            return;
        case CalibrationStep::Length:
            putDisplayBack();
            lengthWindow_->laengeErfragen();
            return;
        case CalibrationStep::OriginQuestion:
            askOrigin();
            return;
        case CalibrationStep::Origin:
            measuring_.set(true);
            return;
        case CalibrationStep::Idle:
            finished();
            return;
    }
}

void CalibrationCommand::displayClicked(QPoint point) {
    if (!run_.running() || !run_.awaitsClick()) return;
    const Measurement& s = session_.state();
    const FrameSize frame{s.film.size.width, s.film.size.height};
    PixelPoint p{point.x(), point.y()};
    // A click on a scaled picture (the origin on the reduced display of a film taller than 288
    // rows, the points on a full frame larger than the screen) is a point of the frame, mapped
    // through the size the picture is shown at.
    const QSize shown = display_->clientSize();
    p = shownToFrame(p, {shown.width(), shown.height()}, frame);
    show(run_.click(target(), p));
    showStep();
}

void CalibrationCommand::lengthTyped(const QString& text) {
    if (run_.step() != CalibrationStep::Length) return;
    const std::optional<double> length = readLength(text.toStdString());
    if (!length) return;  // 0, empty or no number: the window stays and waits
    Messages messages;
    run_.length(target(), *length, messages);
    lengthWindow_->finish();
    show(messages);
    showStep();
}

void CalibrationCommand::askOrigin() {
    const QMessageBox::StandardButton answer = session_.dialogs().message(
        display_, MessageKind::Confirmation, QString::fromUtf8(kNullpunktFrage),
        QMessageBox::Yes | QMessageBox::No);
    show(run_.originAnswer(target(), answer == QMessageBox::Yes));
    showStep();
}

void CalibrationCommand::finished() {
    putDisplayBack();
    tables_.refresh(1, -1);
    tables_.refresh(2, -1);
    button_->setEnabled(true);
}

void CalibrationCommand::abandon() {
    if (!run_.running()) return;
    run_.abandon(target());
    followStep();
    lengthWindow_->finish();
    measuring_.set(false);
    putDisplayBack();
    button_->setEnabled(true);
}

void CalibrationCommand::show(const Messages& messages) {
    for (const std::string& text : messages)
        session_.dialogs().message(display_, MessageKind::Information, QString::fromStdString(text),
                                   QMessageBox::Ok);
}

void CalibrationCommand::putDisplayBack() {
    displayFeedback_.showFullFrame(false, false);
    display_->update();
}

}  // namespace zebak::gui
