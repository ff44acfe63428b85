#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The rows of a Listbox. Appended rows reach the views in batches: they are
// stored at once, and Publish() (or the event loop, soon after) tells the
// views about all of them with one insertion, so a refill of 10000 rows costs
// one reset and one insertion.
class ListboxModel : public QAbstractTableModel {
public:
    explicit ListboxModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int ColumnCount() const;
    void SetColumnCount(int count);  // at least 1
    QString Heading(int column) const;
    void SetHeading(int column, const QString& text);

    // Every row, published or not.
    int RowCount() const;
    int PublishedRowCount() const;
    void AppendRow(const QString& firstCell);
    void Clear();
    void Publish();

    // Cells outside the rows and columns read as empty and ignore writes.
    QString Text(int row, int column) const;
    void SetText(int row, int column, const QString& text);
    int Tag(int row, int column) const;
    void SetTag(int row, int column, int tag);

    // Stable, by the column's text with letter case ignored.
    void SortByColumn(int column, bool ascending);

private:
    struct Cell {
        QString text;
        int tag = 0;
    };
    using Row = std::vector<Cell>;

    const Cell* CellAt(int row, int column) const;
    Cell* CellAt(int row, int column);
    void CellChanged(int row, int column);

    std::vector<Row> rows_;
    std::vector<QString> headings_;
    int columns_ = 1;
    int published_ = 0;
    bool publishQueued_ = false;
};
