#pragma once

#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "core/AnalysisEvents.h"
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

/// What a run shows on the display and result windows, the found indicator, "Abbrechen" and
/// the cursor. Repaints are requested with update(), so each window paints at most once per
/// round of event processing, however often a frame draws into it.
class GuiDisplayFeedback final {
  public:
    /// The state and the parts must outlive the feedback.
    GuiDisplayFeedback(const Measurement& state, const AnalysisParts& parts);

    /// A command starts: the result window is placed afresh when it is shown.
    void commandStarted();
    /// The command has ended: hides "Abbrechen" and the indicator, default cursor.
    void commandEnded();

    /// The found indicator `Panel5`: green "erkannt" or red "nicht erkannt".
    void showFound(bool found);
    void showAbortButton(bool visible);
    void showFoundIndicator(bool visible);
    void setBusyCursor(bool busy);
    void showResultWindow(bool visible);
    void resultImageChanged();
    void setDisplayFullSize(bool fullSize);
    /// The display window at the full frame (`fullSize`) or back at its own size. With
    /// `clearOfTables` (an analysis) it also keeps clear of the tables and "Abbrechen";
    /// without (the calibration's points) only the screen limits it.
    void showFullFrame(bool fullSize, bool clearOfTables);
    void showDisplayWindow(bool visible);
    /// A white cross of 5 by 5 pixels at (x, y), frame pixels, on the live picture of the
    /// display window; it goes when the window shows another frame.
    void paintDisplayCross(int x, int y);
    void frameShown(int n);
    /// The end bar of the restricted sequence (`ScrollBar3`) moves to `position`.
    void endBarMoved(int position);

  private:
    /// The screen, the main window's client origin, the display's place and the frame.
    ScreenLayoutInput layoutInput() const;
    const Measurement& state_;
    AnalysisParts parts_;
    CrossOverlay* crosses_ = nullptr;
    bool busy_ = false;
    bool resultPlaced_ = false;
    bool fullSize_ = false;
    QPoint displayPos_;
    QSize displaySize_;
};

/// What a run shows in the position tables and the settings pages. While a command runs the
/// rows written are collected and shown together at the next round of events (flush()), so
/// that drawing does not hold the analysis back.
class GuiTableFeedback final {
  public:
    /// The parts must outlive the feedback.
    GuiTableFeedback(PositionTables& tables, SettingsPages& pages);

    /// Rows are collected (true, while a command runs) or shown at once (false).
    void setCollecting(bool collecting) { collecting_ = collecting; }
    /// Shows the rows written since the last flush, the last one first, so that each table
    /// grows once.
    void flush();

    /// Rewrites the slot's RGB fields from its working colour; `swatch` redraws its swatch.
    void workingColourChanged(SlotNumber slot, bool swatch);
    void showSettingsPage(SlotNumber slot);
    /// The tables were emptied: they show so, Tabelle2 only when colour 2 is analysed.
    void positionTablesPrepared();
    void positionRowWritten(SlotNumber slot, int row);

  private:
    PositionTables& tables_;
    SettingsPages& pages_;
    bool collecting_ = false;
    std::array<std::vector<int>, 2> pendingRows_;
};

}  // namespace zebak::gui
