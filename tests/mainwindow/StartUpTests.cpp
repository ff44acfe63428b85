#include "MainWindowFixture.h"

#include "dialogs/MainWindowLink.h"

#include <QWidget>

namespace {

using StartUp = MainWindowTest;

const char* const kHeadings[] = {"Index", "Game",   "Publisher", "Year",  "Genre",
                                 "Filename", "Source", "Disk OK", "Pic OK"};

TEST_F(StartUp, WithoutFilesOpensOnAnEmptyFirstTab) {
    Open();
    EXPECT_TRUE(w->IsVisible());
    EXPECT_EQ(w->Title(), "Corvale - No Matching Games");
    EXPECT_EQ(w->TabPanel1->Value(), 0);
    const Listbox& list = w->lvwAll(0);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    ASSERT_EQ(list.ColumnCount(), 9);
    for (int column = 0; column < 9; ++column) EXPECT_EQ(list.Heading(column), kHeadings[column]);
    EXPECT_EQ(list.ColumnWidths(), "8%,30%,20%,8%,10%,10%,10%,10%,10%");
    EXPECT_EQ(list.SortedColumn(), 0);
    EXPECT_EQ(list.ColumnSortDirection(0), 1);
    // No genres: the genre submenu gains nothing; the years always come.
    EXPECT_EQ(Submenu("GameSetGenre").Count(), genresBefore);
    EXPECT_EQ(Submenu("GameSetYear").Count(), yearsBefore + 33);
    EXPECT_TRUE(w->HighlightNone()->Checked());
    EXPECT_TRUE(w->FiltersShowAll()->Checked());
    EXPECT_EQ(GetMainWindowLink(), w.get());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StartUp, WithFilesLoadsAndSelectsTheFirstRow) {
    WriteSettings(2, 4);
    OpenWithGames();
    EXPECT_EQ(gamecount, 8);
    EXPECT_EQ(w->Title(), "Corvale - All (8)");
    EXPECT_EQ(List().ListIndex(), 0);
    EXPECT_EQ(gHighlight, 2);
    EXPECT_EQ(gFilter, 4);
    // The other lists stay untouched until their tab is shown.
    for (int tab = 1; tab < 6; ++tab) EXPECT_EQ(w->lvwAll(tab).ColumnCount(), 1) << tab;
}

TEST_F(StartUp, CheckMarksFollowTheSettings) {
    struct Case {
        int highlight;
        int filter;
        QStringList checked;
    } cases[] = {
        {0, 0, {"HighlightNone", "FiltersShowAll"}},
        {3, 1 + 16, {"HighlightNoYear", "FiltersHideMissingDisks", "FiltersOnlyShowUnclassified"}},
        {7, 255,
         {"FiltersHideMissingDisks", "FiltersHideReReleases", "FiltersCollapseAdventures",
          "FiltersCollapseVarious", "FiltersOnlyShowUnclassified", "FiltersHideUnchecked",
          "FiltersHideDisks", "FiltersHideTapes"}},
        // Bits above 128 show on no item and keep "Show All" unchecked.
        {-1, 256 + 64, {"FiltersHideTapes"}},
    };
    for (const Case& c : cases) {
        ResetMarks(frmMainMenu());
        WriteSettings(c.highlight, c.filter);
        Open();
        EXPECT_EQ(Checked("HighlightMenu") + Checked("FiltersMenu"), c.checked) << c.highlight << " " << c.filter;
        w.reset();
    }
}

TEST_F(StartUp, BuildsTheGenreAndYearSubmenus) {
    OpenWithGames();
    const MenuItem& genres = Submenu("GameSetGenre");
    ASSERT_EQ(genres.Count(), genresBefore + gGenre);
    ASSERT_EQ(gGenre, 4);
    for (int i = 1; i <= gGenre; ++i) {
        const MenuItem& item = *genres.Item(genresBefore + i - 1);
        EXPECT_EQ(item.Name(), "SetGenreDummy");
        EXPECT_EQ(item.Index(), i);
        EXPECT_EQ(item.Text(), strGenre[i]);
        EXPECT_TRUE(item.AutoEnable());
    }

    const MenuItem& years = Submenu("GameSetYear");
    ASSERT_EQ(years.Count(), yearsBefore + 33);
    QStringList texts;
    int separators = 0;
    for (int p = yearsBefore; p < years.Count(); ++p) {
        const MenuItem& item = *years.Item(p);
        EXPECT_TRUE(item.AutoEnable());
        if (item.IsSeparator()) {
            ++separators;
            EXPECT_EQ(item.Name(), QStringLiteral("SetYearSep") + QString::number(separators));
            EXPECT_EQ(item.Index(), -1);
            texts << "-";
            continue;
        }
        EXPECT_EQ(item.Name(), "SetYearDummy");
        // Item k stands for 19xx (k = 1) or the year 1979 + k.
        const int k = item.Index();
        EXPECT_EQ(item.Text(), k == 1 ? QStringLiteral("19xx") : QString::number(1979 + k));
        texts << item.Text();
    }
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(texts.mid(0, 3), QStringList({"19xx", "-", "1981"}));
    EXPECT_EQ(texts.mid(10, 3), QStringList({"1989", "-", "1990"}));
    EXPECT_EQ(texts.mid(21, 3), QStringList({"1999", "-", "2000"}));
    EXPECT_EQ(texts.last(), "2009");
    EXPECT_EQ(w->SetYearDummy(30)->Text(), "2009");
}

TEST_F(StartUp, LaysOutTheControls) {
    Open();
    EXPECT_EQ(w->Width(), 1073);
    EXPECT_EQ(w->Height(), 588);
    ASSERT_EQ(w->TabPanel1->PanelCount(), 6);
    QStringList captions;
    for (int tab = 0; tab < 6; ++tab) captions << w->TabPanel1->Caption(tab);
    EXPECT_EQ(captions, QStringList({"All", "Fav", "Name", "Publisher", "Year", "Genre"}));

    struct Place {
        const Control* control;
        int page, left, top, width, height;
    } places[] = {
        {w->TabPanel1.get(), 0, 20, 14, 665, 550},
        {&w->lvwAll(0), 1, 23, 49, 658, 511},
        {&w->lvwAll(1), 2, 23, 49, 658, 511},
        {&w->lvwFilter(0), 3, 23, 49, 134, 511},
        {&w->lvwAll(2), 3, 160, 49, 521, 511},
        {&w->lvwFilter(1), 4, 23, 49, 134, 511},
        {&w->lvwAll(3), 4, 160, 49, 521, 511},
        {&w->lvwFilter(2), 5, 23, 49, 134, 511},
        {&w->lvwAll(4), 5, 160, 49, 521, 511},
        {&w->lvwFilter(3), 6, 23, 49, 134, 511},
        {&w->lvwAll(5), 6, 160, 49, 521, 511},
        {w->ImageWell1.get(), 0, 706, 141, 330, 266},
        {w->txtFilter.get(), 0, 749, 86, 215, 22},
        {w->StaticText1.get(), 0, 706, 87, 51, 20},
        {w->cmdClear.get(), 0, 976, 85, 60, 22},
        {w->txtGame.get(), 0, 706, 119, 330, 20},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.left * 1000 + p.top);
        EXPECT_EQ(p.control->PanelIndex(), p.page);
        EXPECT_EQ(p.control->Left(), p.left);
        EXPECT_EQ(p.control->Top(), p.top);
        EXPECT_EQ(p.control->Width(), p.width);
        EXPECT_EQ(p.control->Height(), p.height);
    }
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(w->lvwAll(i).HasHeading());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w->lvwFilter(i).HasHeading());
    EXPECT_EQ(w->StaticText1->Text(), "Filter");
    EXPECT_EQ(w->cmdClear->Caption(), "Clear");
    EXPECT_EQ(w->Timer1->Mode(), Timer::kModeMultiple);
    EXPECT_EQ(w->Timer1->Period(), 1000);
    EXPECT_TRUE(w->Timer1->Enabled());
    EXPECT_EQ(w->CurrentMenuBar(), &frmMainMenu());
}

