#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The rows of a Listbox. Appended rows reach the views in batches: they are
// stored at once, and Publish() (or the event loop, soon after) tells the
// views about all of them with one insertion, so a refill of 10000 rows costs
// one removal and one insertion.
class ListboxModel : public QAbstractTableModel {
public:
    explicit ListboxModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int ColumnCount() const { return columns_; }
    void SetColumnCount(int count);  // at least 1
    QString Heading(int column) const;
    void SetHeading(int column, const QString& text);

    // Every row, published or not.
    int RowCount() const { return rows_; }
    int PublishedRowCount() const { return published_; }
    void AppendRow(const QString& firstCell);
    void Clear();
    void Publish();

    // Cells outside the rows and columns read as empty and ignore writes.
    // A refill writes every cell of every row, so these stay inline.
    QString Text(int row, int column) const {
        return Contains(row, column) ? At(row, column).text : QString();
    }
    void SetText(int row, int column, const QString& text) {
        if (!Contains(row, column)) return;
        At(row, column).text = text;
        if (row < published_) CellChanged(row, column);
    }
    int Tag(int row, int column) const { return Contains(row, column) ? At(row, column).tag : 0; }
    void SetTag(int row, int column, int tag) {
        if (!Contains(row, column)) return;
        At(row, column).tag = tag;
        if (row < published_) CellChanged(row, column);
    }

    // Stable, by the column's text with letter case ignored.
    void SortByColumn(int column, bool ascending);

private:
    struct Cell {
        QString text;
        int tag = 0;
    };

    bool Contains(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }
    const Cell& At(int row, int column) const {
        return cells_[static_cast<size_t>(row) * columns_ + column];
    }
    Cell& At(int row, int column) { return cells_[static_cast<size_t>(row) * columns_ + column]; }
    void CellChanged(int row, int column);
    void QueuePublish();
    void ReleaseSpareCells();

    // Row by row, ColumnCount() cells each: one allocation for the whole list,
    // kept from one refill to the next. Past RowCount() rows, the cells of the
    // last fill wait for reuse until the rows are published.
    std::vector<Cell> cells_;
    std::vector<QString> headings_;
    int rows_ = 0;
    int columns_ = 1;
    int published_ = 0;
    bool publishQueued_ = false;
};
