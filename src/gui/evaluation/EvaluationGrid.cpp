#include "gui/evaluation/EvaluationGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <set>
#include <string>

#include "gui/kit/PositionTableModel.h"

namespace zebak::gui {

namespace {
/// Room beside a cell's text: the cell's margins and the grid line.
constexpr int kCellPadding = 12;
}  // namespace

EvaluationGridModel::EvaluationGridModel(TextGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
    columns_ = grid_.empty() ? 0 : static_cast<int>(grid_.front().size());
}

int EvaluationGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || grid_.empty()) return 0;
    return static_cast<int>(grid_.size()) - 1;
}

int EvaluationGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant EvaluationGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(gridCell(grid_, index.row() + 1, index.column()));
}

bool EvaluationGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const auto row = static_cast<std::size_t>(index.row() + 1);
    const auto column = static_cast<std::size_t>(index.column());
    if (row >= grid_.size() || column >= grid_[row].size()) return false;
    grid_[row][column] = value.toString().toStdString();
    Q_EMIT dataChanged(index, index);
    return true;
}

QVariant EvaluationGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromStdString(gridCell(grid_, 0, section));
}

Qt::ItemFlags EvaluationGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QStringList EvaluationGridModel::longestTexts(int column) const {
    const auto c = static_cast<std::size_t>(column);
    std::size_t longest = 0;
    for (std::size_t row = 1; row < grid_.size(); ++row)
        if (c < grid_[row].size()) longest = std::max(longest, grid_[row][c].size());
    // Texts that differ only in their digits are equally wide: one of each shape is enough.
    std::set<std::string> shapes;
    for (std::size_t row = 1; row < grid_.size(); ++row) {
        if (c >= grid_[row].size() || grid_[row][c].size() + 2 < longest) continue;
        std::string shape = grid_[row][c];
        for (char& ch : shape)
            if (ch >= '1' && ch <= '9') ch = '0';
        shapes.insert(std::move(shape));
    }
    QStringList texts;
    for (const std::string& shape : shapes) texts << QString::fromStdString(shape);
    return texts;
}

void EvaluationGridModel::reload() {
    beginResetModel();
    if (!grid_.empty()) columns_ = static_cast<int>(grid_.front().size());
    endResetModel();
}

EvaluationGrid::EvaluationGrid(TextGrid& grid, const std::vector<int>& widths, int extraHeight,
                               QWidget* parent)
    : QTableView(parent), widths_(widths), extraHeight_(extraHeight) {
    model_ = new EvaluationGridModel(grid, this);
    setModel(model_);
    setItemDelegate(new NumberDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    verticalHeader()->hide();
    // The first velocity row is drawn half high.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(20);
    applyWidths();
}

void EvaluationGrid::applyWidths() {
    // A model reset forgets the sections, so the widths are set again after every fill.
    // Each column is as wide as its widest text, header included, and never narrower than
    // its written width, so no header is clipped and no number elided.
    const QFontMetrics metrics(font());
    const int columns = std::min(static_cast<int>(widths_.size()), model_->columnCount());
    int total = 0;
    for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
        int width = widths_[static_cast<std::size_t>(c)];
        if (c < columns) {
            width = std::max(width, horizontalHeader()->sectionSizeHint(c));
            for (const QString& text : model_->longestTexts(c))
                width = std::max(width, metrics.horizontalAdvance(text) + kCellPadding);
        }
        setColumnWidth(c, width);
        total += width;
    }
    setFixedWidth(total + 2);
}

void EvaluationGrid::setHeaderColour(const QColor& colour) {
    headerColour_ = colour;
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: white; }")
            .arg(colour.name()));
}

void EvaluationGrid::fitToRows(bool halfFirstRow) {
    model_->reload();
    applyWidths();
    const int rowHeight = verticalHeader()->defaultSectionSize();
    // Row 0 of the grid is the header; together with the data rows that is the grid's count.
    const int rows = model_->rowCount() + 1;
    setFixedHeight(rowHeight * rows + extraHeight_);
    // Each velocity row stands between the two position rows it was computed from.
    if (halfFirstRow && model_->rowCount() > 0) verticalHeader()->resizeSection(0, rowHeight / 2);
    if (model_->rowCount() > 0) setCurrentIndex(model_->index(model_->rowCount() - 1, 0));
}

void EvaluationGrid::keyPressEvent(QKeyEvent* event) {
    if (!swallowFilteredKey(event)) QTableView::keyPressEvent(event);
}

void EvaluationGrid::keyReleaseEvent(QKeyEvent* event) {
    QTableView::keyReleaseEvent(event);
    Q_EMIT keyReleased();
}

}  // namespace zebak::gui
