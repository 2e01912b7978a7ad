#include "gui/tracking/GuiHost.h"

#include <QCoreApplication>

#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "gui/kit/Sound.h"
#include "gui/kit/WidgetKit.h"

namespace zebak::gui {

namespace {

MessageKind artVon(DialogKind kind) {
    switch (kind) {
        case DialogKind::Information:
            return MessageKind::Information;
        case DialogKind::Warning:
            return MessageKind::Warning;
        case DialogKind::Confirmation:
            return MessageKind::Confirmation;
        case DialogKind::Error:
            return MessageKind::Error;
    }
    return MessageKind::Plain;
}

QMessageBox::StandardButtons knoepfeVon(DialogButtons buttons) {
    switch (buttons) {
        case DialogButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case DialogButtons::YesAbort:
            return QMessageBox::Yes | QMessageBox::Abort;
        case DialogButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

DialogAnswer antwortVon(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok:
            return DialogAnswer::Ok;
        case QMessageBox::Yes:
            return DialogAnswer::Yes;
        case QMessageBox::No:
            return DialogAnswer::No;
        case QMessageBox::Abort:
            return DialogAnswer::Abort;
        default:
            return DialogAnswer::Closed;
    }
}

}  // namespace

GuiHost::GuiHost(Session& session, const AnalysisParts& parts)
    : session_(session),
      mainWindow_(parts.mainWindow),
      display_(session.state(), parts),
      tables_(*parts.tables, *parts.pages) {}

void GuiHost::commandStarted() {
    running_ = true;
    sinceRound_.start();
    display_.commandStarted();
    tables_.setCollecting(true);
}

void GuiHost::commandEnded() {
    running_ = false;
    tables_.setCollecting(false);
    tables_.flush();
    display_.commandEnded();
}

void GuiHost::stopOnClose() {
    closing_ = true;
    session_.state().Abbruch = true;
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
    } else if (!sinceRound_.isValid() || sinceRound_.elapsed() >= kRundeMs) {
        eventRound();
    }
    if (closing_) session_.state().Abbruch = true;
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
        case SoundClip::Fehler:
            session_.sound().play(QStringLiteral("SNDFEHLER"));
            return;
        case SoundClip::Fehler2:
            session_.sound().play(QStringLiteral("SNDFEHLER2"));
            return;
        case SoundClip::Gefunden:
            session_.sound().play(QStringLiteral("SNDGEFUNDEN"));
            return;
    }
}

}  // namespace zebak::gui
