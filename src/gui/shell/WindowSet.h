#pragma once

#include <QString>
#include <memory>

#include "gui/shell/MainWindow.h"

namespace zebak::gui {

class Session;

/// The program's eight windows, created once at start in a fixed order and never destroyed
/// before the program ends; only the main window is shown at first.
class WindowSet {
  public:
    /// Creates the windows: main window, display, search results, calibration, manual control,
    /// manual overlay, evaluation, information. The session must outlive the windows.
    explicit WindowSet(Session& session);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    MainWindow& mainWindow() { return *mainWindow_; }
    const SecondaryWindows& secondary() const { return secondary_; }

  private:
    std::unique_ptr<MainWindow> mainWindow_;
    SecondaryWindows secondary_;
};

/// Sets the application's name and the resources; call once after the application object.
void setUpProgram();

}  // namespace zebak::gui
