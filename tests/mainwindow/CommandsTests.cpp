#include "CommandsFixture.h"

#include "dialogs/frmAbout.h"
#include "dialogs/frmEditGame.h"
#include "dialogs/frmSetDirectories.h"
#include "downloader/frmHTTP.h"

#include <QApplication>
#include <QWidget>

#include <utility>
#include <vector>

namespace {

const QString kSetDirectories = QStringLiteral("Please set Game, Tape and Program Directories First");

class GameCommands : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        WriteText(QStringLiteral("disc images/Acornsoft/Alpha.ssd"), QStringLiteral("disc"));
        WriteText(QStringLiteral("tape's dir/MicroPower/BetaTape.uef"), QStringLiteral("tape"));
        WriteText(QStringLiteral("tape's dir/Acornsoft/gamma.UEF.bak"), QStringLiteral("tape"));
    }
};

TEST_F(GameCommands, PlayHandsTheEmulatorTheImageAsOneArgument) {
    struct Case {
        int row;
        QString image;  // empty: the game is not available
        QString game;
    };
    const Case cases[] = {
        {0, QStringLiteral("disc images/Acornsoft/Alpha.ssd"), QStringLiteral("Alpha")},
        {1, QStringLiteral("tape's dir/MicroPower/BetaTape.uef"), QStringLiteral("Beta Tape")},
        // ".uef" in the middle of the name and in capitals still means tape.
        {2, QStringLiteral("tape's dir/Acornsoft/gamma.UEF.bak"), QStringLiteral("Gamma")},
        {3, QString(), QStringLiteral("Delta")},
    };
    for (const Case& c : cases) {
        QFile::remove(FilePath(QStringLiteral("open.log")));
        boxes.clear();
        Select(c.row);
        w->GamePlay_Action();
        if (c.image.isEmpty()) {
            EXPECT_TRUE(OpenCalls().empty()) << c.row;
            EXPECT_EQ(Messages(), QStringList{QStringLiteral("Game '") + c.game + QStringLiteral("' not available")});
        } else {
            ASSERT_EQ(OpenCalls().size(), 1u) << c.row;
            EXPECT_EQ(OpenCalls()[0], (QStringList{progDir, FilePath(c.image)})) << c.row;
            EXPECT_TRUE(boxes.empty()) << c.row;
        }
    }
}

TEST_F(GameCommands, PlayOnARowThatIsNotThereDoesNothing) {
    strGameDir.clear();  // not even the directory message
    for (int row : {-1, 4, 1000}) w->PlayGame(row);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(OpenCalls().empty());
}

TEST_F(GameCommands, AFolderInPlaceOfTheImageIsNotAvailable) {
    QFile::remove(FilePath(QStringLiteral("disc images/Acornsoft/Alpha.ssd")));
    MakeFolder(QStringLiteral("disc images/Acornsoft/Alpha.ssd"));
    w->PlayGame(0);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Game 'Alpha' not available")});
    EXPECT_TRUE(OpenCalls().empty());
}

TEST_F(GameCommands, PlayAndOpenFolderNeedAllThreeDirectories) {
    QString* const dirs[] = {&strGameDir, &strTapeDir, &strProgDir};
    for (QString* unset : dirs) {
        const QString saved = *unset;
        unset->clear();
        for (int row : {0, -1}) {
            Select(row);
            boxes.clear();
            w->GameOpenFolder_Action();
            EXPECT_EQ(Messages(), QStringList{kSetDirectories}) << row;
            boxes.clear();
            w->GamePlay_Action();
            // Play asks for a row before anything else.
            EXPECT_EQ(Messages(), row < 0 ? QStringList() : QStringList{kSetDirectories}) << row;
        }
        *unset = saved;
    }
    EXPECT_TRUE(OpenCalls().empty());
}

