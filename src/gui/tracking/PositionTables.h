#pragma once

#include <QObject>

#include "core/Measurement.h"

class QPlainTextEdit;
class QWidget;

namespace zebak::gui {

class PositionTable;
class Session;

/// The position tables of the main window (tabelle1, Tabelle2) over the program's grids,
/// the hidden memos, and the checks of "Auswertung" before the evaluation window opens.
class PositionTables : public QObject {
    Q_OBJECT
  public:
    /// Builds the hidden tables on `area` over the session's grids.
    PositionTables(Session& session, QWidget* area, QObject* owner);

    /// The view of the slot's table after grid row `row` was written (the grid's row count may
    /// have changed with it); row -1 refreshes the whole table.
    void refresh(SlotNumber slot, int row);
    /// Scrolls the slot's table so grid row `row` (the row being written) can be seen.
    void followRow(SlotNumber slot, int row);
    /// Both tables take this height (at least their written 120 pixels).
    void setTablesHeight(int height);
    /// True while tabelle1 is shown (not in the stroboscope mode, not before an analysis).
    bool shown() const;
    /// The main window's client area the tables stand on.
    QWidget* area() const;
    /// Shows tabelle1, and Tabelle2 too when colour 2 is analysed; called after the tables
    /// were prepared (Tabellenvorbereiten).
    void showPrepared();
    /// Hides both tables, their contents kept (the stroboscope mode).
    void hideTables();
    /// A new film: both grids emptied, the tables and memos hidden.
    void reset();
    /// "Auswertung": refuses with a message while the colour evaluated first has fewer than
    /// three data rows (`DiagrammBtnClick`).
    void evaluationClicked();

  Q_SIGNALS:
    /// The checks of "Auswertung" passed: the evaluation window is to open.
    void evaluationRequested();

  private:
    PositionTable* table(SlotNumber slot) const { return slot == 1 ? tabelle1_ : tabelle2_; }

    Session& session_;
    PositionTable* tabelle1_ = nullptr;
    PositionTable* tabelle2_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QPlainTextEdit* memo2_ = nullptr;
};

}  // namespace zebak::gui
