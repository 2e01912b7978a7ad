#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "core/AnalysisHost.h"

class QLabel;
class QPushButton;
class QWidget;

namespace zebak::gui {

class KreuzOverlay;
class PlayerPanel;
class PositionTables;
class Session;
class SettingsPages;
class TForm3;
class TForm4;

/// The windows and parts an analysis shows, hides, moves and writes into.
struct AnalyseTeile {
    /// The main window: parent of the message boxes, and where the display window goes.
    QWidget* mainWindow = nullptr;
    QPushButton* AbbrechenBtn = nullptr;
    /// The found indicator; its label "Objekt" is a child of it.
    QLabel* Panel5 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    PlayerPanel* player = nullptr;
    SettingsPages* pages = nullptr;
    PositionTables* tables = nullptr;
};

/// Text and colour of the found indicator Panel5.
inline constexpr const char* kErkannt = "erkannt";
inline constexpr const char* kNichtErkannt = "nicht erkannt";

/// The analysis loops' view of the windows: message boxes through Dialogs, the clips, the
/// found indicator, the display and result windows, and the position tables of the main
/// window. Repaints are requested with update(), so each window paints at most once per
/// round of event processing, however often a frame draws into it. With the brake at 0 the
/// events are handled at most every kRundeMs milliseconds, and the table rows written since
/// the last round are shown together, so that drawing does not hold the analysis back.
class GuiHost final : public AnalysisHost {
  public:
    /// The session and the parts must outlive the host.
    GuiHost(Session& session, const AnalyseTeile& teile);
    ~GuiHost() override;
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    /// A command starts: "Abbrechen", the indicator and the hourglass stay until befehlEnde(),
    /// even when a loop of the first colour hides them on its way out.
    void befehlBeginn();
    /// The command has ended: hides "Abbrechen" and the indicator, default cursor.
    void befehlEnde();
    /// True between befehlBeginn() and befehlEnde().
    bool laeuft() const { return laeuft_; }
    /// The program is closing: every later pause stops the running analysis, also the pass
    /// of the second colour, which would otherwise start afresh.
    void abbrechenBeimSchliessen() {
        schliessen_ = true;
        form1Abbruch();
    }

    void pause(int ms) override;
    void showMessage(const std::string& text) override;
    DialogAnswer messageDialog(DialogKind kind, const std::string& text,
                               DialogButtons buttons) override;
    void messageBeep(int type) override;
    void playSound(SoundClip clip) override;
    void foundIndicatorChanged(FoundIndicator indicator) override;
    void showAbortButton(bool visible) override;
    void showFoundIndicator(bool visible) override;
    void setBusyCursor(bool busy) override;
    void showResultWindow(bool visible) override;
    void resultImageChanged() override;
    void setDisplayFullSize(bool fullSize) override;
    void showDisplayWindow(bool visible) override;
    void paintDisplayCross(int x, int y) override;
    void frameShown(int n) override;
    void endBarMoved(int position) override;
    void workingColourChanged(SlotNumber slot, bool swatch) override;
    void showSettingsPage(SlotNumber slot) override;
    void positionTablesPrepared() override;
    void positionRowWritten(SlotNumber slot, int row) override;

    /// Least time between two rounds of event processing with the brake at 0, milliseconds.
    static constexpr int kRundeMs = 20;

  private:
    void form1Abbruch();
    /// Shows the table rows written since the last round, the last one first, so that each
    /// table grows once.
    void tabellenNachziehen();
    /// Handles pending events (repaints, clicks, keys) after showing the written rows.
    void ereignisRunde();

    Session& session_;
    AnalyseTeile teile_;
    KreuzOverlay* kreuze_ = nullptr;
    bool laeuft_ = false;
    bool schliessen_ = false;
    bool beschaeftigt_ = false;
    bool ergebnisPlatziert_ = false;
    bool vollbild_ = false;
    QPoint anzeigePos_;
    QSize anzeigeGroesse_;
    QElapsedTimer seitRunde_;
    std::array<std::vector<int>, 2> offeneZeilen_;
};

}  // namespace zebak::gui