TEST_F(GameCommands, OpenFolderOpensTheGamesSubFolder) {
    struct Case {
        int row;
        QString fileCell;  // empty: as listed
        QString folder;
    };
    const Case cases[] = {
        {0, QString(), discDir + QStringLiteral("/Acornsoft")},
        {1, QString(), tapeDir + QStringLiteral("/MicroPower")},
        {2, QString(), tapeDir + QStringLiteral("/Acornsoft")},
        {3, QStringLiteral("Loose.ssd"), discDir + QStringLiteral("/Loose.ssd")},
        {3, QStringLiteral("Odd.Uef"), tapeDir + QStringLiteral("/Odd.Uef")},
    };
    for (const Case& c : cases) {
        QFile::remove(FilePath(QStringLiteral("open.log")));
        if (!c.fileCell.isEmpty()) List().SetCell(c.row, 5, c.fileCell);
        Select(c.row);
        w->GameOpenFolder_Action();
        ASSERT_EQ(OpenCalls().size(), 1u) << c.row;
        EXPECT_EQ(OpenCalls()[0], QStringList{c.folder}) << c.row;
    }
    // Nothing is opened without a selection, and nothing is said either.
    QFile::remove(FilePath(QStringLiteral("open.log")));
    Select(-1);
    w->GameOpenFolder_Action();
    EXPECT_TRUE(OpenCalls().empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(GameCommands, AFailingOpenIsReportedWithStatusAndOutput) {
    MakeOpenFail();
    Select(0);
    w->GamePlay_Action();
    w->GameOpenFolder_Action();
    w->HelpHelp_Action();
    w->WebGoogle_Action();
    const QString error = QStringLiteral("Error 3, open: cannot open\n");
    EXPECT_EQ(Messages(), (QStringList{error, error, error, error}));
}

TEST_F(GameCommands, CommandsOnTheSelectionDoNothingWithoutOne) {
    const QStringList before = CatalogueLines();
    Select(-1);
    const std::function<bool()> commands[] = {
        [this] { return w->GamePlay_Action(); },
        [this] { return w->SetFavouriteAdd_Action(); },
        [this] { return w->SetFavouriteRemove_Action(); },
        [this] { return w->SetGenreDummy_Action(2); },
        [this] { return w->SetYearDummy_Action(2); },
        [this] { return w->GameDeleteGame_Action(); },
        [this] { return w->GameEditGameInfo_Action(); },
    };
    for (const auto& command : commands) EXPECT_FALSE(command());
    EXPECT_EQ(CatalogueLines(), before);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(modalTitles.isEmpty());
    EXPECT_TRUE(OpenCalls().empty());
}

TEST_F(GameCommands, FavouriteAddAndRemoveRewriteTheCatalogue) {
    Select(3);
    w->SetFavouriteAdd_Action();
    EXPECT_EQ(CatalogueLines()[3], QStringLiteral("Delta (1986) (Superior)<Adventure>{Dfp}"));
    EXPECT_TRUE(games[4]->lcFlags[6]);

    // Away from the favourites tab the list is not refilled.
    Select(0);
    w->SetFavouriteRemove_Action();
    EXPECT_EQ(CatalogueLines()[0], QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DP}"));
    EXPECT_EQ(List().ListCount(), 4);
    EXPECT_EQ(List().ListIndex(), 0);

    // On it the game leaves the list and the first row is selected.
    w->TabPanel1->SetValue(1);
    ASSERT_EQ(List().ListCount(), 1);
    EXPECT_EQ(List().Cell(0, 1), QStringLiteral("Delta"));
    Select(0);
    w->SetFavouriteRemove_Action();
    EXPECT_EQ(List().ListCount(), 0);
    EXPECT_EQ(CatalogueLines()[3], QStringLiteral("Delta (1986) (Superior)<Adventure>{Dp}"));
}

TEST_F(GameCommands, SetYearStoresTheYearItsItemShows) {
    const std::pair<int, QString> cases[] = {
        {1, QStringLiteral("19xx")}, {2, QStringLiteral("1981")}, {10, QStringLiteral("1989")},
        {11, QStringLiteral("1990")}, {21, QStringLiteral("2000")}, {30, QStringLiteral("2009")},
    };
    for (const auto& [index, year] : cases) {
        Select(3);
        EXPECT_FALSE(w->SetYearDummy_Action(index));
        EXPECT_EQ(List().Cell(3, 3), year) << index;
        EXPECT_EQ(games[4]->Year, year) << index;
        EXPECT_EQ(CatalogueLines()[3], QStringLiteral("Delta (") + year + QStringLiteral(") (Superior)<Adventure>{Dp}"));
    }
    EXPECT_EQ(CatalogueLines()[0], Catalogue()[0]);
}

TEST_F(GameCommands, SetGenreTakesTheGenreListAsItStandsNow) {
    // The loaded genres, sorted, the empty one first: "", "Adventure", "Arcade".
    ASSERT_EQ(gGenre, 3);
    Select(1);
    w->SetGenreDummy_Action(3);
    EXPECT_EQ(List().Cell(1, 4), QStringLiteral("Arcade"));
    EXPECT_EQ(CatalogueLines()[1], QStringLiteral("Beta Tape (1985) (Micro Power)<Arcade>[.uef]{dP}"));
}

TEST_F(GameCommands, SetGenrePastTheGenreListChangesNothing) {
    // Items built before the list shrank, and indexes no item carries.
    ASSERT_EQ(gGenre, 3);
    for (int index : {4, 57, 0, -1}) {
        Select(0);
        QFile::remove(FilePath(QStringLiteral("corvale.txt")));
        EXPECT_FALSE(w->SetGenreDummy_Action(index));
        EXPECT_EQ(games[1]->Genre, QStringLiteral("Arcade")) << index;
        EXPECT_EQ(List().Cell(0, 4), QStringLiteral("Arcade")) << index;
        EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("corvale.txt")))) << index << ": saved";
    }
}

