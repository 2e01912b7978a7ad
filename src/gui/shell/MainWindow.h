#pragma once

#include <QMainWindow>
#include <QString>

#include "core/Measurement.h"

class QWidget;

namespace zebak {
class FrameSource;
}

namespace zebak::gui {

class AnalysisCommands;
class CalibrationCommand;
class ManualCommand;
class DisplayInputRouter;
class MainMenu;
class PlayerPanel;
class PositionTables;
class ProjectCommands;
class StrobePanel;
class Session;
class SettingsPages;
class StartScreen;
class DisplayWindow;
class ResultWindow;
class CalibrationLengthWindow;
class ManualControlWindow;
class ManualOverlay;
class EvaluationWindow;
class InformationDialog;

/// The secondary windows the main window works with; all created before it is used.
struct SecondaryWindows {
    DisplayWindow* displayWindow = nullptr;
    ResultWindow* resultWindow = nullptr;
    CalibrationLengthWindow* calibrationWindow = nullptr;
    ManualControlWindow* manualWindow = nullptr;
    ManualOverlay* overlayWindow = nullptr;
    EvaluationWindow* evaluationWindow = nullptr;
    InformationDialog* infoDialog = nullptr;
};

/// Main window (`TForm1`): a shell that composes the start screen, the player panel, the settings
/// pages, the display input, the analysis commands, the position tables, the stroboscope
/// panel and the menu, and loads films (chosen, or dragged onto it).
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    /// Builds the window with its start values over the session, which must outlive it.
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Hands over the secondary windows; call once, right after they are created.
    void setSecondaryWindows(const SecondaryWindows& windows);

    Session& session() { return session_; }
    /// The session's state (a shorthand for the tests and the windows).
    Measurement& state();
    /// The open film, nullptr before the first successful load.
    FrameSource* film() const;

    /// Loads the film at path as if it had been chosen in the open dialog; false when it
    /// could not be opened (the error box has been shown) or opening was cancelled. Without
    /// `askTimes` "Zeiten aus dem Film" is not asked for (an opened analysis sets it).
    bool loadFilm(const QString& path, bool askTimes = true);
    /// Opens a project file as "Analyse öffnen …" does, any other file as a film.
    void openFile(const QString& path);
    /// `AutomatischBtnClick`.
    void automaticClicked();
    /// The start screen's "Automatisch", as if clicked (an opened analysis).
    void chooseAutomatic();

    PlayerPanel& player() { return *player_; }
    SettingsPages& pages() { return *pages_; }
    AnalysisCommands& commands() { return *commands_; }
    PositionTables& tables() { return *tables_; }
    CalibrationCommand& calibration() { return *calibration_; }
    ManualCommand& manual() { return *manual_; }
    ProjectCommands& projects() { return *projects_; }
    DisplayInputRouter& input() { return *input_; }

  Q_SIGNALS:
    /// The main window was closed: the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    /// `Film_LadenClick`.
    void loadFilmClicked();
    void resetForNewFilm();
    /// A film chosen or dropped by the user: loaded after the project's changes were asked
    /// about, and the analysis then belongs to no project file.
    void loadOtherFilm(const QString& path);
    /// The menu entry "Stroboskopbild" switched the stroboscope mode on or off.
    /// (`Stroboskopbild1Click`)
    void strobeModeToggled(bool on);

    Session& session_;
    SecondaryWindows windows_;
    StartScreen* start_ = nullptr;
    PlayerPanel* player_ = nullptr;
    SettingsPages* pages_ = nullptr;
    AnalysisCommands* commands_ = nullptr;
    PositionTables* tables_ = nullptr;
    StrobePanel* strobe_ = nullptr;
    DisplayInputRouter* input_ = nullptr;
    CalibrationCommand* calibration_ = nullptr;
    ManualCommand* manual_ = nullptr;
    MainMenu* menu_ = nullptr;
    ProjectCommands* projects_ = nullptr;
};

}  // namespace zebak::gui
