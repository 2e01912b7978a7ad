// The search area and the display window's input: "Suchgebiet" arms a selection, a drag on
// the display window draws the rectangle, the release takes it (scaled from a reduced
// display) after asking; the right button steps one frame, other clicks set calibration
// points or pick a colour; any key asks a running analysis to stop.
#include <QApplication>
#include <QPushButton>
#include <utility>

#include "gui/app/Dialogs.h"
#include "gui/app/TForm1.h"
#include "gui/search/TForm3.h"

namespace zebak::gui {

namespace {
const QString kEinschraenken = QStringLiteral(
    "Möchten Sie den Suchbereich einschränken? Dann ziehen Sie bitte einen Markierungsrahmen "
    "auf dem Video.");
const QString kGanzesBild =
    QStringLiteral("Abbruch: Das Programm untersucht den ganzen Bildbereich");
/// The reduced display of a film higher than this is 384 by 288 pixels.
constexpr int kReduziertBreite = 384;
constexpr int kReduziertHoehe = 288;
}  // namespace

void TForm1::anzeigeVerbinden() {
    TForm3* anzeige = fenster_.form3;
    if (anzeige == nullptr) return;
    connect(anzeige, &TForm3::FormMouseDown, this, &TForm1::Form3MouseDown);
    connect(anzeige, &TForm3::FormMouseMove, this, &TForm1::Form3MouseMove);
    connect(anzeige, &TForm3::FormMouseUp, this, &TForm1::Form3MouseUp);
    connect(anzeige, &TForm3::FormKeyDown, this, &TForm1::Form3KeyDown);
}

void TForm1::suchbereicheinschraenkenClick() {
    if (dialogs_.message(this, MessageKind::Information, kEinschraenken,
                         QMessageBox::Yes | QMessageBox::Abort) == QMessageBox::Abort)
        return;
    // The disabled button tells the display window that the next press starts a rectangle.
    suchbereicheinschraenken->setEnabled(false);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    fenster_.form3->cursorEinschraenken(true);
}

void TForm1::Form3MouseDown(Qt::MouseButton button, QPoint punkt) {
    const int x = punkt.x();
    const int y = punkt.y();
    if (button == Qt::RightButton) {
        gehezu(aktuellesBild() + 1);
        return;
    }
    if (!suchbereicheinschraenken->isEnabled()) {
        state_.SuchbereichLinks = state_.SuchbereichRechts = x;
        state_.SuchbereichOben = state_.SuchbereichUnten = y;
        fenster_.form3->rahmenZeichnen(x, y, x, y);
        RahmenZiehen = true;
        return;
    }
    // A running calibration waits for its points here (and then picks no colour).
    if (state_.Eichschritt == 1) {
        state_.EichpunktAX = x;
        state_.EichpunktAY = y;
    } else if (state_.Eichschritt == 2) {
        state_.EichpunktBX = x;
        state_.EichpunktBY = y;
    } else if (state_.Eichschritt == 3) {
        state_.NullpunktX = x;
        state_.NullpunktY = y;
    }
    if (state_.EichungLaeuft == 0) {
        state_.KlickX = x;
        state_.KlickY = y;
        clickfarbe();
    }
}

void TForm1::Form3MouseMove(QPoint punkt) {
    if (!RahmenZiehen) return;
    TForm3* anzeige = fenster_.form3;
    ProgramState& s = state_;
    anzeige->rahmenZeichnen(s.SuchbereichLinks, s.SuchbereichOben, s.SuchbereichRechts,
                            s.SuchbereichUnten);  // erases the last one
    s.SuchbereichRechts = punkt.x();
    s.SuchbereichUnten = punkt.y();
    anzeige->rahmenZeichnen(s.SuchbereichLinks, s.SuchbereichOben, s.SuchbereichRechts,
                            s.SuchbereichUnten);
}

void TForm1::Form3MouseUp(Qt::MouseButton, QPoint) {
    // Only the release that ends a drawn rectangle ends the selection: the release of a right
    // click, which steps a frame, leaves the selection armed. The corner is the last move's.
    if (suchbereicheinschraenken->isEnabled() || !RahmenZiehen) return;
    ProgramState& s = state_;
    RahmenZiehen = false;
    QApplication::restoreOverrideCursor();
    suchbereicheinschraenken->setEnabled(true);
    fenster_.form3->rahmenZeichnen(s.SuchbereichLinks, s.SuchbereichOben, s.SuchbereichRechts,
                                   s.SuchbereichUnten);
    suchbereichNormalisieren();
    fenster_.form3->cursorEinschraenken(false);
    if (s.Anzeigehoehe > kReduziertHoehe) {
        // Drawn on the reduced display: back to frame pixels, product first.
        piepen(1);
        s.SuchbereichLinks = s.Anzeigebreite * s.SuchbereichLinks / kReduziertBreite;
        s.SuchbereichRechts = s.Anzeigebreite * s.SuchbereichRechts / kReduziertBreite;
        s.SuchbereichOben = s.Anzeigehoehe * s.SuchbereichOben / kReduziertHoehe;
        s.SuchbereichUnten = s.Anzeigehoehe * s.SuchbereichUnten / kReduziertHoehe;
    }
    const QString frage = QStringLiteral("Horizontal%1-%2\n\rVertikal:%3-%4")
                              .arg(s.SuchbereichLinks)
                              .arg(s.SuchbereichRechts)
                              .arg(s.SuchbereichOben)
                              .arg(s.SuchbereichUnten);
    if (dialogs_.message(this, MessageKind::Information, frage,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        s.SuchbereichLinks = 0;
        s.SuchbereichOben = 0;
        s.SuchbereichRechts = s.Videobreite;
        s.SuchbereichUnten = s.Videohoehe;
        dialogs_.message(this, MessageKind::Information, kGanzesBild, QMessageBox::Ok);
    }
}

void TForm1::suchbereichNormalisieren() {
    ProgramState& s = state_;
    if (s.SuchbereichRechts < s.SuchbereichLinks)
        std::swap(s.SuchbereichLinks, s.SuchbereichRechts);
    if (s.SuchbereichUnten < s.SuchbereichOben) std::swap(s.SuchbereichOben, s.SuchbereichUnten);
}

void TForm1::Form3KeyDown() { state_.Abbruch = true; }

}  // namespace zebak::gui
