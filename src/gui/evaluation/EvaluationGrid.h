#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include "core/Kinematics.h"

namespace zebak::gui {

/// Table model over one evaluation grid: the grid's row 0 is the header, its other rows the
/// model's rows; an edit in a cell is an edit of the grid's text.
class EvaluationGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    /// The grid must outlive the model.
    explicit EvaluationGridModel(TextGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The grid was replaced or emptied from outside: the views read it anew.
    void reload();
    /// The shapes of the data texts of a column that may be its widest: of those at most two
    /// characters shorter than its longest, one text per shape (every digit written as 0;
    /// digits are equally wide, a point or a sign narrower).
    QStringList longestTexts(int column) const;

  private:
    TextGrid& grid_;
    /// Columns the views know of, so an emptied grid keeps its header columns.
    int columns_ = 0;
};

/// One grid of the evaluation window (Tabelle1, tabelle1v, ...): no border, grid lines, range
/// selection, editable cells that take only number keys, the header row in the colour's
/// colour. A key released in it is reported, so the diagram is redrawn from the texts.
class EvaluationGrid : public QTableView {
    Q_OBJECT
  public:
    /// widths: the narrowest column widths in pixels (a column grows to its widest text,
    /// header included); extraHeight: added to rows x row height.
    EvaluationGrid(TextGrid& grid, const std::vector<int>& widths, int extraHeight,
                   QWidget* parent = nullptr);
    EvaluationGridModel* tableModel() const { return model_; }
    /// Sets the header row's colour.
    void setHeaderColour(const QColor& colour);
    QColor headerColour() const { return headerColour_; }
    /// After a fill: the height for the row count, the first row half high when `halfFirstRow`,
    /// and the last row current.
    void fitToRows(bool halfFirstRow);

  Q_SIGNALS:
    /// A key was released in the grid or its cell editor.
    void keyReleased();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void applyWidths();

    EvaluationGridModel* model_ = nullptr;
    std::vector<int> widths_;
    QColor headerColour_;
    int extraHeight_ = 0;
};

}  // namespace zebak::gui
