#pragma once

#include "platform/Control.h"

#include <QString>

#include <functional>
#include <memory>

class Graphics;
class ListboxModel;

// A multi-column list with a heading row: per-cell text and a hidden integer
// per cell (CellTag), single selection. Rows and columns count from 0. The
// keys move the selected row; only the user scrolls the list sideways.
class Listbox : public Control {
public:
    Listbox(Window& parent, int left, int top, int width, int height);
    Listbox(TabPanel& panel, int page, int left, int top, int width, int height);
    ~Listbox() override;

    int ColumnCount() const;
    void SetColumnCount(int count);
    // Comma-separated widths, each a percentage of the list's width ("8%") or
    // pixels ("40"); columns without a width keep theirs. More than 100% in
    // total scrolls horizontally.
    QString ColumnWidths() const;
    void SetColumnWidths(const QString& widths);
    int ColumnWidth(int column) const;  // in pixels, as shown
    QString Heading(int column) const;
    void SetHeading(int column, const QString& text);
    bool HasHeading() const;
    void SetHasHeading(bool hasHeading);
    bool ColumnsResizable() const;
    void SetColumnsResizable(bool resizable);
    void SetScrollBarHorizontal(bool shown);
    void SetScrollBarVertical(bool shown);

    // The heading marks the sorted column and its direction (1 ascending,
    // -1 descending, 0 none); Sort() orders the present rows by that column's
    // text, letter case ignored, keeping the order of equal rows.
    int SortedColumn() const;
    void SetSortedColumn(int column);
    int ColumnSortDirection(int column) const;
    void SetColumnSortDirection(int column, int direction);
    void Sort();

    // Appends a row with `text` in column 0; rows added after Sort() stay where
    // they were added.
    void AddRow(const QString& text);
    void DeleteAllRows();
    int ListCount() const;
    int LastIndex() const;  // the row added last; -1 when empty

    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    int CellTag(int row, int column) const;  // 0 when never set
    void SetCellTag(int row, int column, int tag);

    // -1 when no row is selected. Setting a row outside the list selects
    // nothing; a selected row is scrolled into view.
    int ListIndex() const;
    void SetListIndex(int row);

    // Shows appended rows and repaints the whole list.
    void Refresh(bool eraseBackground = true);

    ListboxModel& Model() const;

    // Events. Those returning bool: true means handled, the framework does
    // not go on. x and y of CellClick are relative to the cell, of MouseDown
    // to the list, of CellTextPaint to the cell at the text's baseline.
    std::function<bool(int row, int column, int x, int y)> CellClick;
    // Raised first for each painted cell, and with row >= ListCount() for the
    // empty area below the last row.
    std::function<bool(Graphics& g, int row, int column)> CellBackgroundPaint;
    std::function<bool(Graphics& g, int row, int column, int x, int y)> CellTextPaint;
    std::function<void()> DoubleClick;
    std::function<bool(int x, int y)> MouseDown;

protected:
    bool OnMouseDown(int x, int y) override;
    void OnDoubleClick() override;

private:
    friend class ListboxView;
    friend class ListboxDelegate;
    void Setup();
    void ApplyColumnWidths();
    void ApplySortMark();

    struct Impl;
    std::unique_ptr<Impl> d;
};
