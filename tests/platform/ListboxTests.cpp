#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Listbox.h"
#include "platform/ListboxModel.h"
#include "platform/Window.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ListboxTest : public ::testing::Test {
protected:
    Window window{400, 300, QStringLiteral("Lists")};
    Listbox list{window, 10, 10, 300, 200};

    QTableView* View() { return static_cast<QTableView*>(list.Widget()); }

    void Fill(const std::vector<QString>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) {
            list.AddRow(texts[i]);
            list.SetCellTag(list.LastIndex(), 0, static_cast<int>(i));
        }
    }

    std::vector<QString> Column0() {
        std::vector<QString> texts;
        for (int row = 0; row < list.ListCount(); ++row) texts.push_back(list.Cell(row, 0));
        return texts;
    }

    std::vector<int> Tags0() {
        std::vector<int> tags;
        for (int row = 0; row < list.ListCount(); ++row) tags.push_back(list.CellTag(row, 0));
        return tags;
    }
};

TEST_F(ListboxTest, ModelStaysConsistentThroughTypicalUse) {
    QAbstractItemModelTester tester(&list.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.SetColumnCount(9);
    for (int i = 0; i < 50; ++i) {
        list.AddRow(QString::number(50 - i));
        list.SetCell(list.LastIndex(), 1, QStringLiteral("name %1").arg(i));
        list.SetCellTag(list.LastIndex(), 1, i);
    }
    list.Refresh(true);
    list.SetListIndex(10);
    list.SetCell(3, 2, QStringLiteral("changed"));
    list.SetSortedColumn(1);
    list.SetColumnSortDirection(1, 1);
    list.Sort();
    list.AddRow(QStringLiteral("after"));
    QCoreApplication::processEvents();
    EXPECT_EQ(list.Model().rowCount(), 51);
    list.SetColumnCount(3);
    list.DeleteAllRows();
    list.DeleteAllRows();
    list.Refresh(true);
    EXPECT_EQ(list.Model().rowCount(), 0);
    EXPECT_EQ(list.ColumnCount(), 3);
}

TEST_F(ListboxTest, RefillReachesTheViewsAsOneInsertion) {
    list.SetColumnCount(9);
    Fill({QStringLiteral("old")});
    list.Refresh(true);
    QSignalSpy inserted(&list.Model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&list.Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&list.Model(), &QAbstractItemModel::modelReset);

    list.DeleteAllRows();
    for (int i = 0; i < 1000; ++i) {
        list.AddRow(QString::number(i));
        for (int column = 1; column < 9; ++column) list.SetCell(i, column, QStringLiteral("x"));
        list.SetCellTag(i, 1, i);
    }
    EXPECT_EQ(list.Model().rowCount(), 0);  // not yet told
    EXPECT_EQ(list.ListCount(), 1000);       // but readable at once
    EXPECT_EQ(list.CellTag(999, 1), 999);
    list.Refresh(true);

    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(list.Model().rowCount(), 1000);
}

TEST_F(ListboxTest, RowsAddedWithoutRefreshShowOnceTheEventLoopRuns) {
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    QCoreApplication::processEvents();
    EXPECT_EQ(list.Model().rowCount(), 2);
}

TEST_F(ListboxTest, SortIsStableAndIgnoresLetterCase) {
    struct Case {
        int direction;
        std::vector<QString> texts;
        std::vector<int> expectedTags;
    };
    const std::vector<Case> cases = {
        {1, {"b", "A", "a", "B", "c", "", "19xx", "1990", "2000"}, {5, 7, 6, 8, 1, 2, 0, 3, 4}},
        {-1, {"b", "A", "a", "B", "c"}, {4, 0, 3, 1, 2}},
        {0, {"Zed", "alpha", "ALPHA"}, {1, 2, 0}},  // no mark still sorts ascending
    };
    for (const Case& c : cases) {
        list.DeleteAllRows();
        Fill(c.texts);
        list.SetSortedColumn(0);
        list.SetColumnSortDirection(0, c.direction);
        list.Sort();
        EXPECT_EQ(Tags0(), c.expectedTags) << "direction " << c.direction;
    }

    // Many equal keys, beyond what a small-range insertion sort would hide.
    list.DeleteAllRows();
    std::vector<QString> texts;
    for (int i = 0; i < 200; ++i) texts.push_back(i % 3 == 0 ? "b" : i % 3 == 1 ? "A" : "a");
    Fill(texts);
    list.SetColumnSortDirection(0, 1);
    list.Sort();
    // "A" and "a" are one key and keep their order, then every "b".
    std::vector<int> expected;
    for (int i = 0; i < 200; ++i)
        if (i % 3 != 0) expected.push_back(i);
    for (int i = 0; i < 200; i += 3) expected.push_back(i);
    EXPECT_EQ(Tags0(), expected);
}

TEST_F(ListboxTest, RowsAddedAfterSortStayWhereAdded) {
    Fill({QStringLiteral("m"), QStringLiteral("c")});
    list.SetSortedColumn(0);
    list.SetColumnSortDirection(0, 1);
    list.Sort();
    list.AddRow(QStringLiteral("a"));
    list.Refresh(true);
    EXPECT_EQ(Column0(), (std::vector<QString>{"c", "m", "a"}));
    EXPECT_EQ(list.LastIndex(), 2);
}

TEST_F(ListboxTest, RowsKeepTheirCellsThroughSortColumnChangesAndRefill) {
    list.SetColumnCount(3);
    const std::vector<QString> keys = {"c", "a", "b"};
    for (int row = 0; row < 3; ++row) {
        list.AddRow(keys[row]);
        list.SetCell(row, 1, QStringLiteral("one %1").arg(keys[row]));
        list.SetCell(row, 2, QStringLiteral("two %1").arg(keys[row]));
        list.SetCellTag(row, 2, row + 10);
        list.SetCellTag(row, 0, 5);
    }
    const auto expectRows = [&](const std::vector<QString>& order, const char* step) {
        for (int row = 0; row < 3; ++row) {
            const QString key = order[row];
            EXPECT_EQ(list.Cell(row, 0), key) << step;
            EXPECT_EQ(list.Cell(row, 1), QStringLiteral("one %1").arg(key)) << step;
            EXPECT_EQ(list.Cell(row, 2), QStringLiteral("two %1").arg(key)) << step;
            EXPECT_EQ(list.CellTag(row, 2), 10 + int(std::find(keys.begin(), keys.end(), key) - keys.begin()))
                << step;
        }
    };
    list.SetSortedColumn(0);
    list.SetColumnSortDirection(0, 1);
    list.Sort();
    expectRows({"a", "b", "c"}, "sorted");

    list.SetColumnCount(4);
    expectRows({"a", "b", "c"}, "a column more");
    EXPECT_EQ(list.Cell(2, 3), QString());
    list.SetCell(2, 3, QStringLiteral("new"));
    EXPECT_EQ(list.Cell(2, 3), QStringLiteral("new"));

    list.SetColumnCount(2);
    EXPECT_EQ(list.Cell(1, 1), QStringLiteral("one b"));
    list.SetColumnCount(3);
    EXPECT_EQ(list.Cell(1, 2), QString()) << "a dropped column does not come back";
    EXPECT_EQ(list.CellTag(1, 2), 0);

    // A refilled row starts empty, whatever the row there held before.
    list.DeleteAllRows();
    list.AddRow(QStringLiteral("again"));
    EXPECT_EQ(list.Cell(0, 1), QString());
    EXPECT_EQ(list.CellTag(0, 0), 0);
    EXPECT_EQ(list.CellTag(0, 2), 0);
    EXPECT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.Cell(1, 0), QString());
}

