#include "platform/Listbox.h"

#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/ListboxModel.h"

#include <QCache>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QStaticText>
#include <QTableView>

#include <map>
#include <utility>

namespace {

Color ToColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace

// The table view styled as a list; also paints the empty area below the last
// row through CellBackgroundPaint.
class ListboxView : public QTableView {
public:
    explicit ListboxView(Listbox& owner) : owner_(owner) {}

    // Rows come into view; the columns stay where the user scrolled them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        QScrollBar* across = horizontalScrollBar();
        const int scrolled = across->value();
        QTableView::scrollTo(index, hint);
        across->setValue(scrolled);
    }

protected:
    // The keys move the selected row, never from cell to cell: Home and End
    // go to the first and last row, Left and Right do nothing.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex current = currentIndex();
        const int column = current.isValid() ? current.column() : 0;
        switch (action) {
        case MoveLeft:
        case MoveRight:
            return current;
        case MoveHome:
            return model()->index(0, column);
        case MoveEnd:
            return model()->index(model()->rowCount() - 1, column);
        default:
            return QTableView::moveCursor(action, modifiers);
        }
    }

    void paintEvent(QPaintEvent* event) override {
        QTableView::paintEvent(event);
        if (!owner_.CellBackgroundPaint) return;
        const int rows = model()->rowCount();
        const int top = rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0;
        const int height = viewport()->height() - top;
        if (height <= 0) return;
        QPainter painter(viewport());
        const Color text = ToColor(palette().color(QPalette::Text));
        for (int column = 0; column < model()->columnCount(); ++column) {
            if (isColumnHidden(column)) continue;
            Graphics g(painter, columnViewportPosition(column), top, columnWidth(column), height,
                       text);
            owner_.CellBackgroundPaint(g, owner_.ListCount(), column);
        }
    }

private:
    Listbox& owner_;
};

// Raises CellBackgroundPaint, then CellTextPaint, then draws what they left.
class ListboxDelegate : public QStyledItemDelegate {
public:
    ListboxDelegate(Listbox& owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        // The list shows its focus as a whole; a cell has no focus frame.
        item.state &= ~QStyle::State_HasFocus;
        const QRect cell = item.rect;
        const int row = index.row();
        const int column = index.column();
        const bool selected = item.state & QStyle::State_Selected;
        const Color text = ToColor(item.palette.color(QPalette::Text));
        QStyle* style = item.widget ? item.widget->style() : nullptr;

        // The whole cell paints in its own coordinates, clipped to it, as the
        // handlers see it; the one Graphics also restores the painter.
        Graphics g(*painter, cell.x(), cell.y(), cell.width(), cell.height(), text);
        item.rect.moveTo(0, 0);
        bool done = owner_.CellBackgroundPaint && owner_.CellBackgroundPaint(g, row, column);
        // The list's own background is the viewport's; only a selection is drawn.
        if (!done && selected && style)
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);

        const int margin =
            (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) : 2) + 1;
        const QFontMetrics metrics(item.font);
        done = false;
        if (owner_.CellTextPaint) {
            const int baseline = (cell.height() - metrics.height()) / 2 + metrics.ascent();
            g.SetForeColor(text);
            done = owner_.CellTextPaint(g, row, column, margin, baseline);
        }
        if (done || item.text.isEmpty()) return;
        painter->setFont(item.font);
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        DrawText(*painter, item.rect.adjusted(margin, 0, -margin, 0), item.text, metrics);
    }

