#include "app/frmMainMenu.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

void Walk(const MenuItem& item, QStringList& names) {
    for (int i = 0; i < item.Count(); ++i) {
        names << item.Item(i)->Name();
        Walk(*item.Item(i), names);
    }
}

TEST(frmMainMenu, HoldsEightMenusAndFiftySixEntriesWithUniqueNames) {
    QStringList names;
    Walk(frmMainMenu(), names);
    ASSERT_EQ(names.size(), 64);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 64);

    QStringList menus;
    for (int i = 0; i < frmMainMenu().Count(); ++i)
        menus << frmMainMenu().Item(i)->Text();
    EXPECT_EQ(menus, QStringList({"&File", "Edit", "Highlight", "Filters", "Game", "Images",
                                  "Web", "Help"}));
}

TEST(frmMainMenu, CaptionsAreExact) {
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"WebAllTheWeb", "All The Web "},
        {"WebTheBBCLives", "The BBC Lives !"},
        {"HelpAboutCorvale", "About Corvale..."},
        {"EditCut", "Cu&t"},
        {"FiltersOnlyShowUnclassified", "Only Show Unchecked"},
        {"UntitledSeparator7", "-"},
    };
    for (const Case& c : cases) {
        MenuItem* item = frmMainMenu().Lookup(c.name);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_EQ(item->Text(), QString(c.text)) << c.name;
    }
}

TEST(frmMainMenu, OnlyFiveEditItemsHaveShortcuts) {
    QStringList names;
    Walk(frmMainMenu(), names);
    QStringList withShortcut;
    for (const QString& name : names) {
        MenuItem* item = frmMainMenu().Lookup(name);
        EXPECT_TRUE(item->AutoEnable()) << name.toStdString();
        if (!item->KeyboardShortcut().isEmpty())
            withShortcut << name + "=" + item->KeyboardShortcut();
    }
    EXPECT_EQ(withShortcut, QStringList({"EditUndo=Cmd+Z", "EditCut=Cmd+X", "EditCopy=Cmd+C",
                                         "EditPaste=Cmd+V", "EditSelectAll=Cmd+A"}));
}

TEST(frmMainMenu, SubmenusAreReachedThroughTheGameMenuOrByLookup) {
    EXPECT_EQ(frmMainMenu().Child("GameSetGenre"), nullptr);
    MenuItem* genre = frmMainMenu().Child("GameMenu")->Child("GameSetGenre");
    ASSERT_NE(genre, nullptr);
    EXPECT_EQ(frmMainMenu().Lookup("SetGenreDummy", 0), genre->Item(0));
    EXPECT_EQ(genre->Item(0)->Index(), 0);
    EXPECT_EQ(genre->Item(0)->Text(), "Dummy");
    EXPECT_EQ(frmMainMenu().Lookup("SetYearDummy", 0)->Parent()->Name(), "GameSetYear");
    EXPECT_EQ(frmMainMenu().Lookup("SetYearDummy", 5), nullptr);
    EXPECT_EQ(frmMainMenu().Lookup("NoSuchItem"), nullptr);
    EXPECT_EQ(frmMainMenu().Lookup("GamePlay")->Index(), -1);
}

TEST(frmMainMenu, IsOneSharedInstanceWhoseEditMenuIsFoundByName) {
    EXPECT_EQ(&frmMainMenu(), &frmMainMenu());
    ASSERT_NE(EditMenu(), nullptr);
    EXPECT_EQ(EditMenu(), frmMainMenu().Child("EditMenu"));
    EXPECT_EQ(EditMenu()->Count(), 8);
}

} // namespace
