#include "gui/kit/PositionTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/NumberText.h"

namespace zebak::gui {

QString numberKey(int key, const QString& text) {
    if (text.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape ||
        key == Qt::Key_Delete)
        return text;
    const QChar c = text.front();
    if (c.unicode() > 127) return {};
    const char gefiltert = nurzahlen(static_cast<char>(c.unicode()));
    if (gefiltert == 0) return {};
    return QString(QLatin1Char(gefiltert));
}

// ---- model --------------------------------------------------------------------------------

PositionTableModel::PositionTableModel(PositionGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), knownRows_(grid.rowCount() - 1) {}

int PositionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : knownRows_;
}

int PositionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : PositionGrid::kColumns;
}

QVariant PositionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(grid_.cell(index.row() + 1, index.column()));
}

bool PositionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    grid_.setCell(index.row() + 1, index.column(), value.toString().toStdString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant PositionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return QString::fromStdString(grid_.cell(0, section));
}

Qt::ItemFlags PositionTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void PositionTableModel::refreshRow(int row) {
    const int zeilen = grid_.rowCount() - 1;
    if (row < 0 || zeilen != knownRows_) {
        // The grid has already changed its size: the views must start afresh.
        beginResetModel();
        knownRows_ = zeilen;
        endResetModel();
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, PositionGrid::kColumns - 1);
        return;
    }
    if (row >= 1 && row <= zeilen)
        Q_EMIT dataChanged(index(row - 1, 0), index(row - 1, PositionGrid::kColumns - 1));
}

void PositionTable::fitTimeColumn(int first, int last) {
    const QFontMetrics metrics(font());
    int width = model_->rowCount() == 0 ? writtenTimeWidth_ : columnWidth(0);
    for (int row = std::max(first, 0); row <= last && row < model_->rowCount(); ++row) {
        const QString text = model_->data(model_->index(row, 0), Qt::DisplayRole).toString();
        width = std::max(width, metrics.horizontalAdvance(text) + 8);
    }
    if (width != columnWidth(0)) setColumnWidth(0, width);
}

void PositionTable::follow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    // The scroll bar's range follows a grown model only at the next layout; scrolling before
    // it would stop at the old end.
    updateGeometries();
    scrollTo(model_->index(row, 0));
}

// ---- editing ------------------------------------------------------------------------------

QWidget* NumberDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->installEventFilter(const_cast<NumberDelegate*>(this));
    return editor;
}

bool NumberDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* zeile = qobject_cast<QLineEdit*>(watched);
    if (zeile != nullptr && event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        const QString text = numberKey(taste->key(), taste->text());
        if (text.isEmpty() && !taste->text().isEmpty()) return true;  // discarded
        if (text != taste->text()) {
            zeile->insert(text);  // "," typed as "."
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

// ---- view ---------------------------------------------------------------------------------

PositionTable::PositionTable(PositionGrid& grid, const std::array<int, 3>& widths, QWidget* parent)
    : QTableView(parent) {
    model_ = new PositionTableModel(grid, this);
    setModel(model_);
    setItemDelegate(new NumberDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    writtenTimeWidth_ = widths[0];
    for (int c = 0; c < 3; ++c) setColumnWidth(c, widths.at(static_cast<std::size_t>(c)));
    // Rows are added at the end (the model starts afresh then), or change one at a time.
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { fitTimeColumn(model_->rowCount() - 1, model_->rowCount() - 1); });
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                fitTimeColumn(from.row(), to.row());
            });
    verticalHeader()->setDefaultSectionSize(20);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    QFont schrift = font();
    schrift.setBold(true);
    schrift.setPixelSize(11);
    setFont(schrift);
    setStyleSheet(QStringLiteral("QTableView { background: #FFFBF0; }"));
}

bool swallowFilteredKey(QKeyEvent* event) {
    // A key the filter discards must not open the cell's editor either.
    const QString text = numberKey(event->key(), event->text());
    if (!text.isEmpty() || event->text().isEmpty()) return false;
    event->accept();
    return true;
}

void PositionTable::keyPressEvent(QKeyEvent* event) {
    if (!swallowFilteredKey(event)) QTableView::keyPressEvent(event);
}

}  // namespace zebak::gui