private:
    // Left-aligned and centred vertically, elided at the right when too wide.
    // Laying text out is most of a cell's painting, and a list paints the same
    // texts over and over (each refill, hover, focus, scrolling), so the laid
    // out texts are kept, by text and width, for the list's font.
    void DrawText(QPainter& painter, const QRect& rect, const QString& text,
                  const QFontMetrics& metrics) const {
        if (painter.font() != layoutFont_) {
            layouts_.clear();
            layoutFont_ = painter.font();
        }
        const LayoutKey key(text, rect.width());
        QStaticText* laidOut = layouts_.object(key);
        if (!laidOut) {
            laidOut = new QStaticText(text);
            laidOut->setTextFormat(Qt::PlainText);
            laidOut->prepare(QTransform(), layoutFont_);
            if (laidOut->size().width() > rect.width()) {
                laidOut->setText(metrics.elidedText(text, Qt::ElideRight, rect.width()));
                laidOut->prepare(QTransform(), layoutFont_);
            }
            layouts_.insert(key, laidOut);
        }
        painter.drawStaticText(rect.left(), rect.top() + (rect.height() - metrics.height()) / 2,
                               *laidOut);
    }

    using LayoutKey = std::pair<QString, int>;
    // A few screens of cells.
    mutable QCache<LayoutKey, QStaticText> layouts_{1000};
    mutable QFont layoutFont_;
    Listbox& owner_;
};

struct Listbox::Impl {
    ListboxView* view = nullptr;
    ListboxModel* model = nullptr;
    QString widths;
    int sortedColumn = -1;
    std::map<int, int> directions;
    bool resizable = true;
};

Listbox::Listbox(Window& parent, int left, int top, int width, int height)
    : Control(parent, left, top, width, height, new ListboxView(*this)),
      d(std::make_unique<Impl>()) {
    Setup();
}

Listbox::Listbox(TabPanel& panel, int page, int left, int top, int width, int height)
    : Control(panel, page, left, top, width, height, new ListboxView(*this)),
      d(std::make_unique<Impl>()) {
    Setup();
}

Listbox::~Listbox() = default;

void Listbox::Setup() {
    d->view = static_cast<ListboxView*>(Widget());
    d->model = new ListboxModel(d->view);
    ListboxView* view = d->view;
    view->setModel(d->model);
    view->setItemDelegate(new ListboxDelegate(*this, view));
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Uniform rows: the view never measures them, whatever the row count.
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QHeaderView* heading = view->horizontalHeader();
    heading->setHighlightSections(false);
    heading->setMinimumSectionSize(4);
    // A click on a heading sorts by that column, again reversing it, as lists
    // do on the desktop; the selected row stays selected.
    heading->setSectionsClickable(true);
    QObject::connect(heading, &QHeaderView::sectionClicked, view, [this](int column) {
        const bool reverse = column == SortedColumn() && ColumnSortDirection(column) > 0;
        SetSortedColumn(column);
        SetColumnSortDirection(column, reverse ? -1 : 1);
        Sort();
    });
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setSortIndicatorShown(false);
    WatchMouse(view->viewport());
    ApplyColumnWidths();
}

int Listbox::ColumnCount() const {
    return d->model->ColumnCount();
}

void Listbox::SetColumnCount(int count) {
    d->model->SetColumnCount(count);
    ApplyColumnWidths();
    ApplySortMark();
}

QString Listbox::ColumnWidths() const {
    return d->widths;
}

void Listbox::SetColumnWidths(const QString& widths) {
    d->widths = widths;
    ApplyColumnWidths();
}

int Listbox::ColumnWidth(int column) const {
    return d->view->columnWidth(column);
}

void Listbox::ApplyColumnWidths() {
    // A single column without a width spans the list, as the category lists show it.
    d->view->horizontalHeader()->setStretchLastSection(ColumnCount() == 1 && d->widths.isEmpty());
    const QStringList parts = d->widths.split(QLatin1Char(','));
    const int listWidth = d->view->width() - 2 * d->view->frameWidth();
    for (int column = 0; column < parts.size() && column < ColumnCount(); ++column) {
        QString part = parts[column].trimmed();
        const bool percent = part.endsWith(QLatin1Char('%'));
        if (percent) part.chop(1);
        bool ok = false;
        const double value = part.toDouble(&ok);
        if (!ok || value < 0) continue;
        d->view->setColumnWidth(column, qRound(percent ? value * listWidth / 100.0 : value));
    }
}

QString Listbox::Heading(int column) const {
    return d->model->Heading(column);
}