TEST_F(ListboxTest, EmptiedRowsLetGoOfTheirTextsOnceTheListIsShown) {
    list.SetColumnCount(2);
    QString text = QStringLiteral("held");
    text.detach();
    for (int row = 0; row < 3; ++row) {
        list.AddRow(text);
        list.SetCell(row, 1, text);
    }
    list.Refresh(true);
    EXPECT_FALSE(text.isDetached());

    list.DeleteAllRows();
    list.AddRow(QStringLiteral("other"));
    list.Refresh(true);
    EXPECT_TRUE(text.isDetached()) << "a shorter refill keeps none of the old texts";

    list.AddRow(text);
    QCoreApplication::processEvents();
    ASSERT_FALSE(text.isDetached());
    list.DeleteAllRows();
    QCoreApplication::processEvents();
    EXPECT_TRUE(text.isDetached()) << "nor does an emptied list";
}

TEST_F(ListboxTest, SortMarkFollowsSortedColumnAndDirection) {
    list.SetColumnCount(3);
    QHeaderView* heading = View()->horizontalHeader();
    EXPECT_FALSE(heading->isSortIndicatorShown());
    list.SetSortedColumn(2);
    list.SetColumnSortDirection(2, -1);
    EXPECT_TRUE(heading->isSortIndicatorShown());
    EXPECT_EQ(heading->sortIndicatorSection(), 2);
    EXPECT_EQ(heading->sortIndicatorOrder(), Qt::DescendingOrder);
    list.SetColumnCount(9);  // the mark survives new columns
    EXPECT_EQ(heading->sortIndicatorSection(), 2);
}

