#include "gui/tracking/PositionTables.h"

#include <QPlainTextEdit>
#include <algorithm>

#include "core/FilmLoad.h"
#include "core/WindowLayout.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/PositionTableModel.h"
#include "gui/kit/Session.h"

namespace zebak::gui {

namespace {
const QString kZuWenig = QStringLiteral("Es sind noch nicht genug Messwerte erfasst worden.");
/// The evaluation needs a header row and at least three data rows.
constexpr int kMinimumRows = 4;
}  // namespace

PositionTables::PositionTables(Session& session, QWidget* area, QObject* owner)
    : QObject(owner), session_(session) {
    Measurement& state = session_.state();
    tabelle1_ = new PositionTable(state.grid(1), {50, 71, 74}, area);
    tabelle1_->setObjectName(QStringLiteral("tabelle1"));
    tabelle1_->setGeometry(541, 384, 220, 120);
    tabelle2_ = new PositionTable(state.grid(2), {48, 74, 73}, area);
    tabelle2_->setObjectName(QStringLiteral("Tabelle2"));
    tabelle2_->setGeometry(773, 384, 220, 120);
    tabelle1_->hide();
    tabelle2_->hide();
    for (QPlainTextEdit** memo : {&memo1_, &memo2_}) {
        *memo = new QPlainTextEdit(area);
        (*memo)->setObjectName(memo == &memo1_ ? QStringLiteral("Memo1") : QStringLiteral("Memo2"));
        (*memo)->hide();
    }
}

void PositionTables::refresh(SlotNumber slot, int row) {
    table(slot)->tableModel()->refreshRow(row);
}

void PositionTables::followRow(SlotNumber slot, int row) { table(slot)->follow(row - 1); }

void PositionTables::setTablesHeight(int height) {
    const int h = std::max(height, written::kTablesHeight);
    for (PositionTable* t : {tabelle1_, tabelle2_}) t->resize(t->width(), h);
}

bool PositionTables::shown() const { return tabelle1_->isVisible(); }

QWidget* PositionTables::area() const { return tabelle1_->parentWidget(); }

void PositionTables::showPrepared() {
    for (SlotNumber n : {1, 2}) refresh(n, -1);
    tabelle1_->show();
    if (session_.state().display.analyseColour2) tabelle2_->show();
}

void PositionTables::hideTables() {
    tabelle1_->hide();
    tabelle2_->hide();
}

void PositionTables::reset() {
    for (SlotNumber n : {1, 2}) {
        session_.state().grid(n).reset();
        refresh(n, -1);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{tabelle1_, tabelle2_, memo1_, memo2_})
        w->hide();
}

void PositionTables::evaluationClicked() {
    const Measurement& state = session_.state();
    const SlotNumber first = firstAnalysedSlot(state.display);
    if (first != 0 && state.grid(first).rowCount() < kMinimumRows) {
        session_.dialogs().message(tabelle1_->window(), MessageKind::Information, kZuWenig,
                                   QMessageBox::Ok);
        return;
    }
    Q_EMIT evaluationRequested();
}

}  // namespace zebak::gui
