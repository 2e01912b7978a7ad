// The position tables tabelle1 and Tabelle2 shown over the program's grids, and the checks
// of "Auswertung" before the evaluation window opens.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "gui/app/Dialogs.h"
#include "gui/app/TForm1.h"
#include "gui/positions/PositionTableModel.h"

namespace zebak::gui {

namespace {
const QString kZuWenig = QStringLiteral("Es sind noch nicht genug Messwerte erfasst worden.");
/// The evaluation needs a header row and at least three data rows.
constexpr int kMindestZeilen = 4;
}  // namespace

void TForm1::baueTabellen() {
    tabelle1 = new PositionTable(state_.tabelle(1), {50, 71, 74}, centralWidget());
    tabelle1->setObjectName(QStringLiteral("tabelle1"));
    tabelle1->setGeometry(541, 384, 220, 120);
    Tabelle2 = new PositionTable(state_.tabelle(2), {48, 74, 73}, centralWidget());
    Tabelle2->setObjectName(QStringLiteral("Tabelle2"));
    Tabelle2->setGeometry(773, 384, 220, 120);
    tabelle1->hide();
    Tabelle2->hide();
    for (QPlainTextEdit** memo : {&Memo1, &Memo2}) {
        *memo = new QPlainTextEdit(centralWidget());
        (*memo)->setObjectName(memo == &Memo1 ? QStringLiteral("Memo1") : QStringLiteral("Memo2"));
        (*memo)->hide();
    }
    tabellenKnoepfeVerbinden();
}

void TForm1::tabellenKnoepfeVerbinden() {
    // The buttons stand before the tables are built; their handlers live with these parts.
    connect(DiagrammBtn, &QPushButton::clicked, this, &TForm1::DiagrammBtnClick);
    connect(suchbereicheinschraenken, &QPushButton::clicked, this,
            &TForm1::suchbereicheinschraenkenClick);
}

PositionTable* TForm1::tabelle(SlotNumber slot) const { return slot == 1 ? tabelle1 : Tabelle2; }

void TForm1::teileUeberDemZustandLoeschen() {
    delete tabelle1;
    delete Tabelle2;
    delete PageControl1;
    delete Panel3;
    tabelle1 = Tabelle2 = nullptr;
    PageControl1 = nullptr;
    Panel3 = nullptr;
}

void TForm1::tabellenAktualisieren(SlotNumber slot, int row) {
    tabelle(slot)->modell()->aktualisieren(row);
}

void TForm1::tabellenZeigen() {
    for (SlotNumber n : {1, 2}) tabellenAktualisieren(n, -1);
    tabelle1->show();
    if (state_.analyse.anzeige.farbe2Analysieren) Tabelle2->show();
}

void TForm1::DiagrammBtnClick() {
    const ResultDisplay& anzeige = state_.analyse.anzeige;
    // The colour evaluated first is colour 1 when it is analysed, else colour 2.
    const SlotNumber zuerst = anzeige.farbe1Analysieren ? 1 : anzeige.farbe2Analysieren ? 2 : 0;
    if (zuerst != 0 && state_.tabelle(zuerst).rowCount() < kMindestZeilen) {
        dialogs_.message(this, MessageKind::Information, kZuWenig, QMessageBox::Ok);
        return;
    }
    // The evaluation window is not built yet: the button ends after its checks.
}

}  // namespace zebak::gui
