#include "MainWindowFixture.h"

#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace {

using Events = MainWindowTest;

// A cell to paint into, and the colour it was left with.
struct Cell {
    static QImage Black() {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }
    QImage image = Black();
    QPainter painter{&image};
    Graphics g{painter, 0, 0, 12, 8, 0};
    QRgb Colour() {
        painter.end();
        return image.pixel(6, 4);
    }
};

TEST_F(Events, TabChangeSetsUpAndFillsTheNewTab) {
    OpenWithGames();
    w->txtFilter->SetText("arcade");
    w->TabPanel1->SetValue(5);
    EXPECT_EQ(w->lvwAll(5).ColumnCount(), 9);
    EXPECT_EQ(w->lvwFilter(3).ListCount(), 4);
    // First genre is the empty one, and no arcade game is without a genre.
    EXPECT_EQ(w->Title(), "Corvale - No Matching Games");
    w->lvwFilter_CellClick(3, 2, 0, 0, 0);
    EXPECT_EQ(w->Title(), "Corvale - Arcade (3)");

    // Coming back empties the tab's list before it is filled again.
    w->TabPanel1->SetValue(0);
    w->txtFilter->SetText(QString());
    w->lvwAll(5).AddRow("stale");
    w->TabPanel1->SetValue(5);
    EXPECT_EQ(Names(w->lvwAll(5)), QStringList({"Various Thing", "Both", QStringLiteral("\u00C9lan")}));
}

TEST_F(Events, FilterFieldRefillsOnEveryChangeAndClearEmptiesIt) {
    OpenWithGames();
    w->txtFilter->SetText("z");
    EXPECT_EQ(Names(List()), QStringList({"3D Maze", "Both", "Alpha"}));
    w->txtFilter->SetText("zet");
    EXPECT_EQ(Names(List()), QStringList({"Both", "Alpha"}));
    w->cmdClear->Push();
    EXPECT_EQ(w->txtFilter->Text(), "");
    EXPECT_EQ(List().ListCount(), 8);

    // With the field already empty, Clear still refills.
    gFilter = 32;
    w->cmdClear->Push();
    EXPECT_EQ(Names(List()), QStringList({"beta"}));
}

TEST_F(Events, CategoryPaintRefillsOnlyWhenTheSelectionMoved) {
    OpenWithGames();
    w->TabPanel1->SetValue(3);
    w->Timer1->SetEnabled(false);
    Listbox& categories = w->lvwFilter(1);
    Listbox& games = w->lvwAll(3);
    const int rows = games.ListCount();
    games.AddRow("marker");

    // The selected row is the one the list was filled for: nothing changes.
    { Cell c; w->lvwFilter_CellTextPaint(1, c.g, 0, 0, 0, 0); }
    EXPECT_EQ(games.ListCount(), rows + 1);

    // The keyboard moved the selection: its paint refills and starts the timer.
    categories.SetListIndex(2);
    { Cell c; w->lvwFilter_CellTextPaint(1, c.g, 1, 0, 0, 0); }
    EXPECT_EQ(gRow, 0);
    { Cell c; w->lvwFilter_CellTextPaint(1, c.g, 2, 0, 0, 0); }
    EXPECT_EQ(gRow, 2);
    EXPECT_EQ(w->Title(), "Corvale - Superior (2)");
    EXPECT_EQ(w->Timer1->Period(), 500);
    EXPECT_TRUE(w->Timer1->Enabled());

    w->Timer1_Action();
    EXPECT_FALSE(w->Timer1->Enabled());
}