TEST_F(GameCommands, DeleteAsksFirstAndSelectsTheNextGame) {
    Select(1);
    yesNoAnswer = kMsgBoxNo;
    w->GameDeleteGame_Action();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Are you sure you want to delete 'Beta Tape' ?"));
    EXPECT_EQ(boxes[0].type, 36);
    EXPECT_EQ(boxes[0].title, QString());
    EXPECT_EQ(CatalogueLines(), Catalogue());

    yesNoAnswer = kMsgBoxYes;
    w->GameDeleteGame_Action();
    EXPECT_EQ(CatalogueLines(), (QStringList{Catalogue()[0], Catalogue()[2], Catalogue()[3]}));
    EXPECT_EQ(gamecount, 3);
    ASSERT_EQ(List().ListCount(), 3);
    EXPECT_EQ(List().Cell(List().ListIndex(), 1), QStringLiteral("Gamma"));

    // The last game: its own name is looked for, so the first row is selected.
    Select(2);
    w->GameDeleteGame_Action();
    EXPECT_EQ(CatalogueLines(), (QStringList{Catalogue()[0], Catalogue()[2]}));
    EXPECT_EQ(List().ListIndex(), 0);
}

class SameNameAtTheEnd : public CommandsTest {
protected:
    QStringList Catalogue() const override {
        return {QStringLiteral("Echo (1984) (Acornsoft)"), QStringLiteral("Foxtrot (1984) (Acornsoft)"),
                QStringLiteral("Echo (1985) (Superior)")};
    }
};

TEST_F(SameNameAtTheEnd, DeletingTheLastGameSelectsItsNamesake) {
    Select(2);
    w->GameDeleteGame_Action();
    EXPECT_EQ(CatalogueLines(), (QStringList{Catalogue()[0], Catalogue()[1]}));
    EXPECT_EQ(List().ListIndex(), 0);
    EXPECT_EQ(List().Cell(0, 2), QStringLiteral("Acornsoft"));
}

TEST_F(CommandsTest, WebItemsOpenTheirSitesOverHttp) {
    const std::pair<std::function<bool()>, QString> cases[] = {
        {[this] { return w->WebGoogle_Action(); }, QStringLiteral("http://www.google.com")},
        {[this] { return w->WebAllTheWeb_Action(); }, QStringLiteral("http://www.alltheweb.com")},
        {[this] { return w->WebeBay_Action(); }, QStringLiteral("http://www.ebay.com")},
        {[this] { return w->WebTheBBCLives_Action(); }, QStringLiteral("http://www.nvg.ntnu.no/bbc/")},
        {[this] { return w->WebStairwayToHell_Action(); }, QStringLiteral("http://www.stairwaytohell.com")},
        {[this] { return w->WebBBCGamesArchive_Action(); }, QStringLiteral("http://www.bbcmicrogames.com")},
        {[this] { return w->WebAcornElectronWorld_Action(); }, QStringLiteral("http://www.acornelectron.co.uk")},
    };
    std::vector<QStringList> expected;
    for (const auto& [command, address] : cases) {
        EXPECT_FALSE(command());
        expected.push_back({address});
    }
    EXPECT_EQ(OpenCalls(), expected);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, HelpOpensTheReadmeBesideTheApplicationEvenWhenMissing) {
    w->HelpHelp_Action();
    WriteText(QStringLiteral("readme.txt"), QStringLiteral("help"));
    w->HelpHelp_Action();
    const QStringList readme{FilePath(QStringLiteral("readme.txt"))};
    EXPECT_EQ(OpenCalls(), (std::vector<QStringList>{readme, readme}));
}

