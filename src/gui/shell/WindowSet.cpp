#include "gui/shell/WindowSet.h"

#include <QApplication>
#include <array>
#include <memory>

#include "gui/calibration/CalibrationLengthWindow.h"
#include "gui/display/DisplayWindow.h"
#include "gui/display/PlayerPanel.h"
#include "gui/display/ResultWindow.h"
#include "gui/evaluation/EvaluationWindow.h"
#include "gui/kit/Sound.h"
#include "gui/manual/ManualControlWindow.h"
#include "gui/manual/ManualOverlay.h"
#include "gui/shell/InformationDialog.h"
#include "gui/tracking/PositionTables.h"

namespace zebak::gui {

void setUpProgram() {
    initResources();
    QApplication::setApplicationName(QStringLiteral("Zebak3"));
    // The desktop matches the windows to the menu entry zebak.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zebak"));
}

WindowSet::WindowSet(Session& session) {
    mainWindow_ = std::make_unique<MainWindow>(session);
    // The secondary windows are top-level windows of their own; deleting them with the
    // main window keeps their lifetime tied to the program's.
    secondary_.displayWindow = new DisplayWindow;
    secondary_.resultWindow = new ResultWindow;
    secondary_.calibrationWindow = new CalibrationLengthWindow;
    secondary_.manualWindow = new ManualControlWindow;
    secondary_.overlayWindow = new ManualOverlay;
    secondary_.evaluationWindow = new EvaluationWindow(session);
    secondary_.infoDialog = new InformationDialog;
    mainWindow_->setSecondaryWindows(secondary_);
    secondary_.evaluationWindow->setShowInfo([info = secondary_.infoDialog] { info->zeigen(); });
    // The display and result windows stay above others; while the evaluation is open they
    // step aside, so they cannot cover its diagram, and come back when it closes.
    auto hidden = std::make_shared<std::array<bool, 2>>();
    QObject::connect(
        &mainWindow_->tables(), &PositionTables::evaluationRequested, secondary_.evaluationWindow,
        [windows = secondary_, hidden] {
            *hidden = {windows.displayWindow->isVisible(), windows.resultWindow->isVisible()};
            windows.displayWindow->hide();
            windows.resultWindow->hide();
            windows.evaluationWindow->openWindow();
        });
    QObject::connect(secondary_.evaluationWindow, &EvaluationWindow::closed,
                     secondary_.displayWindow, [windows = secondary_, hidden] {
                         if ((*hidden)[0]) windows.displayWindow->show();
                         if ((*hidden)[1]) windows.resultWindow->show();
                         *hidden = {false, false};
                     });
    QObject::connect(secondary_.evaluationWindow, &EvaluationWindow::closed, &mainWindow_->player(),
                     &PlayerPanel::makeFilmAppear);
    // Closing the main window ends the program, and the end closes every window: the display
    // window, which otherwise stays while a film is loaded, must not refuse and cancel it.
    QObject::connect(mainWindow_.get(), &MainWindow::closed, secondary_.displayWindow,
                     &DisplayWindow::programEnds);
}

WindowSet::~WindowSet() {
    // The film and the state live in the session, which outlives every window.
    mainWindow_.reset();
    delete secondary_.infoDialog;
    delete secondary_.evaluationWindow;
    delete secondary_.overlayWindow;
    delete secondary_.manualWindow;
    delete secondary_.calibrationWindow;
    delete secondary_.resultWindow;
    delete secondary_.displayWindow;
}

}  // namespace zebak::gui