TEST_F(Events, BackgroundIsYellowForHighlightedRowsOnly) {
    WriteSettings(1, 0);
    OpenWithGames();
    struct Case {
        int row;
        QRgb colour;
    } cases[] = {
        {0, qRgb(255, 255, 255)},
        {1, qRgb(255, 255, 192)},  // beta: disc image missing
        {8, qRgb(255, 255, 255)},  // the empty area below the rows
        {50, qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        Cell cell;
        EXPECT_FALSE(w->lvwAll_CellBackgroundPaint(0, cell.g, c.row, 3));
        EXPECT_EQ(cell.Colour(), c.colour) << c.row;
    }
}

TEST_F(Events, ContextualClicksPopUpTheGameAndEditMenus) {
    OpenWithGames();
    QStringList shown;
    MenuItem* chosen = nullptr;
    const auto previous = MenuItem::SetPopUpHook([&](MenuItem& menu) {
        shown << menu.Name();
        return chosen;
    });
    {
        ContextualClickScope plain(false);
        w->lvwAll_MouseDown(0, 5, 5);
        w->txtFilter_MouseDown(5, 5);
    }
    EXPECT_TRUE(shown.isEmpty());
    {
        ContextualClickScope contextual(true);
        EXPECT_FALSE(w->lvwAll_MouseDown(0, 5, 5));
        EXPECT_FALSE(w->txtFilter_MouseDown(5, 5));
        // An item chosen from the pop-up runs its command on the main window.
        chosen = w->HighlightNoYear();
        w->lvwAll_MouseDown(0, 5, 5);
    }
    MenuItem::SetPopUpHook(previous);
    EXPECT_EQ(shown, QStringList({"GameMenu", "EditMenu", "GameMenu"}));
    EXPECT_EQ(gHighlight, 3);
}

TEST_F(Events, DoubleClickPlaysTheSelectedRowOnly) {
    OpenWithGames();
    List().SetListIndex(-1);
    w->lvwAll_DoubleClick(0);
    EXPECT_TRUE(messages.isEmpty());
    // With no directories set, play stops at its first check.
    List().SetListIndex(1);
    w->lvwAll_DoubleClick(0);
    EXPECT_EQ(messages, QStringList({"Please set Game, Tape and Program Directories First"}));
}

class Pictures : public MainWindowTest {
protected:
    void SavePicture(const QString& name, int width, int height) {
        QDir().mkpath(FilePath("bbcpics"));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(FilePath("bbcpics/" + name), "BMP"));
    }
    QSize Shown() const {
        const Picture p = w->ImageWell1->Image();
        return p.IsNil() ? QSize() : QSize(p.Width(), p.Height());
    }
    void Paint(int row) {
        Cell c;
        w->lvwAll_CellTextPaint(0, c.g, row, 1, 0, 0);
    }
};

TEST_F(Pictures, FollowTheSelectionWithTheStandInAndWithout) {
    SavePicture("Alpha-Acornsoft.bmp", 4, 3);
    SavePicture("nopic.bmp", 2, 2);
    OpenWithGames();

    Paint(0);
    EXPECT_EQ(Shown(), QSize(4, 3));
    EXPECT_EQ(w->txtGame->Text(), "Alpha (Acornsoft)");

    // A row that is not selected is painted: nothing follows.
    Paint(3);
    EXPECT_EQ(w->txtGame->Text(), "Alpha (Acornsoft)");

    List().SetListIndex(3);
    Paint(3);
    EXPECT_EQ(Shown(), QSize(2, 2));
    EXPECT_EQ(w->txtGame->Text(), "'Quoted' (Superior)");

    // Without the stand-in the last picture stays; the caption still changes.
    QFile::remove(FilePath("bbcpics/nopic.bmp"));
    w->lvwAll_CellClick(0, 1, 1, 0, 0);
    EXPECT_EQ(Shown(), QSize(2, 2));
    EXPECT_EQ(w->txtGame->Text(), "beta (Micro Power)");

    // No selected row: a click changes nothing.
    List().SetListIndex(-1);
    w->lvwAll_CellClick(0, 0, 1, 0, 0);
    EXPECT_EQ(w->txtGame->Text(), "beta (Micro Power)");
}

TEST_F(Pictures, ReadAgainOnlyForAnotherGameOrAFreshList) {
    SavePicture("Alpha-Acornsoft.bmp", 4, 3);
    OpenWithGames();
    Paint(0);
    ASSERT_EQ(Shown(), QSize(4, 3));
    SavePicture("Alpha-Acornsoft.bmp", 6, 5);
    Paint(0);
    EXPECT_EQ(Shown(), QSize(4, 3));
    w->SetFilter(QString(), QString());
    Paint(0);
    EXPECT_EQ(Shown(), QSize(6, 5));
}

TEST_F(Pictures, NamesInOtherLetterCaseAreShownAndAudited) {
    SavePicture("ALPHA-acornsoft.BMP", 4, 3);
    OpenWithGames();
    Paint(0);
    EXPECT_EQ(Shown(), QSize(4, 3));
    w->AuditPictures();
    EXPECT_EQ(games[1]->PicOK, "Yes");
    EXPECT_EQ(games[2]->PicOK, "No");

    // The exact name wins over a variant that sorts before it.
    SavePicture("Alpha-Acornsoft.bmp", 6, 5);
    w->SetFilter(QString(), QString());
    Paint(0);
    EXPECT_EQ(Shown(), QSize(6, 5));
}

TEST_F(Pictures, MissingFolderKeepsThePictureWell) {
    OpenWithGames();
    Paint(0);
    EXPECT_TRUE(w->ImageWell1->Image().IsNil());
    EXPECT_EQ(w->txtGame->Text(), "Alpha (Acornsoft)");
}

}  // namespace
