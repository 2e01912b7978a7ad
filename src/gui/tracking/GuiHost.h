#pragma once

#include <QElapsedTimer>

#include "core/AnalysisHost.h"
#include "gui/tracking/GuiFeedback.h"

namespace zebak::gui {

class Session;

/// The analysis loops' view of the windows: message boxes through the session's dialogs, the
/// clips, and the pauses in which events are handled; the display and table feedback are
/// parts of their own. With the brake at 0 the events are handled at most every kRundeMs
/// milliseconds, and the table rows written since the last round are shown together.
class GuiHost final : public UserDialogs {
  public:
    /// The session and the parts must outlive the host.
    GuiHost(Session& session, const AnalysisParts& parts);
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    /// The three concerns the loops take.
    operator AnalysisHost() { return {*this, display_, tables_}; }
    GuiDisplayFeedback& display() { return display_; }

    /// A command starts: the windows keep their run state until commandEnded().
    void commandStarted();
    /// The command has ended: the rows are shown, "Abbrechen" and the indicator go.
    void commandEnded();
    /// True between commandStarted() and commandEnded().
    bool running() const { return running_; }
    /// The program is closing: every later pause stops the running analysis, also the pass
    /// of the second colour, which would otherwise start afresh.
    void stopOnClose();

    void pause(int ms) override;
    void showMessage(const std::string& text) override;
    DialogAnswer messageDialog(DialogKind kind, const std::string& text,
                               DialogButtons buttons) override;
    void messageBeep(int type) override;
    void playSound(SoundClip clip) override;

    /// Least time between two rounds of event processing with the brake at 0, milliseconds.
    static constexpr int kRundeMs = 20;

  private:
    /// Handles pending events (repaints, clicks, keys) after showing the written rows.
    void eventRound();

    Session& session_;
    QWidget* mainWindow_;
    GuiDisplayFeedback display_;
    GuiTableFeedback tables_;
    bool running_ = false;
    bool closing_ = false;
    QElapsedTimer sinceRound_;
};

}  // namespace zebak::gui
