#include "platform/ListboxModel.h"

#include <algorithm>
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
    const Cell* cell = CellAt(index.row(), index.column());
    if (role == Qt::DisplayRole) return cell->text;
    if (role == Qt::UserRole) return cell->tag;
    return QVariant();
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Vertical) return section + 1;
    return Heading(section);
}

int ListboxModel::ColumnCount() const {
    return columns_;
}

void ListboxModel::SetColumnCount(int count) {
    count = std::max(1, count);
    if (count == columns_) return;
    beginResetModel();
    columns_ = count;
    headings_.resize(count);
    for (Row& row : rows_) row.resize(count);
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

int ListboxModel::RowCount() const {
    return static_cast<int>(rows_.size());
}

int ListboxModel::PublishedRowCount() const {
    return published_;
}

void ListboxModel::AppendRow(const QString& firstCell) {
    Row row(columns_);
    row[0].text = firstCell;
    rows_.push_back(std::move(row));
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

void ListboxModel::Clear() {
    // A removal, not a reset, so that the views keep their column widths.
    if (published_ > 0) beginRemoveRows(QModelIndex(), 0, published_ - 1);
    const bool removing = published_ > 0;
    rows_.clear();
    published_ = 0;
    if (removing) endRemoveRows();
}

void ListboxModel::Publish() {
    const int count = RowCount();
    if (count == published_) return;
    beginInsertRows(QModelIndex(), published_, count - 1);
    published_ = count;
    endInsertRows();
}

QString ListboxModel::Text(int row, int column) const {
    const Cell* cell = CellAt(row, column);
    return cell ? cell->text : QString();
}

void ListboxModel::SetText(int row, int column, const QString& text) {
    if (Cell* cell = CellAt(row, column)) {
        cell->text = text;
        CellChanged(row, column);
    }
}

int ListboxModel::Tag(int row, int column) const {
    const Cell* cell = CellAt(row, column);
    return cell ? cell->tag : 0;
}

void ListboxModel::SetTag(int row, int column, int tag) {
    if (Cell* cell = CellAt(row, column)) {
        cell->tag = tag;
        CellChanged(row, column);
    }
}

void ListboxModel::SortByColumn(int column, bool ascending) {
    if (column < 0 || column >= columns_) return;
    Publish();
    const int count = RowCount();
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = QString::compare(rows_[a][column].text, rows_[b][column].text,
                                       Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(count);
    std::vector<Row> sorted;
    sorted.reserve(count);
    for (int i = 0; i < count; ++i) {
        newRow[order[i]] = i;
        sorted.push_back(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(this->index(newRow[index.row()], index.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const ListboxModel::Cell* ListboxModel::CellAt(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) return nullptr;
    return &rows_[row][column];
}

ListboxModel::Cell* ListboxModel::CellAt(int row, int column) {
    return const_cast<Cell*>(std::as_const(*this).CellAt(row, column));
}

void ListboxModel::CellChanged(int row, int column) {
    // Unpublished rows reach the views whole when they are published.
    if (row >= published_) return;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}
