#include "MainWindowFixture.h"

namespace {

using Menus = MainWindowTest;

TEST_F(Menus, HighlightItemsSwitchTheModeAndSaveIt) {
    OpenWithGames();
    struct Case {
        const char* item;
        int mode;
        int highlightedRows;
    } cases[] = {
        {"HighlightNoPicture", 2, 2},
        {"HighlightNoPicture", 2, 2},  // again: still checked, still saved
        {"HighlightNoDisk", 1, 1},
        {"HighlightNoYear", 3, 1},
        {"HighlightNone", 0, 0},
    };
    for (const Case& c : cases) {
        QFile::remove(FilePath("corvale.ini"));
        frmMainMenu().Lookup(QLatin1String(c.item))->Choose();
        EXPECT_EQ(gHighlight, c.mode);
        EXPECT_EQ(Checked("HighlightMenu"), QStringList({c.item}));
        ASSERT_EQ(SettingsLines().size(), 5);
        EXPECT_EQ(SettingsLines()[3], QString::number(c.mode));
        int highlighted = 0;
        for (int row = 0; row < List().ListCount(); ++row) highlighted += List().CellTag(row, 0);
        EXPECT_EQ(highlighted, c.highlightedRows) << c.item;
    }
}

TEST_F(Menus, HighlightOutOfRangeChecksNothing) {
    WriteSettings(9, 0);
    OpenWithGames();
    EXPECT_TRUE(Checked("HighlightMenu").isEmpty());
    w->SetHighlight(2);
    EXPECT_EQ(Checked("HighlightMenu"), QStringList({"HighlightNoPicture"}));
    w->SetHighlight(-4);
    EXPECT_TRUE(Checked("HighlightMenu").isEmpty());
}

TEST_F(Menus, FilterItemsToggleTheirBitAndSaveIt) {
    WriteSettings(0, 512);
    OpenWithGames();
    struct Case {
        const char* item;
        int filter;
        QStringList checked;
    } cases[] = {
        // A bit that no item shows survives every toggle but "Show All".
        {"FiltersHideTapes", 512 + 64, {"FiltersHideTapes"}},
        {"FiltersHideUnchecked", 512 + 64 + 128, {"FiltersHideUnchecked", "FiltersHideTapes"}},
        {"FiltersHideTapes", 512 + 128, {"FiltersHideUnchecked"}},
        {"FiltersShowAll", 0, {"FiltersShowAll"}},
        {"FiltersShowAll", 0, {"FiltersShowAll"}},
        {"FiltersHideMissingDisks", 1, {"FiltersHideMissingDisks"}},
        {"FiltersHideReReleases", 3, {"FiltersHideMissingDisks", "FiltersHideReReleases"}},
        {"FiltersHideMissingDisks", 2, {"FiltersHideReReleases"}},
        {"FiltersCollapseAdventures", 6, {"FiltersHideReReleases", "FiltersCollapseAdventures"}},
        {"FiltersCollapseVarious", 14,
         {"FiltersHideReReleases", "FiltersCollapseAdventures", "FiltersCollapseVarious"}},
        {"FiltersOnlyShowUnclassified", 30,
         {"FiltersHideReReleases", "FiltersCollapseAdventures", "FiltersCollapseVarious",
          "FiltersOnlyShowUnclassified"}},
        {"FiltersHideDisks", 62,
         {"FiltersHideReReleases", "FiltersCollapseAdventures", "FiltersCollapseVarious",
          "FiltersOnlyShowUnclassified", "FiltersHideDisks"}},
    };
    for (const Case& c : cases) {
        QFile::remove(FilePath("corvale.ini"));
        frmMainMenu().Lookup(QLatin1String(c.item))->Choose();
        EXPECT_EQ(gFilter, c.filter) << c.item;
        EXPECT_EQ(Checked("FiltersMenu"), c.checked) << c.item;
        ASSERT_EQ(SettingsLines().size(), 5);
        EXPECT_EQ(SettingsLines()[4], QString::number(c.filter));
    }
    // Bits 16 and 32 left only beta, a tape game that is unchecked.
    EXPECT_EQ(Names(List()), QStringList({"beta"}));
}

TEST_F(Menus, FilterChangeRebuildsTheCategoriesAndGoesBackToTheFirst) {
    OpenWithGames();
    w->TabPanel1->SetValue(3);
    w->lvwFilter_CellClick(1, 2, 0, 0, 0);
    ASSERT_EQ(gRow, 2);
    w->SetFilters(4);
    EXPECT_EQ(gRow, 0);
    EXPECT_EQ(w->lvwFilter(1).ListIndex(), 0);
    EXPECT_EQ(w->lvwFilter(1).Cell(1, 0), "Adventures");
    EXPECT_EQ(w->Title(), "Corvale - Acornsoft (3)");
    // A highlight change keeps the category.
    w->lvwFilter_CellClick(1, 1, 0, 0, 0);
    w->SetHighlight(2);
    EXPECT_EQ(w->Title(), "Corvale - Adventures (2)");
}

TEST_F(Menus, EnablingHidesTheDummiesAndEnablesTheSubmenus) {
    OpenWithGames();
    MenuItem& genres = Submenu("GameSetGenre");
    MenuItem& years = Submenu("GameSetYear");
    genres.Item(genres.Count() - 1)->SetEnabled(false);
    years.Item(yearsBefore + 1)->SetEnabled(false);  // a separator
    for (int pass = 0; pass < 2; ++pass) {
        w->EnableMenuItems();
        for (MenuItem* menu : {&genres, &years}) {
            EXPECT_FALSE(menu->Item(0)->Visible());
            EXPECT_EQ(menu->Item(0)->Index(), 0);
            for (int p = 0; p < menu->Count(); ++p) EXPECT_TRUE(menu->Item(p)->Enabled()) << p;
            for (int p = 1; p < menu->Count(); ++p) EXPECT_TRUE(menu->Item(p)->Visible()) << p;
        }
    }
    // Choosing any item prepares the menus the same way.
    genres.Item(0)->SetVisible(true);
    w->HighlightNone()->Choose();
    EXPECT_FALSE(genres.Item(0)->Visible());
}

}  // namespace
