// Loading a film: the open dialog, measuring the frame size, opening it into the display
// window, the resets of a reload, and the switch to automatic mode.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <initializer_list>

#include "core/VideoSize.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TForm1.h"
#include "gui/positions/PositionTableModel.h"
#include "gui/search/TForm3.h"
#include "gui/search/TForm4.h"
#include "media/FfmsFrameSource.h"

namespace zebak::gui {

namespace {
const QString kVerringert = QStringLiteral("720x576, verringert auf 360/288");
}

void TForm1::Film_LadenClick() {
    const QString gewaehlt = dialogs_.openFilmName(this);
    // A cancelled dialog loads the previous film again; before the first film nothing happens.
    const QString name = gewaehlt.isEmpty() ? QString::fromStdString(state_.Filmname) : gewaehlt;
    if (name.isEmpty()) return;
    filmLaden(name);
}

void TForm1::Filmladen1Click() {
    // The same as the start button, except that a successful load first resets the screen.
    Film_LadenClick();
}

std::unique_ptr<FfmsFrameSource> TForm1::oeffnen(const QString& path) {
    std::unique_ptr<ProgressTask> fortschritt =
        dialogs_.beginProgress(this, QStringLiteral("Film wird vorbereitet …"));
    const OpenProgress melden = [&fortschritt](double anteil) {
        return fortschritt->update(anteil);
    };
    try {
        return FfmsFrameSource::open(path.toStdString(), melden);
    } catch (const FilmOpenCancelled&) {
        return nullptr;  // the user's own choice: no message
    } catch (const std::exception& fehler) {
        fortschritt.reset();
        dialogs_.message(this, MessageKind::Error, QString::fromUtf8(fehler.what()),
                         QMessageBox::Ok);
        return nullptr;
    }
}

bool TForm1::filmLaden(const QString& path) {
    // The new film is opened before anything changes, so a film that fails to open or an
    // open that is cancelled leaves the program exactly as it was.
    std::unique_ptr<FfmsFrameSource> neu = oeffnen(path);
    if (!neu) return false;
    if (film_) menueZuruecksetzen();
    spielerHalt();
    fenster_.form3->setSource(neu.get());
    film_ = std::move(neu);
    state_.Filmname = path.toStdString();
    Videoabmessungen();
    Videooeffnen();
    nachDemLaden();
    return true;
}

namespace {
void verstecken(std::initializer_list<QWidget*> teile) {
    for (QWidget* w : teile) w->hide();
}
}  // namespace

void TForm1::menueZuruecksetzen() {
    verstecken({PageControl1, ScrollBarBremse, Panel3, Panel4});
    Stroboskopbild1->setChecked(false);
    verstecken({suchbereicheinschraenken, DiagrammBtn, EichenBtn, Memo1, Memo2});
    state_.Eichfaktor = 1.0;
    for (SlotNumber n : {1, 2}) {
        state_.tabelle(n).reset();
        tabellenAktualisieren(n, -1);
    }
    tabelle1->hide();
    Tabelle2->hide();
    verstecken(
        {AnalyseBtn, FilmAnalyseBtn, fenster_.form3, fenster_.form3->Panel1(), fenster_.form4});
    fenster_.form4->imagecreate();
}

void TForm1::Videoabmessungen() {
    const FilmInfo& info = film_->info();
    state_.Videobreite = info.nativeSize.width;
    state_.Videohoehe = info.nativeSize.height;
    Label5->setText(
        QStringLiteral("Abmessungen:%1/%2").arg(state_.Videobreite).arg(state_.Videohoehe));
    if (isReducedPal(info.nativeSize)) {
        state_.Videobreite = 360;
        state_.Videohoehe = 288;
        Label5->setText(kVerringert);
    }
    state_.Anzeigebreite = state_.Videobreite;
    state_.Anzeigehoehe = state_.Videohoehe;
    Bildnummer();
    state_.SuchbereichLinks = 0;
    state_.SuchbereichOben = 0;
    state_.SuchbereichRechts = state_.Videobreite;
    state_.SuchbereichUnten = state_.Videohoehe;
    const int anzahl = bildanzahl();
    for (QScrollBar* bar : {ScrollBar1, ScrollBar2, ScrollBar3}) bar->setMaximum(anzahl);
    ScrollBar3->setValue(anzahl);
    ScrollBar2->setValue(0);
    state_.NullpunktY = state_.Videohoehe;
    state_.NullpunktX = 0;
    // The film's own rate, so that times in the tables are right without a manual change.
    SpinEdit1->setValue(info.fps > 0.0 ? std::max(1, static_cast<int>(std::lround(info.fps))) : 25);
}

void TForm1::Videooeffnen() {
    TForm3* anzeige = fenster_.form3;
    if (state_.Videohoehe <= 288)
        anzeige->setClientSize(state_.Videobreite, state_.Videohoehe);
    else
        anzeige->setClientSize(384, 288);  // shown reduced; the picture is scaled into it
    anzeige->move(pos() + QPoint(10, 49));
    if (Label5->text() == kVerringert) {
        const QSize s = anzeige->clientSize();
        anzeige->Panel1()->setGeometry(s.width() - 1, s.height() - 1, 1, 1);
        anzeige->Panel1()->show();
        Pause(100);
    }
    anzeige->show();
}

void TForm1::nachDemLaden() {
    MediaPlayer1->setFixedWidth(231);
    Panel1->show();
    Film_Laden->hide();
    Panel2->show();
    Panel2->raise();
    Label2->setText(QStringLiteral("0"));
    Label3->setText(QString::number(bildanzahl()));
    Timer1->start();
    gehezu(bildanzahl());
    gehezu(0);
    Image1->hide();
    gehezu(ScrollBar1->value());
    Pause(100);
    setWindowTitle(QStringLiteral("ZEBAK - ") +
                   QFileInfo(QString::fromStdString(state_.Filmname)).fileName());
}

void TForm1::AutomatischBtnClick() {
    state_.Eichfaktor = 1.0;
    state_.Anzeigebreite = state_.Videobreite;
    state_.Anzeigehoehe = state_.Videohoehe;
    Panel2->hide();
    Panel3->show();
    for (QPushButton* b :
         {suchbereicheinschraenken, AnalyseBtn, EichenBtn, FilmAnalyseBtn, DiagrammBtn})
        b->show();
    Image1->hide();
    PageControl1->show();
    Stroboskopbild1->setEnabled(true);
    ScrollBarBremse->show();
    labelbremse->show();
}

}  // namespace zebak::gui
