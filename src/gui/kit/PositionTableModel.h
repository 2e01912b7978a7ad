#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "core/PositionGrid.h"

class QKeyEvent;

namespace zebak::gui {

/// Table model over a position grid (tabelle1 or Tabelle2): the grid's row 0 is the header,
/// its other rows the model's rows; an edit in a cell is an edit of the grid's text.
class PositionTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    /// The grid must outlive the model.
    explicit PositionTableModel(PositionGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The grid changed outside the model: grid row `row` was written (the row count may have
    /// changed with it), or anything changed when row is -1.
    void refreshRow(int row);

  private:
    PositionGrid& grid_;
    /// Data rows the views know of; the grid may already hold another number.
    int knownRows_ = 0;
};

/// Opens cell editors whose typed characters pass the number-key filter nurzahlen.
class NumberDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

/// A position table on the screen (tabelle1, Tabelle2): three columns, the header from the
/// grid's row 0, cream cells in a bold font, editable cells that take only number keys.
class PositionTable : public QTableView {
    Q_OBJECT
  public:
    /// widths: the three column widths in pixels.
    PositionTable(PositionGrid& grid, const std::array<int, 3>& widths, QWidget* parent = nullptr);
    PositionTableModel* tableModel() const { return model_; }
    /// Scrolls so the data row `row` (0 the first) can be seen, also right after the grid
    /// grew (the scroll range is brought up to date first).
    void follow(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    /// Widens the time column where a time in the data rows first..last would not fit (1000 s
    /// and more), so it is shown in full; a table emptied for a new analysis gets its written
    /// width back.
    void fitTimeColumn(int first, int last);

    PositionTableModel* model_ = nullptr;
    int writtenTimeWidth_ = 0;
};

/// The number-key filter applied to one typed key: the character to type instead (the same,
/// or "." for ","), or an empty text when the key is to be discarded. Keys that type no
/// character and the focus keys come back unchanged.
QString numberKey(int key, const QString& text);

/// For a grid's key press: true, with the event accepted, when the number-key filter discards
/// the key, which then must not open the cell's editor either; false when the grid takes it.
bool swallowFilteredKey(QKeyEvent* event);

}  // namespace zebak::gui
