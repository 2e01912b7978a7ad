#pragma once

#include <QElapsedTimer>

#include "core/AnalysisEvents.h"
#include "gui/kit/Session.h"
#include "gui/tracking/GuiFeedback.h"

namespace zebak::gui {

class Session;

/// The analysis loops' view of the windows: message boxes through the session's dialogs, the
/// clips, and the pauses in which events are handled; the run's events become the button,
/// indicator, cursor, bars, tables and pictures of the display and table feedback. With the
/// brake at 0 the events are handled at most every kRundeMs milliseconds, and never more
/// often than the screen refreshes, so the display and result windows are repainted at most
/// at its refresh rate (not once per frame), and the table rows written since the last round
/// are shown together. After each pause the running job is
/// read anew from the measurement, so a setting changed meanwhile counts from the next frame.
class GuiHost final : public UserDialogs, public AnalysisEvents {
  public:
    /// The session and the parts must outlive the host.
    GuiHost(Session& session, const AnalysisParts& parts);
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    /// What the loops take.
    operator RunPorts() { return {*this, *this, session_.runControl()}; }
    GuiDisplayFeedback& display() { return display_; }

    /// A command starts over this job, which the pauses keep in step with the measurement.
    void commandStarted(AnalysisJob& job);
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

    void started(RunKind kind, const AnalysisJob& job) override;
    void frameShown(int n) override;
    void frameAnalysed(SlotNumber slot, int frame, const FrameResult& result) override;
    void rowWritten(SlotNumber slot, int row) override;
    void rangeChanged(FrameRange range) override;
    void colourAdopted(SlotNumber slot, bool adopted) override;
    void questionOpen(bool open) override;
    void finished(RunKind kind, RunStatus status) override;

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
    AnalysisJob* job_ = nullptr;
    RunKind kind_ = RunKind::FilmAnalysis;
    QElapsedTimer sinceRound_;
    int roundMs_ = kRundeMs;  // the least time between rounds for the screen shown on
};

}  // namespace zebak::gui