void Listbox::SetHeading(int column, const QString& text) {
    d->model->SetHeading(column, text);
}

bool Listbox::HasHeading() const {
    return !d->view->horizontalHeader()->isHidden();
}

void Listbox::SetHasHeading(bool hasHeading) {
    d->view->horizontalHeader()->setVisible(hasHeading);
}

bool Listbox::ColumnsResizable() const {
    return d->resizable;
}

void Listbox::SetColumnsResizable(bool resizable) {
    d->resizable = resizable;
    d->view->horizontalHeader()->setSectionResizeMode(resizable ? QHeaderView::Interactive
                                                                : QHeaderView::Fixed);
}

void Listbox::SetScrollBarHorizontal(bool shown) {
    d->view->setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void Listbox::SetScrollBarVertical(bool shown) {
    d->view->setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int Listbox::SortedColumn() const {
    return d->sortedColumn;
}

void Listbox::SetSortedColumn(int column) {
    d->sortedColumn = column;
    ApplySortMark();
}

int Listbox::ColumnSortDirection(int column) const {
    const auto found = d->directions.find(column);
    return found == d->directions.end() ? 0 : found->second;
}

void Listbox::SetColumnSortDirection(int column, int direction) {
    d->directions[column] = direction;
    ApplySortMark();
}

void Listbox::ApplySortMark() {
    QHeaderView* heading = d->view->horizontalHeader();
    const int column = d->sortedColumn;
    const int direction = ColumnSortDirection(column);
    const bool marked = column >= 0 && column < ColumnCount() && direction != 0;
    heading->setSortIndicatorShown(marked);
    if (marked)
        heading->setSortIndicator(column, direction < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void Listbox::Sort() {
    d->model->SortByColumn(d->sortedColumn, ColumnSortDirection(d->sortedColumn) >= 0);
}

void Listbox::AddRow(const QString& text) {
    d->model->AppendRow(text);
}

void Listbox::DeleteAllRows() {
    d->model->Clear();
}

int Listbox::ListCount() const {
    return d->model->RowCount();
}

int Listbox::LastIndex() const {
    return ListCount() - 1;
}

QString Listbox::Cell(int row, int column) const {
    return d->model->Text(row, column);
}

void Listbox::SetCell(int row, int column, const QString& text) {
    d->model->SetText(row, column, text);
}

int Listbox::CellTag(int row, int column) const {
    return d->model->Tag(row, column);
}

void Listbox::SetCellTag(int row, int column, int tag) {
    d->model->SetTag(row, column, tag);
}

int Listbox::ListIndex() const {
    // Paint handlers ask for every cell: read the one selected range rather
    // than list the selected rows.
    const QItemSelection selection = d->view->selectionModel()->selection();
    return selection.isEmpty() ? -1 : selection.first().top();
}

void Listbox::SetListIndex(int row) {
    d->model->Publish();
    QItemSelectionModel* selection = d->view->selectionModel();
    if (row < 0 || row >= ListCount()) {
        selection->clear();
        return;
    }
    const QModelIndex index = d->model->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
    d->view->scrollTo(index);
}

void Listbox::Refresh(bool) {
    d->model->Publish();
    d->view->viewport()->update();
}

ListboxModel& Listbox::Model() const {
    return *d->model;
}

bool Listbox::OnMouseDown(int x, int y) {
    const QPoint at = d->view->viewport()->mapFrom(d->view, QPoint(x, y));
    const QModelIndex index = d->view->indexAt(at);
    // A contextual menu acts on the row under the pointer, as the user expects,
    // so that row is selected before the menu comes up.
    if (IsContextualClick() && index.isValid()) SetListIndex(index.row());
    if (MouseDown && MouseDown(x, y)) return true;
    if (IsContextualClick() || !CellClick) return false;
    if (!index.isValid()) return false;
    const QRect cell = d->view->visualRect(index);
    return CellClick(index.row(), index.column(), at.x() - cell.x(), at.y() - cell.y());
}

void Listbox::OnDoubleClick() {
    if (DoubleClick) DoubleClick();
}
