#pragma once

#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "core/AnalysisHost.h"
#include "core/WindowLayout.h"

class QLabel;
class QPushButton;
class QWidget;

namespace zebak::gui {

class CrossOverlay;
class PlayerPanel;
class PositionTables;
class SettingsPages;
class DisplayWindow;
class ResultWindow;

/// The windows and parts an analysis shows, hides, moves and writes into.
struct AnalysisParts {
    /// The main window: parent of the message boxes, and where the display window goes.
    QWidget* mainWindow = nullptr;
    /// `AbbrechenBtn`.
    QPushButton* abortButton = nullptr;
    /// The found indicator; its label "Objekt" is a child of it (`Panel5`).
    QLabel* foundIndicator = nullptr;
    DisplayWindow* displayWindow = nullptr;
    ResultWindow* resultWindow = nullptr;
    PlayerPanel* player = nullptr;
    SettingsPages* pages = nullptr;
    PositionTables* tables = nullptr;
};

/// Text and colour of the found indicator Panel5.
inline constexpr const char* kErkannt = "erkannt";
inline constexpr const char* kNichtErkannt = "nicht erkannt";

/// The loops' view of the display and result windows, the found indicator, "Abbrechen" and
/// the cursor. Repaints are requested with update(), so each window paints at most once per
/// round of event processing, however often a frame draws into it.
class GuiDisplayFeedback final : public DisplayFeedback {
  public:
    /// The state and the parts must outlive the feedback.
    GuiDisplayFeedback(const ProgramState& state, const AnalysisParts& parts);

    /// A command starts: "Abbrechen", the indicator and the hourglass stay until
    /// commandEnded(), even when a loop of the first colour hides them on its way out.
    void commandStarted();
    /// The command has ended: hides "Abbrechen" and the indicator, default cursor.
    void commandEnded();

    void foundIndicatorChanged(FoundIndicator indicator) override;
    void showAbortButton(bool visible) override;
    void showFoundIndicator(bool visible) override;
    void setBusyCursor(bool busy) override;
    void showResultWindow(bool visible) override;
    void resultImageChanged() override;
    void setDisplayFullSize(bool fullSize) override;
    /// The display window at the full frame (`fullSize`) or back at its own size. With
    /// `clearOfTables` (an analysis) it also keeps clear of the tables and "Abbrechen";
    /// without (the calibration's points) only the screen limits it.
    void showFullFrame(bool fullSize, bool clearOfTables);
    void showDisplayWindow(bool visible) override;
    void paintDisplayCross(int x, int y) override;
    void frameShown(int n) override;
    void endBarMoved(int position) override;

  private:
    /// The screen, the main window's client origin, the display's place and the frame.
    ScreenLayoutInput layoutInput() const;
    const ProgramState& state_;
    AnalysisParts parts_;
    CrossOverlay* crosses_ = nullptr;
    bool running_ = false;
    bool busy_ = false;
    bool resultPlaced_ = false;
    bool fullSize_ = false;
    QPoint displayPos_;
    QSize displaySize_;
};

/// The loops' view of the position tables and the settings pages. While a command runs the
/// rows written are collected and shown together at the next round of events (flush()), so
/// that drawing does not hold the analysis back.
class GuiTableFeedback final : public TableFeedback {
  public:
    /// The parts must outlive the feedback.
    GuiTableFeedback(PositionTables& tables, SettingsPages& pages);

    /// Rows are collected (true, while a command runs) or shown at once (false).
    void setCollecting(bool collecting) { collecting_ = collecting; }
    /// Shows the rows written since the last flush, the last one first, so that each table
    /// grows once.
    void flush();

    void workingColourChanged(SlotNumber slot, bool swatch) override;
    void showSettingsPage(SlotNumber slot) override;
    void positionTablesPrepared() override;
    void positionRowWritten(SlotNumber slot, int row) override;

  private:
    PositionTables& tables_;
    SettingsPages& pages_;
    bool collecting_ = false;
    std::array<std::vector<int>, 2> pendingRows_;
};

}  // namespace zebak::gui