TEST_F(ListboxTest, HeadingClickSortsAndThenReversesKeepingTheSelection) {
    list.SetColumnCount(2);
    list.SetColumnWidths(QStringLiteral("50%,50%"));
    Fill({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    for (const auto& [row, text] : {std::pair{0, "beta"}, {1, "Alpha"}, {2, "gamma"}})
        list.SetCell(row, 1, QString::fromLatin1(text));
    list.Refresh(true);
    list.SetListIndex(0);  // "beta"
    window.Show();
    QCoreApplication::processEvents();

    QHeaderView* heading = View()->horizontalHeader();
    const auto click = [&](int column) {
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                          QPoint(heading->sectionViewportPosition(column) + 5, heading->height() / 2));
    };
    click(1);
    EXPECT_EQ(Column0(), (std::vector<QString>{"2", "1", "3"}));
    EXPECT_EQ(list.Cell(list.ListIndex(), 1), "beta");
    click(1);
    EXPECT_EQ(Column0(), (std::vector<QString>{"3", "1", "2"}));
    EXPECT_EQ(heading->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(list.Cell(list.ListIndex(), 1), "beta");
    click(0);
    EXPECT_EQ(Column0(), (std::vector<QString>{"1", "2", "3"}));
}

TEST_F(ListboxTest, SelectionByListIndex) {
    list.SetListIndex(0);
    EXPECT_EQ(list.ListIndex(), -1) << "empty list selects nothing";

    Fill({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")});
    for (int outside : {-1, 3, 100}) {
        list.SetListIndex(outside);
        EXPECT_EQ(list.ListIndex(), -1) << outside;
    }
    list.SetListIndex(0);
    EXPECT_EQ(list.ListIndex(), 0);

    // The selected row moves with its content when sorted.
    list.SetSortedColumn(0);
    list.SetColumnSortDirection(0, 1);
    list.Sort();
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.Cell(list.ListIndex(), 0), QStringLiteral("b"));

    list.DeleteAllRows();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.LastIndex(), -1);
}

TEST_F(ListboxTest, AControlClickOnTheSelectedRowSelectsNothing) {
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    list.Refresh(true);
    window.Show();
    list.SetListIndex(1);
    QCoreApplication::processEvents();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      View()->visualRect(list.Model().index(1, 0)).center());
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListboxTest, SelectedRowIsScrolledIntoView) {
    for (int i = 0; i < 500; ++i) list.AddRow(QString::number(i));
    window.Show();
    list.SetListIndex(400);
    QCoreApplication::processEvents();
    const QRect row = View()->visualRect(list.Model().index(400, 0));
    EXPECT_TRUE(View()->viewport()->rect().contains(row.center()));
}

TEST_F(ListboxTest, KeysMoveTheSelectedRowAndNeverScrollSideways) {
    list.SetColumnCount(9);
    list.SetColumnWidths(QStringLiteral("8%,30%,20%,8%,10%,10%,10%,10%,10%"));
    for (int i = 0; i < 100; ++i) list.AddRow(QString::number(i));
    window.Show();
    QCoreApplication::processEvents();
    QScrollBar* across = View()->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    const int page = View()->viewport()->height() / View()->rowHeight(0);
    ASSERT_GT(page, 2);

    struct Case {
        Qt::Key key;
        int lowest, highest;  // where the selection may land
    };
    const Case cases[] = {
        {Qt::Key_Up, 49, 49},
        {Qt::Key_Down, 51, 51},
        {Qt::Key_PageUp, 50 - page - 1, 48},
        {Qt::Key_PageDown, 52, 50 + page + 1},
        {Qt::Key_Home, 0, 0},
        {Qt::Key_End, 99, 99},
        {Qt::Key_Left, 50, 50},
        {Qt::Key_Right, 50, 50},
    };
    for (const Case& c : cases) {
        list.SetListIndex(50);
        // The first column half out of view, as after scrolling to the last.
        across->setValue(across->maximum());
        QTest::keyClick(View(), c.key);
        EXPECT_GE(list.ListIndex(), c.lowest) << c.key;
        EXPECT_LE(list.ListIndex(), c.highest) << c.key;
        EXPECT_EQ(across->value(), across->maximum()) << c.key;
    }
}

// Counts what is drawn for a cell as having the focus.
class FocusFrameCounter : public QProxyStyle {
public:
    mutable int frames = 0;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        frames += element == PE_FrameFocusRect || (element == PE_PanelItemViewItem && (option->state & State_HasFocus));
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        frames += element == CE_ItemViewItem && (option->state & State_HasFocus);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

TEST_F(ListboxTest, NoCellDrawsAFocusFrame) {
    list.SetColumnCount(3);
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    window.Show();
    QApplication::setActiveWindow(window.Widget());
    View()->setFocus();
    list.SetListIndex(1);
    ASSERT_TRUE(View()->hasFocus());
    FocusFrameCounter style;
    View()->setStyle(&style);
    View()->viewport()->grab();
    View()->setStyle(nullptr);
    EXPECT_EQ(style.frames, 0);
}

TEST_F(ListboxTest, CellsOutsideTheListReadEmptyAndIgnoreWrites) {
    list.SetColumnCount(2);
    Fill({QStringLiteral("a")});
    list.SetCell(0, 1, QStringLiteral("b"));
    list.SetCellTag(0, 1, 7);
    for (auto [row, column] : std::vector<std::pair<int, int>>{{-1, 0}, {1, 0}, {0, 2}, {0, -1}}) {
        list.SetCell(row, column, QStringLiteral("x"));
        list.SetCellTag(row, column, 9);
        EXPECT_EQ(list.Cell(row, column), QString());
        EXPECT_EQ(list.CellTag(row, column), 0);
    }
    EXPECT_EQ(list.Cell(0, 1), QStringLiteral("b"));
    EXPECT_EQ(list.CellTag(0, 1), 7);
}

TEST_F(ListboxTest, ColumnWidthsArePercentagesOfTheListWidth) {
    list.SetColumnCount(4);
    list.SetColumnWidths(QStringLiteral("8%,30%, 40 ,"));
    const int inner = list.Width() - 2 * View()->frameWidth();
    const int fourth = list.ColumnWidth(3);
    EXPECT_EQ(list.ColumnWidth(0), qRound(inner * 0.08));
    EXPECT_EQ(list.ColumnWidth(1), qRound(inner * 0.30));
    EXPECT_EQ(list.ColumnWidth(2), 40);
    EXPECT_EQ(list.ColumnWidth(3), fourth) << "a column without a width keeps its own";

    // Widths survive a refill, and more than 100% scrolls.
    list.SetColumnWidths(QStringLiteral("8%,30%,60%,20%"));
    Fill({QStringLiteral("a")});
    list.DeleteAllRows();
    EXPECT_EQ(list.ColumnWidth(2), qRound(inner * 0.60));
    window.Show();
    QCoreApplication::processEvents();
    EXPECT_GT(View()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(ListboxTest, ASingleColumnWithoutWidthSpansTheList) {
    window.Show();
    QCoreApplication::processEvents();
    const int inner = View()->viewport()->width();
    EXPECT_EQ(list.ColumnWidth(0), inner);

    list.SetColumnCount(2);
    list.SetColumnWidths(QStringLiteral("10%,10%"));
    QCoreApplication::processEvents();
    EXPECT_LT(list.ColumnWidth(0) + list.ColumnWidth(1), inner / 2);
}

TEST_F(ListboxTest, PaintEventsRunBackgroundThenTextAndCoverTheEmptyArea) {
    list.SetColumnCount(2);
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    list.SetCellTag(1, 0, 1);
    std::vector<QString> calls;
    list.CellBackgroundPaint = [&](Graphics& g, int row, int column) {
        calls.push_back(QStringLiteral("bg %1,%2").arg(row).arg(column));
        const bool marked = row < list.ListCount() && list.CellTag(row, 0) == 1;
        g.SetForeColor(row >= list.ListCount() ? RGB(0, 0, 255)
                                               : marked ? RGB(255, 255, 192) : RGB(255, 255, 255));
        g.FillRect(0, 0, g.Width(), g.Height());
        return false;
    };
    list.CellTextPaint = [&](Graphics&, int row, int column, int, int) {
        calls.push_back(QStringLiteral("text %1,%2").arg(row).arg(column));
        return false;
    };
    list.Refresh(true);
    window.Show();
    const QImage shot = View()->viewport()->grab().toImage();

    auto before = [&](const QString& first, const QString& second) {
        const auto a = std::find(calls.begin(), calls.end(), first);
        const auto b = std::find(calls.begin(), calls.end(), second);
        return a != calls.end() && b != calls.end() && a < b;
    };
    EXPECT_TRUE(before(QStringLiteral("bg 0,0"), QStringLiteral("text 0,0")));
    EXPECT_TRUE(before(QStringLiteral("bg 1,1"), QStringLiteral("text 1,1")));
    EXPECT_NE(std::find(calls.begin(), calls.end(), QStringLiteral("bg 2,0")), calls.end());

    const QRect second = View()->visualRect(list.Model().index(1, 0));
    EXPECT_EQ(shot.pixelColor(second.right() - 1, second.center().y()), QColor(255, 255, 192));
    EXPECT_EQ(shot.pixelColor(5, shot.height() - 3), QColor(0, 0, 255)) << "below the last row";
}

// The rightmost column of dark pixels within a cell, relative to the cell; -1
// when nothing is drawn there.
int TextRightEdge(const QImage& shot, const QRect& cell) {
    for (int x = cell.right(); x >= cell.left(); --x)
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            if (qGray(shot.pixel(x, y)) < 128) return x - cell.left();
    return -1;
}

TEST_F(ListboxTest, CellTextIsElidedToItsColumnAndDrawnAsPlainText) {
    list.SetColumnCount(2);
    const QString longText(40, QLatin1Char('W'));
    const QString markup = QStringLiteral("<b>Bold</b>");
    list.AddRow(longText);
    list.SetCell(0, 1, markup);
    list.Refresh(true);
    window.Show();
    const auto rightEdge = [&](int column) {
        QCoreApplication::processEvents();
        const QImage shot = View()->viewport()->grab().toImage();
        return TextRightEdge(shot, View()->visualRect(list.Model().index(0, column)));
    };

    list.SetColumnWidths(QStringLiteral("60,200"));
    const int narrow = rightEdge(0);
    EXPECT_GT(narrow, 20);
    EXPECT_LT(narrow, 60);
    // A wider column shows more of the same text.
    list.SetColumnWidths(QStringLiteral("150,200"));
    EXPECT_GT(rightEdge(0), 100);

    list.SetColumnWidths(QStringLiteral("60,200"));
    const QFontMetrics metrics(View()->font());
    EXPECT_GT(rightEdge(1), metrics.horizontalAdvance(QStringLiteral("Bold")) + 10)
        << "the markup is text, not formatting";

    // The text is elided for the font it is drawn in: it ends inside the
    // cell's margin rather than being cut off at the cell's edge.
    const QFont font = View()->font();
    for (const int points : {font.pointSize() * 2, font.pointSize()}) {
        QFont changed = font;
        changed.setPointSize(points);
        View()->setFont(changed);
        for (const int width : {150, 170}) {
            list.SetColumnWidths(QStringLiteral("%1,200").arg(width));
            const int edge = rightEdge(0);
            EXPECT_GT(edge, 100) << points << " " << width;
            EXPECT_LT(edge, width - 3) << points << " " << width;
        }
    }
}

TEST_F(ListboxTest, MouseEventsCarryRowColumnAndContext) {
    list.SetColumnCount(2);
    list.SetColumnWidths(QStringLiteral("50%,50%"));
    Fill({QStringLiteral("a"), QStringLiteral("b")});
    list.Refresh(true);
    window.Show();
    QCoreApplication::processEvents();

    std::vector<bool> contextual;
    int clickedRow = -1, clickedColumn = -1, doubleClicks = 0;
    list.MouseDown = [&](int, int) {
        contextual.push_back(IsContextualClick());
        return false;
    };
    list.CellClick = [&](int row, int column, int, int) {
        clickedRow = row;
        clickedColumn = column;
        return false;
    };
    list.DoubleClick = [&] { ++doubleClicks; };

    const QRect cell = View()->visualRect(list.Model().index(1, 1));
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(clickedRow, 1);
    EXPECT_EQ(clickedColumn, 1);
    EXPECT_EQ(list.ListIndex(), 1);

    clickedRow = -1;
    int selectedAtMenu = -1;
    list.MouseDown = [&](int, int) {
        contextual.push_back(IsContextualClick());
        selectedAtMenu = list.ListIndex();
        return false;
    };
    const QRect first = View()->visualRect(list.Model().index(0, 1));
    QTest::mouseClick(View()->viewport(), Qt::RightButton, {}, first.center());
    EXPECT_EQ(clickedRow, -1) << "a contextual click is no cell click";
    EXPECT_EQ(contextual, (std::vector<bool>{false, true}));
    EXPECT_EQ(selectedAtMenu, 0) << "the menu acts on the row under the pointer";
    EXPECT_FALSE(IsContextualClick());

    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(doubleClicks, 1);

    // A handled MouseDown keeps the click from the list.
    list.MouseDown = [](int, int) { return true; };
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {},
                      View()->visualRect(list.Model().index(0, 0)).center());
    EXPECT_EQ(list.ListIndex(), 1);
}

}  // namespace
