#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "core/Calibration.h"

class QTimer;
class QWidget;

#include "gui/kit/Cursors.h"

namespace zebak::gui {

class PlayerPanel;
class PositionTables;
class Session;
class DisplayWindow;
class CalibrationLengthWindow;
class ManualControlWindow;
class ManualOverlay;

/// The windows manual capture works with.
struct ManualWindows {
    QWidget* mainWindow = nullptr;
    DisplayWindow* display = nullptr;
    CalibrationLengthWindow* lengthWindow = nullptr;
    ManualControlWindow* control = nullptr;
    ManualOverlay* overlay = nullptr;
    /// Opens the evaluation window (`TForm8`) for the captured table.
    std::function<void()> openEvaluation;
};

/// Manual capture ("Manuell", ManuellBtnClick): the film full-screen in the overlay, a left
/// click records the position of the frame shown into tabelle1, a right click steps one frame,
/// the window "Manuell" steps, plays, calibrates, moves the origin and opens the evaluation.
/// Calibration and origin moves run as a CalibrationRun fed by the overlay's clicks.
class ManualCommand : public QObject {
    Q_OBJECT
  public:
    /// The session, the player, the tables and the windows must outlive the command.
    ManualCommand(Session& session, PlayerPanel& player, PositionTables& tables,
                  const ManualWindows& windows, QObject* owner);

    /// ManuellBtnClick: starts manual capture; ignored without a film or while it runs.
    void manualClicked();
    /// True from the start until the window "Manuell" is closed.
    bool running() const { return running_; }
    /// FormClose of "Manuell": the main window back, the factor reset, the film at frame 0.
    void finish();
    /// The program closes: the capture stops where it is and its windows go.
    void aufgeben();

    /// The calibration or origin move of the capture.
    const CalibrationRun& calibrationRun() const { return run_; }
    /// The question whether to calibrate first is settled (`EichungErledigt`).
    bool calibrationSettled() const { return calibrationSettled_; }
    /// The size of the overlay's picture the clicks are made in.
    FrameSize pictureSize() const { return picture_; }

  private:
    /// The target of the run going on: the manual line, the origin and the tables.
    CalibrationTarget target();
    void connectControl();
    void startCaptureState();
    void showOverlay();
    void askForCalibration();
    void overlayMouseDown(Qt::MouseButton button, QPoint point, bool inPicture);
    void overlayMouseMove(QPoint point);
    void record(QPoint point);
    void goTo(int frame);
    void playTick();
    void kalibrierenBtnClick();
    /// `NullpunktBtnClick`.
    void originClicked();
    /// `DiagrammBtnClick`.
    void evaluationClicked();
    void lengthTyped(const QString& text);
    void showStep();
    void runEnded();
    void show(const Messages& messages);
    void chooseCursor(int number);

    Session& session_;
    PlayerPanel& player_;
    PositionTables& tables_;
    ManualWindows windows_;
    CalibrationRun run_;
    /// The question whether to calibrate first is settled (`EichungErledigt`).
    bool calibrationSettled_ = false;
    /// The size of the overlay's picture the clicks are made in, pixels.
    FrameSize picture_;
    QTimer* playTimer_ = nullptr;
    bool running_ = false;
    MeasuringCursor measuring_;
    int cursor_ = 1;
    /// The colours chosen for analysis before the capture, given back when it ends.
    bool colour1Before_ = true;
    bool colour2Before_ = false;
};

}  // namespace zebak::gui
