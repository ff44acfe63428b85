#include "platform/ListboxModel.h"

#include "platform/Text.h"

#include <algorithm>
#include <iterator>
#include <numeric>

ListboxModel::ListboxModel(QObject* parent) : QAbstractTableModel(parent), headings_(1) {}

int ListboxModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_;
}

int ListboxModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ListboxModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
    const Cell& cell = At(index.row(), index.column());
    if (role == Qt::DisplayRole) return cell.text;
    if (role == Qt::UserRole) return cell.tag;
    return QVariant();
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Vertical) return section + 1;
    return Heading(section);
}

void ListboxModel::SetColumnCount(int count) {
    count = std::max(1, count);
    if (count == columns_) return;
    beginResetModel();
    ReleaseSpareCells();
    std::vector<Cell> cells(static_cast<size_t>(rows_) * count);
    const int kept = std::min(count, columns_);
    for (int row = 0; row < rows_; ++row)
        for (int column = 0; column < kept; ++column)
            cells[static_cast<size_t>(row) * count + column] = std::move(At(row, column));
    cells_ = std::move(cells);
    columns_ = count;
    headings_.resize(count);
    endResetModel();
}

QString ListboxModel::Heading(int column) const {
    return column >= 0 && column < columns_ ? headings_[column] : QString();
}

void ListboxModel::SetHeading(int column, const QString& text) {
    if (column < 0 || column >= columns_) return;
    headings_[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListboxModel::AppendRow(const QString& firstCell) {
    const size_t first = static_cast<size_t>(rows_) * columns_;
    if (cells_.size() < first + columns_) {
        cells_.resize(first + columns_);
    } else {
        // A row left from the last fill. Its texts are let go here, just
        // before the new ones are set: when a refill puts the same games back
        // (a repaint, another highlight mode), each string is then touched
        // once, while in the cache, instead of once to clear and once to fill.
        for (size_t i = first + 1; i < first + columns_; ++i) cells_[i] = Cell();
        cells_[first].tag = 0;
    }
    cells_[first].text = firstCell;
    ++rows_;
    QueuePublish();
}

void ListboxModel::Clear() {
    // A removal, not a reset, so that the views keep their column widths.
    const bool removing = published_ > 0;
    if (removing) beginRemoveRows(QModelIndex(), 0, published_ - 1);
    // The cells stay for the refill to reuse, until it is published.
    rows_ = 0;
    published_ = 0;
    if (removing) endRemoveRows();
    QueuePublish();
}

void ListboxModel::QueuePublish() {
    if (publishQueued_) return;
    // Rows added by a handler that never refreshes still show once the event
    // loop runs again.
    publishQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            publishQueued_ = false;
            Publish();
        },
        Qt::QueuedConnection);
}

void ListboxModel::Publish() {
    ReleaseSpareCells();
    if (rows_ == published_) return;
    beginInsertRows(QModelIndex(), published_, rows_ - 1);
    published_ = rows_;
    endInsertRows();
}

void ListboxModel::ReleaseSpareCells() {
    cells_.resize(static_cast<size_t>(rows_) * columns_);
}

void ListboxModel::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= columns_) return;
    Publish();
    std::vector<int> order(rows_);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = TextCompare(At(a, column).text, At(b, column).text);
        return ascending ? c < 0 : c > 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(rows_);
    std::vector<Cell> sorted;
    sorted.reserve(cells_.size());
    for (int i = 0; i < rows_; ++i) {
        newRow[order[i]] = i;
        const auto first = cells_.begin() + static_cast<ptrdiff_t>(order[i]) * columns_;
        std::move(first, first + columns_, std::back_inserter(sorted));
    }
    cells_ = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(this->index(newRow[index.row()], index.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListboxModel::CellChanged(int row, int column) {
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}
