#include "MainWindowFixture.h"

#include "platform/Picture.h"
#include "platform/Text.h"

namespace {

using Lists = MainWindowTest;

const QString kElan = QStringLiteral("\u00C9lan");

TEST_F(Lists, FilterBitsAndTextOnTheAllTab) {
    OpenWithGames();
    const QStringList all = {"Alpha", "beta", "3D Maze", "'Quoted'", "Various Thing", "Both", "Alpha", kElan};
    struct Case {
        int filter;
        QString text;
        QStringList names;
    } cases[] = {
        {0, "", all},
        {1, "", {"Alpha", "3D Maze", "'Quoted'", "Various Thing", "Both", "Alpha", kElan}},
        {2, "", {"Alpha", "beta", "'Quoted'", "Various Thing", "Both", "Alpha", kElan}},
        {4 + 8, "", all},  // the collapse bits act on the publisher tab only
        {16, "", {"beta", "Alpha"}},
        {128, "", {"Alpha", "3D Maze", "'Quoted'", "Various Thing", "Both", kElan}},
        {32, "", {"beta"}},
        {64, "", {"Alpha", "3D Maze", "'Quoted'", "Various Thing", "Both", "Alpha", kElan}},
        {16 + 128, "", {}},
        {32 + 64, "", {}},
        {1 + 2 + 256, "", {"Alpha", "'Quoted'", "Various Thing", "Both", "Alpha", kElan}},
        // The text is looked for in the whole catalogue line, letter case ignored.
        {0, "acornSOFT", {"Alpha", "3D Maze", kElan}},
        {0, "ARCADE", {"Alpha", "beta", "Alpha"}},
        {0, "19xx", {"3D Maze"}},
        {0, "{", {"Alpha", "beta", "3D Maze", "'Quoted'", "Various Thing", "Both", "Alpha"}},
        {0, "[.UEF]", {"beta"}},
        {0, QStringLiteral("\u00E9LAN"), {kElan}},
        {0, "nowhere", {}},
        {16, "arcade", {"beta", "Alpha"}},
    };
    for (const Case& c : cases) {
        gFilter = c.filter;
        w->SetFilter(c.text, QString());
        EXPECT_EQ(Names(List()), c.names) << c.filter << " " << c.text.toStdString();
        if (c.names.isEmpty()) {
            EXPECT_EQ(w->Title(), "Corvale - No Matching Games");
            EXPECT_EQ(List().ListIndex(), -1);
        } else {
            EXPECT_EQ(w->Title(), QStringLiteral("Corvale - All (%1)").arg(c.names.size()));
            EXPECT_EQ(List().ListIndex(), 0);
        }
    }
}

TEST_F(Lists, RowsCarryNumberCellsAndGameIndex) {
    OpenWithGames();
    const Listbox& list = List();
    ASSERT_EQ(list.ListCount(), 8);
    EXPECT_EQ(Column(list, 0).mid(0, 3), QStringList({"   1", "   2", "   3"}));
    EXPECT_EQ(list.CellTag(2, 1), 3);
    const QStringList row = {list.Cell(2, 1), list.Cell(2, 2), list.Cell(2, 3), list.Cell(2, 4),
                             list.Cell(2, 5), list.Cell(2, 6), list.Cell(2, 7), list.Cell(2, 8)};
    EXPECT_EQ(row, QStringList({"3D Maze [Re]", "Acornsoft", "19XX", "Puzzle",
                                "Acornsoft/3DMaze.ssd", "", "", ""}));
    EXPECT_EQ(list.Cell(1, 5), "MicroPower/beta.uef");
    EXPECT_EQ(list.Cell(1, 7), "No");
    EXPECT_EQ(list.Cell(0, 8), "Yes");

    // After a filter the numbers count the rows, not the games.
    w->SetFilter("zeta", QString());
    EXPECT_EQ(Column(list, 0), QStringList({"   1", "   2"}));
    EXPECT_EQ(list.CellTag(0, 1), 6);
    EXPECT_EQ(list.CellTag(1, 1), 7);
}

TEST_F(Lists, RunningNumbersKeepFourCharacters) {
    QStringList lines;
    for (int i = 1; i <= 10000; ++i) lines << QStringLiteral("Game %1 (1984) (Acornsoft)").arg(i);
    WriteLines("corvale.txt", lines);
    Open();
    const Listbox& list = List();
    ASSERT_EQ(list.ListCount(), 10000);
    EXPECT_EQ(w->Title(), "Corvale - All (10000)");
    EXPECT_EQ(list.Cell(0, 0), "   1");
    EXPECT_EQ(list.Cell(99, 0), " 100");
    EXPECT_EQ(list.Cell(9998, 0), "9999");
    EXPECT_EQ(list.Cell(9999, 0), "0000");
    EXPECT_EQ(list.CellTag(9999, 1), 10000);
}

TEST_F(Lists, SelectsTheLastRowOfTheNamedGame) {
    OpenWithGames();
    struct Case {
        int filter;
        QString select;
        int row;
    } cases[] = {
        {0, "Alpha", 6},
        {0, "ALPHA", 6},
        {16, "Alpha", 1},
        {0, "3D Maze", 2},
        {0, "3D Maze [Re]", 0},  // the stored name, not the one shown
        {2, "3D Maze", 0},       // a hidden game selects the first row
        {0, "", 0},
    };
    for (const Case& c : cases) {
        gFilter = c.filter;
        w->SetFilter(QString(), c.select);
        EXPECT_EQ(List().ListIndex(), c.row) << c.select.toStdString();
    }
}

TEST_F(Lists, HighlightTagsFollowTheMode) {
    OpenWithGames();
    struct Case {
        int mode;
        QStringList highlighted;
    } cases[] = {
        {0, {}},
        {1, {"beta"}},
        {2, {"'Quoted'", "Alpha"}},
        {3, {"3D Maze"}},  // "19XX" counts; the empty year of Élan does not
        {4, {}},
    };
    for (const Case& c : cases) {
        gHighlight = c.mode;
        w->SetFilter(QString(), QString());
        QStringList highlighted;
        const QStringList names = Names(List());
        for (int row = 0; row < List().ListCount(); ++row) {
            EXPECT_EQ(List().CellTag(row, 0) & ~1, 0);
            if (List().CellTag(row, 0) == 1) highlighted << names[row];
        }
        EXPECT_EQ(highlighted, c.highlighted) << c.mode;
    }
}

TEST_F(Lists, FavouritesTab) {
    OpenWithGames();
    w->TabPanel1->SetValue(1);
    EXPECT_EQ(Names(w->lvwAll(1)), QStringList({"Alpha", "Both"}));
    EXPECT_EQ(w->Title(), "Corvale - Fav (2)");
}

TEST_F(Lists, NameTabListsByInitial) {
    OpenWithGames();
    w->TabPanel1->SetValue(2);
    const Listbox& names = w->lvwFilter(0);
    ASSERT_EQ(names.ListCount(), 27);
    QStringList rows = Column(names, 0);
    EXPECT_EQ(rows.first(), "#");
    EXPECT_EQ(rows.mid(1), QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ").split("", Qt::SkipEmptyParts));
    EXPECT_EQ(names.ListIndex(), 0);
    EXPECT_EQ(gRow, 0);
    EXPECT_EQ(Names(w->lvwAll(2)), QStringList({"3D Maze"}));
    EXPECT_EQ(w->Title(), "Corvale - # (1)");

    struct Case {
        int row;
        QStringList names;
    } cases[] = {{1, {"Alpha", "Alpha"}}, {2, {"beta", "Both"}}, {22, {"Various Thing"}}, {5, {}}};
    for (const Case& c : cases) {
        w->lvwFilter_CellClick(0, c.row, 0, 0, 0);
        EXPECT_EQ(Names(w->lvwAll(2)), c.names) << c.row;
    }
    w->lvwFilter_CellClick(0, 2, 0, 0, 0);
    EXPECT_EQ(w->Title(), "Corvale - B (2)");

    // A quote or an accented letter first lists the game under no initial.
    QStringList listed;
    for (int row = 0; row < 27; ++row) {
        w->lvwFilter_CellClick(0, row, 0, 0, 0);
        listed += Names(w->lvwAll(2));
    }
    EXPECT_EQ(listed.size(), 6);
    EXPECT_FALSE(listed.contains("'Quoted'"));
    EXPECT_FALSE(listed.contains(kElan));
}

TEST_F(Lists, PublisherTabCollapsesAdventuresAndVarious) {
    WriteLines("corvale.txt", Games());
    struct Case {
        int filter;
        QStringList categories;
        QString category;
        QStringList names;
    } cases[] = {
        {0, {"Acornsoft", "Micro Power", "Superior", "Zeta Soft"}, "Superior", {"'Quoted'", "Various Thing"}},
        {0, {}, "Zeta Soft", {"Both", "Alpha"}},
        {4, {"Acornsoft", "Adventures", "Micro Power", "Superior", "Zeta Soft"}, "Adventures",
         {"'Quoted'", "Both"}},
        {4, {}, "Superior", {"Various Thing"}},
        {8, {"Acornsoft", "Micro Power", "Superior", "Various", "Zeta Soft"}, "Various",
         {"Various Thing", "Both"}},
        {4 + 8, {"Acornsoft", "Adventures", "Micro Power", "Superior", "Various", "Zeta Soft"},
         "Adventures", {"'Quoted'", "Both"}},
        {4 + 8, {}, "Various", {"Various Thing"}},
        {4 + 8, {}, "Zeta Soft", {"Alpha"}},
        {4 + 8, {}, "Superior", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        WriteSettings(0, c.filter);
        Open();
        w->TabPanel1->SetValue(3);
        if (!c.categories.isEmpty()) {
            EXPECT_EQ(Column(w->lvwFilter(1), 0), c.categories);
        }
        const int row = CategoryRow(3, c.category);
        ASSERT_GE(row, 0) << c.category.toStdString();
        w->lvwFilter_CellClick(1, row, 0, 0, 0);
        EXPECT_EQ(Names(w->lvwAll(3)), c.names) << c.category.toStdString();
        w.reset();
    }
}

TEST_F(Lists, YearAndGenreTabsSortAsText) {
    OpenWithGames();
    w->TabPanel1->SetValue(4);
    EXPECT_EQ(Column(w->lvwFilter(2), 0),
              QStringList({"", "1984", "1985", "1986", "1987", "1988", "1990", "19XX"}));
    EXPECT_EQ(Names(w->lvwAll(4)), QStringList({kElan}));
    EXPECT_EQ(w->Title(), "Corvale -  (1)");
    w->lvwFilter_CellClick(2, 7, 0, 0, 0);
    EXPECT_EQ(Names(w->lvwAll(4)), QStringList({"3D Maze"}));
    EXPECT_EQ(w->Title(), "Corvale - 19XX (1)");

    w->TabPanel1->SetValue(5);
    EXPECT_EQ(gRow, 0);
    EXPECT_EQ(Column(w->lvwFilter(3), 0), QStringList({"", "Adventure", "Arcade", "Puzzle"}));
    EXPECT_EQ(Names(w->lvwAll(5)), QStringList({"Various Thing", "Both", kElan}));
    w->lvwFilter_CellClick(3, 2, 0, 0, 0);
    EXPECT_EQ(Names(w->lvwAll(5)), QStringList({"Alpha", "beta", "Alpha"}));
    EXPECT_EQ(w->Title(), "Corvale - Arcade (3)");

    // The category lists of "All" and "Fav" do not exist: gRow stays.
    w->TabPanel1->SetValue(0);
    EXPECT_EQ(gRow, 2);
}

TEST_F(Lists, EmptyCatalogueLeavesOnlyTheFixedCategories) {
    WriteSettings(0, 4 + 8);
    Open();
    w->TabPanel1->SetValue(3);
    EXPECT_EQ(Column(w->lvwFilter(1), 0), QStringList({"Adventures", "Various"}));
    w->TabPanel1->SetValue(4);
    EXPECT_EQ(w->lvwFilter(2).ListCount(), 0);
    EXPECT_EQ(w->Title(), "Corvale - No Matching Games");
    w->TabPanel1->SetValue(2);
    EXPECT_EQ(w->lvwFilter(0).ListCount(), 27);
}

TEST_F(Lists, NoMatchClearsThePictureAndCaption) {
    OpenWithGames();
    w->txtGame->SetText("Alpha (Acornsoft)");
    w->SetFilter("nowhere", QString());
    EXPECT_EQ(w->txtGame->Text(), "");
    EXPECT_TRUE(w->ImageWell1->Image().IsNil());
}

}  // namespace
