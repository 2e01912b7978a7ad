#include "gui/tracking/GuiHost.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/FilmLoad.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

namespace {

MessageKind artVon(DialogKind kind) {
    // In the order of DialogKind: Information, Warning, Confirmation, Error.
    static constexpr MessageKind kKinds[] = {MessageKind::Information, MessageKind::Warning,
                                             MessageKind::Confirmation, MessageKind::Error};
    return kKinds[static_cast<int>(kind)];
}

QMessageBox::StandardButtons knoepfeVon(DialogButtons buttons) {
    // In the order of DialogButtons: Ok, YesNo, YesAbort.
    static const QMessageBox::StandardButtons kButtons[] = {
        QMessageBox::Ok, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes | QMessageBox::Abort};
    return kButtons[static_cast<int>(buttons)];
}

DialogAnswer antwortVon(QMessageBox::StandardButton button) {
    static const std::pair<QMessageBox::StandardButton, DialogAnswer> kAnswers[] = {
        {QMessageBox::Ok, DialogAnswer::Ok},
        {QMessageBox::Yes, DialogAnswer::Yes},
        {QMessageBox::No, DialogAnswer::No},
        {QMessageBox::Abort, DialogAnswer::Abort}};
    for (const auto& [pressed, answer] : kAnswers)
        if (pressed == button) return answer;
    return DialogAnswer::Closed;
}

}  // namespace

GuiHost::GuiHost(Session& session, const AnalysisParts& parts)
    : session_(session),
      mainWindow_(parts.mainWindow),
      display_(session.state(), parts),
      tables_(*parts.tables, *parts.pages) {}

void GuiHost::commandStarted(AnalysisJob& job) {
    running_ = true;
    job_ = &job;
    // A screen that refreshes less often than every kRundeMs gets a round per refresh.
    const QScreen* screen = mainWindow_->screen();
    const double hertz = screen != nullptr ? screen->refreshRate() : 0.0;
    roundMs_ =
        hertz > 0.0 ? std::max(kRundeMs, static_cast<int>(std::ceil(1000.0 / hertz))) : kRundeMs;
    sinceRound_.start();
    display_.commandStarted();
    tables_.setCollecting(true);
}

void GuiHost::commandEnded() {
    running_ = false;
    job_ = nullptr;
    tables_.setCollecting(false);
    tables_.flush();
    display_.commandEnded();
}

void GuiHost::stopOnClose() {
    closing_ = true;
    session_.runControl().stopRequested = true;
}

void GuiHost::eventRound() {
    tables_.flush();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceRound_.start();
}

void GuiHost::pause(int ms) {
    // With the brake at 0 the film runs many times faster than a screen refreshes: a round of
    // events every kRundeMs keeps the windows moving and lets "Abbrechen" and keys through
    // without holding the analysis back.
    session_.dialogs().loopPaused();
    if (ms > 0) {
        tables_.flush();
        pauseWithEvents(ms);
        sinceRound_.start();
    } else if (!sinceRound_.isValid() || sinceRound_.elapsed() >= roundMs_) {
        eventRound();
    }
    if (closing_) session_.runControl().stopRequested = true;
    if (job_ != nullptr) refreshJob(*job_, session_.state());
}

void GuiHost::showMessage(const std::string& text) {
    tables_.flush();
    session_.dialogs().message(mainWindow_, MessageKind::Plain, QString::fromStdString(text),
                               QMessageBox::Ok);
}

DialogAnswer GuiHost::messageDialog(DialogKind kind, const std::string& text,
                                    DialogButtons buttons) {
    tables_.flush();
    return antwortVon(session_.dialogs().message(
        mainWindow_, artVon(kind), QString::fromStdString(text), knoepfeVon(buttons)));
}

void GuiHost::messageBeep(int) { session_.sound().beep(); }

void GuiHost::playSound(SoundClip clip) {
    switch (clip) {
        case SoundClip::Error:
            session_.sound().play(QStringLiteral("SNDFEHLER"));
            return;
        case SoundClip::SecondError:
            session_.sound().play(QStringLiteral("SNDFEHLER2"));
            return;
        case SoundClip::Found:
            session_.sound().play(QStringLiteral("SNDGEFUNDEN"));
            return;
    }
}

void GuiHost::started(RunKind kind, const AnalysisJob&) {
    kind_ = kind;
    const bool stillFrame = kind == RunKind::StillFrame;
    display_.showAbortButton(!stillFrame);
    display_.showFoundIndicator(!stillFrame);
    if (kind == RunKind::FilmAnalysis) tables_.positionTablesPrepared();
    display_.setBusyCursor(true);
    display_.showResultWindow(true);
    if (kind != RunKind::Stroboscope) display_.setDisplayFullSize(true);
    display_.resultImageChanged();
}

void GuiHost::frameShown(int n) { display_.frameShown(n); }

void GuiHost::frameAnalysed(SlotNumber, int, const FrameResult& result) {
    if (kind_ == RunKind::FilmAnalysis) display_.showFound(result.found);
    if (result.cross) display_.paintDisplayCross(result.cross->x, result.cross->y);
    display_.resultImageChanged();
}

void GuiHost::rowWritten(SlotNumber slot, int row) { tables_.positionRowWritten(slot, row); }

void GuiHost::rangeChanged(FrameRange range) {
    session_.state().range = range;
    display_.endBarMoved(range.end);
}

void GuiHost::colourAdopted(SlotNumber slot, bool adopted) {
    tables_.workingColourChanged(slot, adopted);
}

void GuiHost::questionOpen(bool open) {
    // The question stands alone on the screen; a reduced display window steps aside too.
    display_.showResultWindow(!open);
    if (isReducedDisplay(session_.state().film.size)) display_.showDisplayWindow(!open);
}

void GuiHost::finished(RunKind kind, RunStatus status) {
    if (status == RunStatus::ColourMissing1 || status == RunStatus::ColourMissing2) {
        tables_.showSettingsPage(status == RunStatus::ColourMissing1 ? 1 : 2);
        return;
    }
    if (kind != RunKind::Stroboscope) display_.setDisplayFullSize(false);
    display_.resultImageChanged();
    display_.setBusyCursor(false);
    display_.showAbortButton(false);
    display_.showFoundIndicator(false);
}

}  // namespace zebak::gui