TEST_F(GameCommands, EditorAndDialogsAreShownModallyWithTheHandOver) {
    bool sawEditor = false, sawAbout = false, sawDirectories = false;
    int editSeen = -1;
    bool actionSeen = false;
    onModal = [&](Window& window) {
        if (dynamic_cast<class frmEditGame*>(&window)) {
            sawEditor = true;
            editSeen = gEdit;
            actionSeen = gAction;
        }
        sawAbout = sawAbout || dynamic_cast<class frmAbout*>(&window);
        sawDirectories = sawDirectories || dynamic_cast<class frmSetDirectories*>(&window);
    };
    Select(2);
    w->GameEditGameInfo_Action();
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(editSeen, 3);
    EXPECT_TRUE(actionSeen);

    sawEditor = false;
    Select(-1);  // adding needs no selection
    w->FileAddNewGame_Action();
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(editSeen, 0);
    EXPECT_FALSE(actionSeen);

    w->HelpAboutCorvale_Action();
    w->FileSetDirectories_Action();
    EXPECT_TRUE(sawAbout);
    EXPECT_TRUE(sawDirectories);
}

// The buttons that a window's flags ask of the window system; without
// CustomizeWindowHint it gives every one.
QString TitleBarButtons(const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    const bool all = !(flags & Qt::CustomizeWindowHint);
    QStringList buttons;
    if (all || (flags & Qt::WindowCloseButtonHint)) buttons << QStringLiteral("close");
    if (all || (flags & Qt::WindowMinimizeButtonHint)) buttons << QStringLiteral("minimise");
    if (all || (flags & Qt::WindowMaximizeButtonHint)) buttons << QStringLiteral("maximise");
    return buttons.join(QLatin1Char(' '));
}

TEST_F(GameCommands, NoWindowHasAMaximiseButton) {
    QStringList seen;
    const auto note = [&](const QString& title, const QWidget& window) {
        EXPECT_EQ(TitleBarButtons(window), QStringLiteral("close minimise")) << title.toStdString();
        seen << title;
    };
    note(QStringLiteral("main"), *w->Widget());
    onModal = [&](Window& window) { note(window.Title(), *window.Widget()); };
    // The directory audit's message comes while its progress window is up.
    onMessage = [&](const QString&) {
        if (QWidget* progress = QApplication::activeModalWidget()) note(progress->windowTitle(), *progress);
    };
    Select(2);
    w->GameEditGameInfo_Action();
    w->FileSetDirectories_Action();
    w->HelpAboutCorvale_Action();
    w->ImagesGetDiscs_Action();

    EXPECT_EQ(seen, (QStringList{"main", "Edit Game Info", "Set Directories", "About Corvale", "Download Disc Games",
                                 "Auditing Tapes Directory"}));
}

TEST_F(GameCommands, GetDiscsAndTapesAuditTheDirectoriesAfterTheDownloader) {
    for (bool discs : {true, false}) {
        modalTitles.clear();
        boxes.clear();
        int image = -1;
        onModal = [&](Window& window) {
            if (auto* http = dynamic_cast<frmHTTP*>(&window)) image = http->Image ? 1 : 0;
        };
        WriteText(discs ? QStringLiteral("disc images/Acornsoft/New.ssd") : QStringLiteral("tape's dir/Acornsoft/New.uef"),
                  QStringLiteral("x"));
        discs ? w->ImagesGetDiscs_Action() : w->ImagesGetTapes_Action();
        EXPECT_EQ(modalTitles, QStringList{discs ? QStringLiteral("Download Disc Games")
                                                 : QStringLiteral("Download Tape Games")});
        EXPECT_EQ(image, discs ? 1 : 0);
        EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 1 new games")});
    }
    EXPECT_EQ(gamecount, 6);
}

}  // namespace
