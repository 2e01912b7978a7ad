#pragma once

#include <QObject>
#include <QPoint>

#include "core/Calibration.h"

class QPushButton;
class QString;

#include "gui/kit/Cursors.h"

namespace zebak::gui {

class DisplayInputRouter;
class GuiDisplayFeedback;
class PositionTables;
class Session;
class DisplayWindow;
class CalibrationLengthWindow;

/// "Kalibrierung" of the main window (EichenBtnClick): the two clicks of the calibration line
/// on the display window shown at the film's native size, the length in the window
/// "Kalibrierung", the optional origin click, and the rows recomputed. The sequence lives in
/// a CalibrationRun; this part only feeds it clicks and answers, so nothing waits in a loop
/// and the windows stay responsive.
class CalibrationCommand : public QObject {
    Q_OBJECT
  public:
    /// The parts must outlive the command; `button` is EichenBtn.
    CalibrationCommand(Session& session, QPushButton* button, DisplayWindow* display,
                       CalibrationLengthWindow* lengthWindow, GuiDisplayFeedback& displayFeedback,
                       PositionTables& tables, QObject* owner);

    /// EichenBtnClick: starts a calibration; ignored without a film or while one runs.
    void calibrateClicked();
    /// A click on the display window while a point is awaited (display pixels).
    void displayClicked(QPoint point);
    /// True while a calibration runs.
    bool running() const { return run_.running(); }
    /// The program closes: a running calibration is given up and its windows put back.
    void abandon();
    /// The display window's input, whose click mode follows the run's step.
    void setInput(DisplayInputRouter* input) { input_ = input; }

  private:
    CalibrationTarget target();
    void followStep();
    void lengthTyped(const QString& text);
    void showStep();
    void askOrigin();
    void finished();
    void show(const Messages& messages);
    void putDisplayBack();

    Session& session_;
    QPushButton* button_;
    DisplayWindow* display_;
    CalibrationLengthWindow* lengthWindow_;
    GuiDisplayFeedback& displayFeedback_;
    PositionTables& tables_;
    CalibrationRun run_;
    DisplayInputRouter* input_ = nullptr;
    MeasuringCursor measuring_;
};

}  // namespace zebak::gui
