#pragma once

#include <QObject>
#include <array>
#include <memory>

#include "core/Stroboscope.h"

class QLabel;
class QPushButton;
class QWidget;

namespace zebak::gui {

class GuiHost;
class PlayerPanel;
class PositionTables;
class Session;
class SettingsPages;
class DisplayWindow;
class ResultWindow;

/// The analysis commands of the main window: the button column ("Suchgebiet",
/// "Bildanalyse", "Kalibrierung", "Filmanalyse", "Auswertung"), "Abbrechen", the found
/// indicator Panel5, and the host through which the core loops reach the windows.
class AnalysisCommands : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden buttons and the indicator on `area`.
    AnalysisCommands(Session& session, QWidget* area, QObject* owner);
    ~AnalysisCommands() override;

    /// Makes the host over the windows and parts a loop reports to; call once.
    void attach(DisplayWindow* display, ResultWindow* results, PlayerPanel& player,
                SettingsPages& pages, PositionTables& tables);
    /// Shows (automatic mode) or hides (a new film) the button column.
    void setButtonsShown(bool shown);
    QPushButton* areaButton() const { return column_[AreaButton]; }
    QPushButton* evaluationButton() const { return column_[EvaluationButton]; }
    /// "Kalibrierung" (EichenBtn).
    QPushButton* calibrationButton() const { return column_[CalibrationButton]; }
    /// The host over the windows, nullptr before attach().
    GuiHost* host() const { return host_.get(); }
    /// "Stroboskopbild": builds the stroboscopic picture into the search result window.
    void runStroboscope(const StroboOptions& options);
    /// True while a command runs.
    bool running() const;
    /// The program is closing: a running analysis stops at its next pause.
    void stopOnClose();

  Q_SIGNALS:
    /// A command started (true) or ended (false).
    void runningChanged(bool running);

  private:
    void buildIndicator(QWidget* area);
    template <typename Command>
    void run(Command command);

    Session& session_;
    DisplayWindow* display_ = nullptr;
    std::unique_ptr<GuiHost> host_;
    /// The button column, top to bottom.
    enum Column {
        AreaButton,
        StillFrameButton,
        CalibrationButton,
        FilmButton,
        EvaluationButton,
        ButtonCount
    };
    std::array<QPushButton*, ButtonCount> column_{};
    QPushButton* abortButton_ = nullptr;
    QLabel* panel5_ = nullptr;
};

}  // namespace zebak::gui