TEST_F(StartUp, ClosingQuits) {
    Open();
    w->Close();
    EXPECT_EQ(quits, std::vector<int>({0}));

    // The title bar's close button goes the same way.
    quits.clear();
    w.reset();
    Open();
    w->Widget()->close();
    EXPECT_FALSE(w->IsOpen());
    EXPECT_EQ(quits, std::vector<int>({0}));
}

TEST_F(StartUp, AccessorFindsTheOpenWindowOrBuildsOne) {
    Open();
    EXPECT_EQ(&frmMain(), w.get());
    EXPECT_TRUE(frmMainExists());
    w->Close();
    class frmMain& fresh = frmMain();
    EXPECT_NE(&fresh, w.get());
    EXPECT_TRUE(fresh.IsOpen());
    EXPECT_EQ(&frmMain(), &fresh);
    DisposeMainWindow();
    w.reset();
    EXPECT_FALSE(frmMainExists());
    EXPECT_EQ(GetMainWindowLink(), nullptr);
}

TEST_F(StartUp, ItemAccessorsFindTheirEntries) {
    Open();
    EXPECT_EQ(w->GameMenu()->Name(), "GameMenu");
    EXPECT_EQ(w->EditMenu()->Text(), "Edit");
    EXPECT_EQ(w->UntitledSeparator()->Parent()->Name(), "HelpMenu");
    EXPECT_EQ(w->SetFavouriteRemove()->Text(), "Remove");
    EXPECT_EQ(w->FileSetDirectories()->Text(), "Set Directories");
    EXPECT_EQ(w->SetGenreDummy(0)->Text(), "Dummy");
    EXPECT_EQ(w->SetYearDummy(0)->Text(), "Dummy");
    EXPECT_EQ(w->SetGenreDummy(999), nullptr);
}

}  // namespace
