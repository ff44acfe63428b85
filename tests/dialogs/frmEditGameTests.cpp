#include "DialogFixture.h"

#include "app/frmMainMenu.h"
#include "dialogs/frmEditGame.h"
#include "platform/Quit.h"

namespace {

class EditGameTest : public DialogTest {
protected:
    // Writes the catalogue file and loads it, as the program holds it.
    void Catalogue(const QStringList& lines) {
        // An empty file would hold one empty line, so no games means no file.
        QFile::remove(FilePath("corvale.txt"));
        if (!lines.isEmpty())
            WriteFile("corvale.txt", (lines.join('\n') + '\n').toUtf8());
        LoadGames();
    }

    static QStringList Names() {
        QStringList names;
        for (int i = 1; i <= gamecount; ++i)
            names << games[i]->Name;
        return names;
    }

    static QStringList Rows(const ComboBox& combo) {
        QStringList rows;
        for (int i = 0; i < combo.ListCount(); ++i)
            rows << combo.List(i);
        return rows;
    }

    static class frmEditGame& Editor(bool edit, int slot) {
        gAction = edit;
        gEdit = slot;
        return frmEditGame();
    }

    QStringList FileLines() const {
        QStringList lines = QString::fromLatin1(ReadFile("corvale.txt")).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
};

TEST_F(EditGameTest, AddingInsertsTheNewGameInNameOrder) {
    const struct {
        QStringList before;
        const char* name;
        QStringList after;
        int slot;
    } cases[] = {
        {{"A", "K", "P", "Z"}, "M", {"A", "K", "M", "P", "Z"}, 3},
        {{}, "Zap", {"Zap"}, 1},
        {{"Bravo", "Delta"}, "Echo", {"Bravo", "Delta", "Echo"}, 3},
        {{"Bravo", "Delta"}, "alpha", {"alpha", "Bravo", "Delta"}, 1},
        // A namesake, letter case ignored, does not stop the search.
        {{"Bravo", "Charlie", "Delta"}, "charlie", {"Bravo", "Charlie", "charlie", "Delta"}, 3},
        {{"Bravo", "Delta"}, "delta", {"Bravo", "Delta", "delta"}, 3},
        // The empty name sorts before every other.
        {{"Bravo", "Delta"}, "", {"", "Bravo", "Delta"}, 1},
        // Not in name order: the first greater name in slot order decides.
        {{"Yankee", "Alpha"}, "Mike", {"Mike", "Yankee", "Alpha"}, 1},
        // A slash is part of the name here, not a folder.
        {{"Alpha", "Kilo", "Zulu"}, "Lima/Bravo", {"Alpha", "Kilo", "Lima/Bravo", "Zulu"}, 3},
        // Decomposed, a name is the one the file holds composed.
        {{"Alpha", "Zulu"}, "E\u0301lan", {"Alpha", "\u00C9lan", "Zulu"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList lines;
        for (const QString& n : c.before)
            lines << n + QStringLiteral(" (1984) (P)");
        Catalogue(lines);
        mainWindow.calls.clear();
        auto& w = Editor(false, 0);
        EXPECT_EQ(w.Title(), QStringLiteral("Add New Game"));
        // The rows are only offers: no combo box starts with one chosen.
        for (const ComboBox* combo : {w.cmbPub.get(), w.cmbYear.get(), w.cmbGenre.get(),
                                      w.cmbSource.get()})
            EXPECT_EQ(combo->Text(), QString());
        w.txtName->SetText(c.name);
        w.cmdOK->Push();
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(gEdit, c.slot);
        EXPECT_EQ(Names(), c.after);
        ASSERT_EQ(mainWindow.calls.size(), 1u);
        EXPECT_EQ(mainWindow.calls[0],
                  std::make_pair(QStringLiteral("zap"), QString::fromUtf8(c.name)));
    }
}

TEST_F(EditGameTest, MovedGamesKeepEverythingAndTheNewOneHasOnlyItsCheckedFlags) {
    Catalogue({"Alpha (1984) (Acme)", "Kilo (1985) (Acme)<Arcade>",
               "Papa (1986) (Bug)<Puzzle>[papa2.uef]{DfPsz}(Ann)/Tape/",
               "Zulu (1987) (Bug)<Puzzle>{dpcH}/Disc/"});
    // An audit's results, not yet saved: they must move with their games.
    games[3]->DiskOK = QStringLiteral("Yes");
    games[4]->PicOK = QStringLiteral("No");
    auto& w = Editor(false, 0);
    w.txtName->SetText("Mike");
    w.cmbPub->SetText("Newsoft");
    w.cmbYear->SetText("1990");
    w.cmbGenre->SetText("Maze");
    w.txtFilename->SetText("mike.ssd");
    w.txtAuthor->SetText(" J. Smith ");
    w.cmbSource->SetText("Typed");
    w.chkFavourite->SetValue(true);
    w.chkVarious->SetValue(true);
    w.chkUnchecked->SetValue(true);
    w.cmdOK->Push();

    ASSERT_EQ(gamecount, 5);
    EXPECT_EQ(Names(), (QStringList{"Alpha", "Kilo", "Mike", "Papa", "Zulu"}));
    EXPECT_EQ(Flags(*games[3]), QStringLiteral("fnv"));
    EXPECT_EQ(games[3]->Author, QStringLiteral(" J. Smith "));
    EXPECT_EQ(games[3]->RawFileName, QStringLiteral("mike.ssd"));
    EXPECT_EQ(games[3]->Publisher, QStringLiteral("Newsoft"));
    EXPECT_EQ(games[3]->DiskOK, QString());
    EXPECT_EQ(games[4]->DiskOK, QStringLiteral("Yes"));
    EXPECT_EQ(games[4]->PicOK, QStringLiteral("Yes"));
    EXPECT_EQ(Flags(*games[4]), QStringLiteral("DfPsz"));
    EXPECT_EQ(games[5]->PicOK, QStringLiteral("No"));
    EXPECT_EQ(Flags(*games[5]), QStringLiteral("cdHp"));
    const QStringList lines = FileLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("Papa (1986) (Bug)<Puzzle>[papa2.uef]{DfPsz}(Ann)/Tape/"));
    // The new line names exactly the checked flags: no disc or picture letter.
    EXPECT_EQ(lines[2],
              QStringLiteral("Mike (1990) (Newsoft)<Maze>[mike.ssd]{fnv}( J. Smith )/Typed/"));
    // The typed publisher is now a list entry, offered by the next editor.
    auto& next = Editor(false, 0);
    EXPECT_TRUE(Rows(*next.cmbPub).contains(QStringLiteral("Newsoft")));
    next.cmdCancel->Push();
}

TEST_F(EditGameTest, AddingToAFullArrayGrowsIt) {
    Catalogue({"Alpha (1984) (P)", "Zulu (1984) (P)"});
    games.resize(size_t(gamecount) + 1); // no spare slot left
    auto& w = Editor(false, 0);
    w.txtName->SetText("Mike");
    w.cmdOK->Push();
    EXPECT_EQ(Names(), (QStringList{"Alpha", "Mike", "Zulu"}));
    EXPECT_EQ(gEdit, 2);
}

TEST_F(EditGameTest, EditingShowsTheGameAndStoresOnlyTheSixFlags) {
    Catalogue({"Alpha (1984) (Acme)", "Kilo (1985) (Bug)<Arcade>[kilo.dsd]{sDPfcn}(Ann)/Disc/",
               "Zulu (1987) (Acme)"});
    auto& w = Editor(true, 2);
    EXPECT_EQ(w.Title(), QStringLiteral("Edit Game Info"));
    EXPECT_EQ(w.txtName->Text(), QStringLiteral("Kilo"));
    EXPECT_EQ(w.txtFilename->Text(), QStringLiteral("kilo.dsd"));
    EXPECT_EQ(w.txtAuthor->Text(), QStringLiteral("Ann"));
    EXPECT_EQ(w.cmbPub->Text(), QStringLiteral("Bug"));
    EXPECT_EQ(w.cmbYear->Text(), QStringLiteral("1985"));
    EXPECT_EQ(w.cmbGenre->Text(), QStringLiteral("Arcade"));
    EXPECT_EQ(w.cmbSource->Text(), QStringLiteral("Disc"));
    EXPECT_EQ(Rows(*w.cmbGenre), (QStringList{"", "Arcade"}));
    EXPECT_EQ(Rows(*w.cmbPub), (QStringList{"Acme", "Bug"}));
    const struct {
        CheckBox* box;
        bool shown;
    } flags[] = {{w.chkFavourite.get(), true},  {w.chkCompilation.get(), true},
                 {w.chkRerelease.get(), false}, {w.chkAdventure.get(), false},
                 {w.chkVarious.get(), false},   {w.chkUnchecked.get(), true}};
    for (const auto& f : flags)
        EXPECT_EQ(f.box->Value(), f.shown) << f.box->Caption().toStdString();

    // Renamed to sort last, favourite off, re-release on.
    w.txtName->SetText("Zzz");
    w.chkFavourite->SetValue(false);
    w.chkRerelease->SetValue(true);
    w.cmdOK->Push();
    EXPECT_EQ(gamecount, 3);
    EXPECT_EQ(Names(), (QStringList{"Alpha", "Zzz", "Zulu"}));
    EXPECT_EQ(Flags(*games[2]), QStringLiteral("cDnPrs"));
    EXPECT_EQ(games[2]->DiskOK, QStringLiteral("Yes"));
    EXPECT_EQ(FileLines().value(1),
              QStringLiteral("Zzz (1985) (Bug)<Arcade>[kilo.dsd]{cDnPrs}(Ann)/Disc/"));
    ASSERT_EQ(mainWindow.calls.size(), 1u);
    EXPECT_EQ(mainWindow.calls[0], std::make_pair(QStringLiteral("zap"), QStringLiteral("Zzz")));
}

TEST_F(EditGameTest, TheLastEntryEqualToTheValueIsSelected) {
    Catalogue({"First (1984) (P)<arcade>", "Second (1984) (P)<Arcade>"});
    // The list holds the first spelling; the second game's value selects it
    // and OK stores the entry's text.
    auto& w = Editor(true, 2);
    ASSERT_EQ(Rows(*w.cmbGenre), QStringList{"arcade"});
    EXPECT_EQ(w.cmbGenre->ListIndex(), 0);
    EXPECT_EQ(w.cmbGenre->Text(), QStringLiteral("arcade"));
    w.cmdOK->Push();
    EXPECT_EQ(games[2]->Genre, QStringLiteral("arcade"));

    // Lists set by hand: the last match wins, and no match selects row 0.
    const struct {
        QString value;
        int row;
    } cases[] = {{"ARCADE", 2}, {"Puzzle", 1}, {"Maze", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        strGenre = {"", "Arcade", "Puzzle", "arcade"};
        gGenre = 3;
        games[1]->Genre = c.value;
        auto& e = Editor(true, 1);
        EXPECT_EQ(e.cmbGenre->ListIndex(), c.row);
        EXPECT_EQ(e.cmbGenre->Text(), strGenre[size_t(c.row) + 1]);
        e.cmdCancel->Push();
    }
}

TEST_F(EditGameTest, CancelAndTheCloseButtonChangeNothing) {
    const QByteArray file = "Alpha (1984) (P)\nKilo (1985) (Q)\n";
    const std::function<void(class frmEditGame&)> closers[] = {
        [](class frmEditGame& w) { w.cmdCancel->Push(); },
        [](class frmEditGame& w) { w.Widget()->close(); },
        // Asked to end while it waits for a person: as Cancel.
        [](class frmEditGame& w) {
            Window::SetShowModalHook([](Window&) { SetEnding(true); });
            w.ShowModal();
            Window::SetShowModalHook(nullptr);
            SetEnding(false);
        },
    };
    for (bool edit : {false, true}) {
        for (const auto& close : closers) {
            WriteFile("corvale.txt", file);
            LoadGames();
            auto& w = Editor(edit, edit ? 2 : 0);
            w.txtName->SetText("Changed");
            w.chkFavourite->SetValue(true);
            close(w);
            EXPECT_FALSE(w.IsOpen());
            EXPECT_EQ(Names(), (QStringList{"Alpha", "Kilo"}));
            EXPECT_FALSE(games[2]->lcFlags[6]);
            EXPECT_EQ(ReadFile("corvale.txt"), file);
        }
    }
    EXPECT_TRUE(mainWindow.calls.empty());
}

TEST_F(EditGameTest, WithoutAMainWindowOKStillSaves) {
    SetMainWindowLink(nullptr);
    Catalogue({});
    auto& w = Editor(false, 0);
    w.txtName->SetText("Solo");
    w.cmdOK->Push();
    EXPECT_EQ(FileLines().size(), 1);
    EXPECT_EQ(Names(), QStringList{"Solo"});
}

TEST_F(EditGameTest, ShownModallyOKReturnsToTheCaller) {
    Catalogue({"Alpha (1984) (P)"});
    gAction = false;
    gEdit = 0;
    Window::SetShowModalHook([](Window& shown) {
        auto& w = static_cast<class frmEditGame&>(shown);
        w.txtName->SetText("Bravo");
        w.cmdOK->Push();
    });
    frmEditGame().ShowModal();
    EXPECT_EQ(Names(), (QStringList{"Alpha", "Bravo"}));
    EXPECT_EQ(gEdit, 2);
}

TEST_F(EditGameTest, TheSevenFieldsPopUpTheEditMenuOnAContextualClick) {
    Catalogue({});
    ASSERT_NE(EditMenu(), nullptr);
    auto& w = Editor(false, 0);
    Control* fields[] = {w.txtName.get(),     w.cmbPub.get(),    w.cmbYear.get(),  w.cmbGenre.get(),
                         w.txtFilename.get(), w.txtAuthor.get(), w.cmbSource.get()};
    for (Control* field : fields) {
        popUps.clear();
        Press(field->Widget(), Qt::LeftButton);
        EXPECT_TRUE(popUps.empty());
        Press(field->Widget(), Qt::RightButton);
        EXPECT_EQ(popUps, std::vector<QString>{QStringLiteral("EditMenu")});
    }
    popUps.clear();
    Press(w.chkFavourite->Widget(), Qt::RightButton);
    Press(w.cmdOK->Widget(), Qt::RightButton);
    EXPECT_TRUE(popUps.empty());
    // The field's own handling of the click always goes on.
    {
        ContextualClickScope contextual(true);
        EXPECT_FALSE(w.txtName_MouseDown(1, 1));
        EXPECT_FALSE(w.cmbSource_MouseDown(1, 1));
    }
    EXPECT_FALSE(w.cmbPub_MouseDown(1, 1));
    w.cmdCancel->Push();
}

TEST_F(EditGameTest, TextTheLineWouldReadBackDifferentlyIsRefused) {
    using Field = std::function<void(class frmEditGame&, const QString&)>;
    const Field name = [](class frmEditGame& w, const QString& t) { w.txtName->SetText(t); };
    const Field author = [](class frmEditGame& w, const QString& t) { w.txtAuthor->SetText(t); };
    const char* const mark = "it contains a mark of the catalogue line";
    const char* const encoding = "it contains a character the catalogue file cannot hold";
    const struct {
        Field set;
        const char* text;
        const char* caption;
        const char* reason;
    } cases[] = {
        {name, "Elite (Disc 2)", "Name", mark},
        {name, "Elite\nTwo", "Name", mark},
        {[](class frmEditGame& w, const QString& t) { w.cmbPub->SetText(t); }, "Superior (UK)",
         "Publisher", mark},
        {[](class frmEditGame& w, const QString& t) { w.cmbYear->SetText(t); }, "1984)", "Year",
         mark},
        {[](class frmEditGame& w, const QString& t) { w.cmbGenre->SetText(t); }, "Arcade>Shooter",
         "Genre", mark},
        {[](class frmEditGame& w, const QString& t) { w.txtFilename->SetText(t); }, "disc]2.ssd",
         "Filename", mark},
        // The empty file name's mark is found in the author's text: the
        // author is to blame.
        {author, "by [x]", "Author", mark},
        // Nor is the file name typed before it, which its mark passes over.
        {[](class frmEditGame& w, const QString& t) {
             w.txtFilename->SetText(QStringLiteral("disc.ssd"));
             w.txtAuthor->SetText(t);
         },
         "J. Smith <js>", "Author", mark},
        {[](class frmEditGame& w, const QString& t) { w.cmbSource->SetText(t); }, "Stairway/Tape",
         "Source", mark},
        // What Mac Roman cannot hold, a mark beside it or not.
        {name, "Smile \U0001F600 {1}", "Name", encoding},
        {author, "Ann\u2028Bob", "Author", encoding},
    };
    const QByteArray file = "Alpha (1984) (P)\n";
    for (const bool edit : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            WriteFile("corvale.txt", file);
            LoadGames();
            messages.clear();
            auto& w = Editor(edit, 1);
            c.set(w, QString::fromUtf8(c.text));
            w.cmdOK->Push();
            EXPECT_EQ(messages, QStringList{QStringLiteral("The ") + c.caption +
                                            " cannot hold this text: " + c.reason});
            EXPECT_TRUE(w.IsOpen());
            EXPECT_EQ(Names(), QStringList{"Alpha"});
            EXPECT_EQ(ReadFile("corvale.txt"), file);
            w.cmdCancel->Push();
        }
    }
    EXPECT_TRUE(mainWindow.calls.empty());
}

} // namespace
