#include "platform/EditField.h"
#include "platform/MenuBar.h"
#include "platform/MenuItem.h"
#include "platform/PushButton.h"
#include "platform/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

MenuItem* Add(MenuItem& parent, const QString& name, const QString& text, int index = -1) {
    auto item = std::make_unique<MenuItem>(name, text);
    item->SetAutoEnable(true);
    item->SetIndex(index);
    return parent.Append(std::move(item));
}

// A small tree shaped like the program's: menus, a submenu with a control
// array, separators and the Edit items.
struct Tree {
    MenuBar bar;
    MenuItem* edit;
    MenuItem* game;
    MenuItem* setGenre;

    Tree() {
        edit = Add(bar, QStringLiteral("EditMenu"), QStringLiteral("Edit"));
        for (const char* name :
             {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditDelete", "EditSelectAll"})
            Add(*edit, QString::fromLatin1(name), QString::fromLatin1(name));
        game = Add(bar, QStringLiteral("GameMenu"), QStringLiteral("Game"));
        Add(*game, QStringLiteral("GamePlay"), QStringLiteral("Play"));
        Add(*game, QStringLiteral("UntitledSeparator5"), QStringLiteral("-"));
        setGenre = Add(*game, QStringLiteral("GameSetGenre"), QStringLiteral("Set Genre"));
        Add(*setGenre, QStringLiteral("SetGenreDummy"), QStringLiteral("Dummy"), 0);
    }
};

class MenuWindow : public Window {
public:
    MenuWindow() : Window(300, 200, QStringLiteral("Menus")) {}
    void EnableMenuItems() override {
        ++prepared;
        if (onPrepare) onPrepare();
    }
    int prepared = 0;
    std::function<void()> onPrepare;
};

TEST(MenuTree, FindsItemsByNameAndIndex) {
    Tree tree;
    for (int i = 1; i <= 3; ++i)
        Add(*tree.setGenre, QStringLiteral("SetGenreDummy"), QStringLiteral("G%1").arg(i), i);

    EXPECT_EQ(tree.bar.Child(QStringLiteral("GameMenu")), tree.game);
    EXPECT_EQ(tree.bar.Child(QStringLiteral("GamePlay")), nullptr) << "Child is direct only";
    EXPECT_EQ(tree.game->Child(QStringLiteral("SetGenreDummy")), nullptr);
    EXPECT_EQ(tree.bar.Lookup(QStringLiteral("GamePlay")), tree.game->Item(0));
    EXPECT_EQ(tree.bar.Lookup(QStringLiteral("SetGenreDummy")), tree.setGenre->Item(0));
    EXPECT_EQ(tree.bar.Lookup(QStringLiteral("SetGenreDummy"), 2)->Text(), QStringLiteral("G2"));
    EXPECT_EQ(tree.bar.Lookup(QStringLiteral("SetGenreDummy"), 4), nullptr);
    EXPECT_EQ(tree.bar.Lookup(QStringLiteral("Nothing")), nullptr);
    EXPECT_EQ(tree.setGenre->Count(), 4);
    EXPECT_EQ(tree.setGenre->Item(4), nullptr);
    EXPECT_EQ(tree.setGenre->Item(-1), nullptr);
    EXPECT_TRUE(tree.game->Item(1)->IsSeparator());
}

TEST(MenuTree, ShortcutsUseCtrlForCmd) {
    MenuItem item(QStringLiteral("EditCut"), QStringLiteral("Cu&t"));
    item.SetKeyboardShortcut(QStringLiteral("Cmd+X"));
    EXPECT_EQ(item.Action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    item.SetKeyboardShortcut(QString());
    EXPECT_TRUE(item.Action()->shortcut().isEmpty());
}

TEST(MenuTree, QtShowsSeparatorsBareAndMarksOnlyWhenChecked) {
    Tree tree;
    MenuItem* separator = tree.game->Item(1);
    QAction* line = separator->Action();
    EXPECT_TRUE(line->isSeparator());
    EXPECT_TRUE(line->text().isEmpty());
    EXPECT_EQ(separator->Text(), QStringLiteral("-"));

    MenuItem* play = tree.game->Item(0);
    QAction* action = play->Action();
    EXPECT_FALSE(action->isCheckable());
    play->SetChecked(true);
    EXPECT_TRUE(action->isCheckable());
    EXPECT_TRUE(action->isChecked());
    play->SetChecked(false);
    EXPECT_FALSE(action->isCheckable()) << "an unchecked item shows no empty box";
    EXPECT_EQ(action->text(), QStringLiteral("Play"));
}

TEST(MenuTree, ChoosingRunsTheWindowsHandlerWithTheIndex) {
    Tree tree;
    MenuWindow window;
    window.SetMenuBar(&tree.bar);
    for (int i = 1; i <= 3; ++i)
        Add(*tree.setGenre, QStringLiteral("SetGenreDummy"), QStringLiteral("G%1").arg(i), i);
    std::vector<int> genres;
    int plays = 0;
    window.AddMenuHandler(QStringLiteral("GamePlay"), [&] {
        ++plays;
        return false;
    });
    window.AddMenuHandler(QStringLiteral("SetGenreDummy"), [&](int index) {
        genres.push_back(index);
        return false;
    });

    tree.bar.Lookup(QStringLiteral("GamePlay"))->Choose();
    tree.bar.Lookup(QStringLiteral("SetGenreDummy"), 3)->Choose();
    tree.bar.Lookup(QStringLiteral("SetGenreDummy"), 1)->Choose();
    tree.game->Item(1)->Choose();  // a separator does nothing
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(genres, (std::vector<int>{3, 1}));
    EXPECT_EQ(window.prepared, 4) << "EnableMenuItems comes before each choice";
}

TEST(MenuTree, EnableMenuItemsDecidesWhatCanBeChosen) {
    Tree tree;
    MenuWindow window;
    window.SetMenuBar(&tree.bar);
    MenuItem* play = tree.bar.Lookup(QStringLiteral("GamePlay"));
    MenuItem* dummy = tree.bar.Lookup(QStringLiteral("SetGenreDummy"), 0);
    int plays = 0;
    window.AddMenuHandler(QStringLiteral("GamePlay"), [&] {
        ++plays;
        return false;
    });
    window.onPrepare = [&] { dummy->SetVisible(false); };

    // AutoEnable items come back enabled each time the menus are prepared.
    play->SetEnabled(false);
    play->Choose();
    EXPECT_EQ(plays, 1);

    // An item that EnableMenuItems disables is not chosen.
    window.onPrepare = [&] { play->SetEnabled(false); };
    play->Choose();
    EXPECT_EQ(plays, 1);

    // Showing a menu prepares it too.
    window.onPrepare = [&] { dummy->SetVisible(false); };
    const int before = window.prepared;
    emit tree.setGenre->Menu()->aboutToShow();
    EXPECT_EQ(window.prepared, before + 1);
    EXPECT_FALSE(dummy->Action()->isVisible());
}

TEST(MenuTree, ItemsAppendedAfterShowingAppear) {
    Tree tree;
    MenuWindow window;
    window.SetMenuBar(&tree.bar);
    window.Show();
    const int shown = tree.setGenre->Menu()->actions().size();
    Add(*tree.setGenre, QStringLiteral("SetGenreDummy"), QStringLiteral("Arcade"), 1);
    ASSERT_EQ(tree.setGenre->Menu()->actions().size(), shown + 1);
    EXPECT_EQ(tree.setGenre->Menu()->actions().back()->text(), QStringLiteral("Arcade"));

    // A leaf that gains children becomes a submenu; a new menu reaches the bar.
    MenuItem* play = tree.bar.Lookup(QStringLiteral("GamePlay"));
    Add(*play, QStringLiteral("PlayFast"), QStringLiteral("Fast"));
    ASSERT_NE(play->Action()->menu(), nullptr);
    MenuItem* help = Add(tree.bar, QStringLiteral("HelpMenu"), QStringLiteral("Help"));
    EXPECT_TRUE(window.Widget()->findChild<QMenuBar*>()->actions().contains(help->Action()));
}

// A window showing the tree, with "Play" on Cmd+P counted.
class PlayShortcut : public ::testing::Test {
protected:
    Tree tree;
    MenuWindow window;
    MenuItem* play = tree.bar.Lookup(QStringLiteral("GamePlay"));
    int plays = 0;

    void SetUp() override {
        window.SetMenuBar(&tree.bar);
        play->SetKeyboardShortcut(QStringLiteral("Cmd+P"));
        window.AddMenuHandler(QStringLiteral("GamePlay"), [this] {
            ++plays;
            return false;
        });
    }
};

TEST_F(PlayShortcut, PreparesTheMenusBeforeActing) {
    window.Show();
    QApplication::setActiveWindow(window.Widget());
    QTest::keyClick(window.Widget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(window.prepared, 1);

    window.onPrepare = [&] { play->SetEnabled(false); };
    QTest::keyClick(window.Widget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(plays, 1) << "disabled by EnableMenuItems";
}

TEST_F(PlayShortcut, AWindowUnderAModalOneTakesNoCommands) {
    PushButton ok(window, 10, 10, 80, 20, QStringLiteral("OK"));
    ok.SetDefault(true);
    int pushes = 0;
    ok.Action = [&] { ++pushes; };
    window.Show();

    Window modal(300, 100, QStringLiteral("Modal"));
    EditField field(modal, 10, 10, 200, 22);
    modal.ShowWithinModal();
    // Even when the blocked window is the active one, as a window system may make it.
    QApplication::setActiveWindow(window.Widget());
    QTest::keyClick(window.Widget(), Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(window.Widget(), Qt::Key_Return);
    play->Choose();
    const auto previous =
        MenuItem::SetPopUpHook([](MenuItem& menu) { return menu.Child(QStringLiteral("GamePlay")); });
    tree.game->PopUp();
    MenuItem::SetPopUpHook(previous);
    EXPECT_EQ(plays, 0);
    EXPECT_EQ(pushes, 0);

    // The Edit items still edit the modal window's field.
    QApplication::setActiveWindow(modal.Widget());
    field.SetFocus();
    field.SetText(QStringLiteral("hello"));
    tree.bar.Lookup(QStringLiteral("EditSelectAll"))->Choose();
    tree.bar.Lookup(QStringLiteral("EditCut"))->Choose();
    EXPECT_EQ(field.Text(), QString());

    modal.Close();
    play->Choose();
    EXPECT_EQ(plays, 1);
}

TEST(MenuTree, PopUpChoosesThroughTheSameRoad) {
    Tree tree;
    MenuWindow window;
    window.SetMenuBar(&tree.bar);
    int plays = 0;
    window.AddMenuHandler(QStringLiteral("GamePlay"), [&] {
        ++plays;
        return false;
    });
    std::vector<QString> offered;
    const auto previous = MenuItem::SetPopUpHook([&](MenuItem& menu) {
        offered.push_back(menu.Name());
        return menu.Child(QStringLiteral("GamePlay"));
    });
    EXPECT_EQ(tree.game->PopUp(), tree.game->Item(0));
    MenuItem::SetPopUpHook([](MenuItem&) { return nullptr; });
    EXPECT_EQ(tree.game->PopUp(), nullptr);
    MenuItem::SetPopUpHook(previous);
    EXPECT_EQ(offered, (std::vector<QString>{QStringLiteral("GameMenu")}));
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(window.prepared, 2);
}

TEST(MenuTree, EditItemsWithoutHandlerEditTheFocusedField) {
    Tree tree;
    MenuWindow window;
    window.SetMenuBar(&tree.bar);
    EditField field(window, 10, 10, 200, 22);
    window.Show();
    field.SetFocus();
    field.SetText(QStringLiteral("hello"));
    auto choose = [&](const char* name) { tree.bar.Lookup(QString::fromLatin1(name))->Choose(); };

    choose("EditSelectAll");
    choose("EditCut");
    EXPECT_EQ(field.Text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));
    choose("EditPaste");
    choose("EditPaste");
    EXPECT_EQ(field.Text(), QStringLiteral("hellohello"));
    choose("EditUndo");
    EXPECT_EQ(field.Text(), QStringLiteral("hello"));
    choose("EditDelete");  // no selection: nothing to delete
    EXPECT_EQ(field.Text(), QStringLiteral("hello"));
    choose("EditSelectAll");
    choose("EditDelete");
    EXPECT_EQ(field.Text(), QString());

    // A bound handler takes the item over.
    window.AddMenuHandler(QStringLiteral("EditPaste"), [] { return false; });
    choose("EditPaste");
    EXPECT_EQ(field.Text(), QString());
}

}  // namespace
