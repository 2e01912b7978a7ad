#include "gui/analysis/GuiHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include "core/FilmLoad.h"

#include "gui/analysis/KreuzOverlay.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Session.h"
#include "gui/app/Sound.h"
#include "gui/app/WidgetKit.h"
#include "gui/main/PlayerPanel.h"
#include "gui/main/PositionTables.h"
#include "gui/main/SettingsPages.h"
#include "gui/search/TForm3.h"
#include "gui/search/TForm4.h"

namespace zebak::gui {

namespace {

/// Where the search result window stands during an analysis, screen pixels.
constexpr QPoint kErgebnisOrt(538, 422);
/// Display window top while a film taller than 288 rows is shown at full size, relative to
/// the main window's top.
constexpr int kVollbildOben = 20;

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

GuiHost::GuiHost(Session& session, const AnalyseTeile& teile)
    : session_(session), teile_(teile), kreuze_(new KreuzOverlay(teile.form3)) {}

// The cross layer is a child of the display window, which deletes it.
GuiHost::~GuiHost() = default;

void GuiHost::befehlBeginn() {
    laeuft_ = true;
    seitRunde_.start();
    ergebnisPlatziert_ = false;
}

void GuiHost::befehlEnde() {
    laeuft_ = false;
    tabellenNachziehen();
    showAbortButton(false);
    showFoundIndicator(false);
    setBusyCursor(false);
}

void GuiHost::form1Abbruch() { session_.state().Abbruch = true; }

void GuiHost::tabellenNachziehen() {
    for (SlotNumber slot : {1, 2}) {
        std::vector<int>& zeilen = offeneZeilen_[static_cast<std::size_t>(slot - 1)];
        for (auto it = zeilen.rbegin(); it != zeilen.rend(); ++it)
            teile_.tables->refresh(slot, *it);
        zeilen.clear();
    }
}

void GuiHost::ereignisRunde() {
    tabellenNachziehen();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    seitRunde_.start();
}

void GuiHost::pause(int ms) {
    // With the brake at 0 the film runs many times faster than a screen refreshes: a round of
    // events every kRundeMs keeps the windows moving and lets "Abbrechen" and keys through
    // without holding the analysis back.
    if (ms > 0) {
        tabellenNachziehen();
        pauseWithEvents(ms);
        seitRunde_.start();
    } else if (!seitRunde_.isValid() || seitRunde_.elapsed() >= kRundeMs) {
        ereignisRunde();
    }
    if (schliessen_) form1Abbruch();
}

void GuiHost::showMessage(const std::string& text) {
    tabellenNachziehen();
    session_.dialogs().message(teile_.mainWindow, MessageKind::Plain, QString::fromStdString(text),
                               QMessageBox::Ok);
}

DialogAnswer GuiHost::messageDialog(DialogKind kind, const std::string& text,
                                    DialogButtons buttons) {
    tabellenNachziehen();
    return antwortVon(session_.dialogs().message(
        teile_.mainWindow, artVon(kind), QString::fromStdString(text), knoepfeVon(buttons)));
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

void GuiHost::foundIndicatorChanged(FoundIndicator indicator) {
    const bool gefunden = indicator == FoundIndicator::Found;
    const QString text = QString::fromUtf8(gefunden ? kErkannt : kNichtErkannt);
    if (teile_.Panel5->text() == text) return;  // no restyling for an unchanged state
    teile_.Panel5->setText(text);
    QPalette farbe = teile_.Panel5->palette();
    farbe.setColor(QPalette::Window, gefunden ? QColor(0, 128, 0) : QColor(255, 0, 0));
    teile_.Panel5->setPalette(farbe);
}

void GuiHost::showAbortButton(bool visible) {
    if (!visible && laeuft_) return;
    teile_.AbbrechenBtn->setVisible(visible);
}

void GuiHost::showFoundIndicator(bool visible) {
    if (!visible && laeuft_) return;
    teile_.Panel5->setVisible(visible);
}

void GuiHost::setBusyCursor(bool busy) {
    if (!busy && laeuft_) return;
    if (busy == beschaeftigt_) return;
    beschaeftigt_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GuiHost::showResultWindow(bool visible) {
    TForm4* ergebnis = teile_.form4;
    if (!visible) {
        ergebnis->hide();
        return;
    }
    // Sized and placed once per command; shown again after the second-search question it
    // stays where the user may have moved it.
    if (!ergebnisPlatziert_) {
        const ProgramState& state = session_.state();
        ergebnis->setClientSize(state.Videobreite, state.Videohoehe);
        ergebnis->move(kErgebnisOrt);
        ergebnisPlatziert_ = true;
    }
    ergebnis->show();
    ergebnis->raise();
    ergebnis->bildGeaendert();
}

void GuiHost::resultImageChanged() { teile_.form4->bildGeaendert(); }

void GuiHost::setDisplayFullSize(bool fullSize) {
    TForm3* anzeige = teile_.form3;
    if (fullSize == vollbild_) return;
    vollbild_ = fullSize;
    if (fullSize) {
        anzeigePos_ = anzeige->pos();
        anzeigeGroesse_ = anzeige->clientSize();
        const ProgramState& state = session_.state();
        anzeige->setClientSize(state.Videobreite, state.Videohoehe);
        if (isReducedDisplay({state.Videobreite, state.Videohoehe}))
            anzeige->move(anzeigePos_.x(), teile_.mainWindow->y() + kVollbildOben);
    } else {
        anzeige->setClientSize(anzeigeGroesse_.width(), anzeigeGroesse_.height());
        anzeige->move(anzeigePos_);
    }
    anzeige->raise();
    anzeige->update();
}

void GuiHost::showDisplayWindow(bool visible) {
    teile_.form3->setVisible(visible);
    if (visible) teile_.form3->update();
}

void GuiHost::paintDisplayCross(int x, int y) { kreuze_->kreuz(x, y); }

void GuiHost::frameShown(int n) {
    kreuze_->bildGezeigt(n);
    teile_.form3->update();
}

void GuiHost::endBarMoved(int position) {
    // The bar's change handler goes to that frame and updates the labels.
    teile_.player->setEndBar(position);
}

void GuiHost::workingColourChanged(SlotNumber slot, bool swatch) {
    teile_.pages->showColour(slot, swatch);
}

void GuiHost::showSettingsPage(SlotNumber slot) { teile_.pages->showPage(slot); }

void GuiHost::positionTablesPrepared() {
    for (std::vector<int>& zeilen : offeneZeilen_) zeilen.clear();
    teile_.tables->refresh(1, -1);
    teile_.tables->refresh(2, -1);
    teile_.tables->showPrepared();
}

void GuiHost::positionRowWritten(SlotNumber slot, int row) {
    // Outside a command (nothing would show the row later) the table follows at once.
    if (!laeuft_) {
        teile_.tables->refresh(slot, row);
        return;
    }
    offeneZeilen_[slot == 2 ? 1 : 0].push_back(row);
}

}  // namespace zebak::gui
