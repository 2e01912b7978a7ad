// Updates of the position tables and the settings pages that the analyses ask for.
#include <QTabWidget>
#include <QTableWidget>

#include "gui/app/TForm1.h"

namespace zebak::gui {

namespace {

/// Writes one row of the grid into the table, reusing the cells that are there.
void zeileSchreiben(QTableWidget* tabelle, const PositionGrid& grid, int row) {
    for (int c = 0; c < PositionGrid::kColumns; ++c) {
        const QString text = QString::fromStdString(grid.cell(row, c));
        if (QTableWidgetItem* zelle = tabelle->item(row, c))
            zelle->setText(text);
        else
            tabelle->setItem(row, c, new QTableWidgetItem(text));
    }
}

}  // namespace

void TForm1::tabellenAktualisieren(SlotNumber slot, int row) {
    QTableWidget* tabelle = slot == 2 ? Tabelle2 : tabelle1;
    const PositionGrid& grid = state_.tabelle(slot);
    if (tabelle->rowCount() != grid.rowCount()) tabelle->setRowCount(grid.rowCount());
    if (row < 0) {
        for (int r = 0; r < grid.rowCount(); ++r) zeileSchreiben(tabelle, grid, r);
        return;
    }
    if (row >= grid.rowCount()) return;
    zeileSchreiben(tabelle, grid, row);
    // The newest row stays in sight while the film runs.
    if (row == grid.rowCount() - 1) tabelle->scrollToItem(tabelle->item(row, 0));
}

void TForm1::tabellenZeigen() {
    tabelle1->show();
    Tabelle2->setVisible(state_.analyse.anzeige.farbe2Analysieren);
}

void TForm1::farbeAnzeigen(SlotNumber, bool) {
    // The colour settings pages show the working colour and its swatch; nothing to show here
    // until they are built.
}

void TForm1::seiteZeigen(SlotNumber slot) { PageControl1->setCurrentIndex(slot == 2 ? 1 : 0); }

}  // namespace zebak::gui
