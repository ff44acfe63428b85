#include "CommandsFixture.h"

#include "catalogue/SaveTextFile.h"
#include "mainwindow/frmProgress.h"
#include "platform/TerminationSignal.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <sys/stat.h>

namespace {

// The progress window while it is shown, nullptr when there is none.
QWidget* ProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const QString title = widget->windowTitle();
        if (widget->isVisible() && (title == QLatin1String("Search Progress") || title.startsWith("Auditing ")))
            return widget;
    }
    return nullptr;
}

TEST(frmProgress, StepsAreWholePercentsDividedFirst) {
    frmProgress progress;
    EXPECT_TRUE(progress.IsVisible());  // shown when made
    EXPECT_EQ(progress.pb->Value(), 0);

    struct Case {
        int i, n, value;
    };
    const Case cases[] = {
        {1, 4, 25}, {2, 4, 50}, {3, 4, 75}, {4, 4, 100}, {1, 3, 33}, {2, 3, 66}, {3, 3, 100},
        // (29 / 100) * 100 is just below 29 in floating point.
        {29, 100, 28}, {1, 10000, 0}, {9999, 10000, 99},
    };
    for (const Case& c : cases) {
        progress.SetStep(c.i, c.n);
        EXPECT_EQ(progress.pb->Value(), c.value) << c.i << " of " << c.n;
    }
    progress.Close();
    EXPECT_FALSE(progress.IsVisible());
    progress.SetStep(1, 2);  // an audit goes on setting a closed window
}

class Audits : public CommandsTest {};

TEST_F(Audits, DiskAuditLooksForEachImageInItsDirectory) {
    WriteText(QStringLiteral("disc images/Acornsoft/Alpha.ssd"), QStringLiteral("disc"));
    WriteText(QStringLiteral("tape's dir/Acornsoft/gamma.UEF.bak"), QStringLiteral("tape"));
    // Beta Tape's image is a folder; Delta's a FIFO, which no one writes;
    // Epsilon's a device.
    MakeFolder(QStringLiteral("tape's dir/MicroPower/BetaTape.uef"));
    MakeFolder(QStringLiteral("disc images/Superior"));
    ASSERT_EQ(mkfifo(QFile::encodeName(FilePath(QStringLiteral("disc images/Superior/Delta.ssd"))), 0600), 0);
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/dev/null"), FilePath(QStringLiteral("disc images/Superior/Epsilon.ssd"))));
    ParseGame(QStringLiteral("Epsilon (1987) (Superior)"));
    w->txtFilter->SetText(QStringLiteral("Acornsoft"));

    w->FileAuditDisks_Action();
    EXPECT_EQ(CatalogueLines(), (QStringList{
                                    QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DfP}"),
                                    QStringLiteral("Beta Tape (1985) (Micro Power)[.uef]{dP}"),
                                    QStringLiteral("Gamma (19xx) (Acornsoft)[gamma.UEF.bak]{D}"),
                                    QStringLiteral("Delta (1986) (Superior)<Adventure>{dp}"),
                                    QStringLiteral("Epsilon (1987) (Superior){d}"),
                                }));
    EXPECT_EQ(games[3]->DiskOK, QStringLiteral("Yes"));
    EXPECT_EQ(ProgressWindow(), nullptr);
    // The list is refilled with the filter field's text.
    EXPECT_EQ(List().ListCount(), 2);
    EXPECT_EQ(List().ListIndex(), 0);
}

TEST_F(Audits, ImagesAreFoundAndPlayedWhateverTheirLetterCase) {
    WriteText(QStringLiteral("disc images/Acornsoft/ALPHA.SSD"), QStringLiteral("disc"));
    WriteText(QStringLiteral("tape's dir/MICROPOWER/betatape.UEF"), QStringLiteral("tape"));
    // Gamma's own name stands beside a variant that sorts before it.
    WriteText(QStringLiteral("tape's dir/Acornsoft/GAMMA.uef.bak"), QStringLiteral("variant"));
    WriteText(QStringLiteral("tape's dir/Acornsoft/gamma.UEF.bak"), QStringLiteral("exact"));

    w->FileAuditDisks_Action();
    QStringList diskOK;
    for (int i = 1; i <= gamecount; ++i) diskOK << games[i]->DiskOK;
    EXPECT_EQ(diskOK, (QStringList{"Yes", "Yes", "Yes", "No"}));

    struct Case {
        int row;
        QString image, folder;
    };
    const Case cases[] = {
        {0, QStringLiteral("disc images/Acornsoft/ALPHA.SSD"), QStringLiteral("disc images/Acornsoft")},
        {1, QStringLiteral("tape's dir/MICROPOWER/betatape.UEF"), QStringLiteral("tape's dir/MICROPOWER")},
        {2, QStringLiteral("tape's dir/Acornsoft/gamma.UEF.bak"), QStringLiteral("tape's dir/Acornsoft")},
    };
    for (const Case& c : cases) {
        QFile::remove(FilePath(QStringLiteral("open.log")));
        Select(c.row);
        w->GamePlay_Action();
        w->GameOpenFolder_Action();
        EXPECT_EQ(OpenCalls(), (std::vector<QStringList>{{progDir, FilePath(c.image)}, {FilePath(c.folder)}}))
            << c.row;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Audits, PictureAuditFollowsThePictureNameRule) {
    WriteText(QStringLiteral("bbcpics/Alpha-Acornsoft.bmp"), QStringLiteral("bmp"));
    WriteText(QStringLiteral("bbcpics/nopic.bmp"), QStringLiteral("bmp"));
    WriteText(QStringLiteral("bbcpics/BetaTape-MicroPower.bmp"), QStringLiteral("bmp"));
    w->FileAuditPictures_Action();
    EXPECT_EQ(CatalogueLines(), (QStringList{
                                    QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DfP}"),
                                    QStringLiteral("Beta Tape (1985) (Micro Power)[.uef]{dP}"),
                                    QStringLiteral("Gamma (19xx) (Acornsoft)[gamma.UEF.bak]{p}"),
                                    QStringLiteral("Delta (1986) (Superior)<Adventure>{Dp}"),
                                }));

    // Without the picture folder every picture is missing.
    QDir(FilePath(QStringLiteral("bbcpics"))).removeRecursively();
    w->FileAuditPictures_Action();
    for (int i = 1; i <= gamecount; ++i) EXPECT_EQ(games[i]->PicOK, QStringLiteral("No")) << i;
    EXPECT_TRUE(boxes.empty());
}

class EmptyCatalogue : public CommandsTest {
protected:
    QStringList Catalogue() const override { return {}; }
};

TEST_F(EmptyCatalogue, GameAuditsStillRewriteTheCatalogue) {
    const std::function<void()> audits[] = {[this] { w->AuditGames(); }, [this] { w->AuditPictures(); }};
    for (const auto& audit : audits) {
        QFile::remove(FilePath(QStringLiteral("corvale.txt")));
        gamecount = 0;
        audit();
        EXPECT_TRUE(QFile::exists(FilePath(QStringLiteral("corvale.txt"))));
        EXPECT_EQ(QFileInfo(FilePath(QStringLiteral("corvale.txt"))).size(), 0);
        EXPECT_EQ(ProgressWindow(), nullptr);
    }
}

TEST_F(Audits, DirectoryAuditAddsWhatNoGameNamesYet) {
    const QStringList files{
        QStringLiteral("disc images/Top.ssd"),  // top level: never a game
        QStringLiteral("disc images/Acornsoft/ALPHA.SSD"),  // Alpha's, in other letter case
        QStringLiteral("disc images/Acornsoft/New Game.dsd"),
        QStringLiteral("disc images/Acornsoft/notes.TXT"),
        QStringLiteral("disc images/Acornsoft/.hidden"),
        QStringLiteral("disc images/Acornsoft/Inner/deep.ssd"),  // the folder is one entry
        QStringLiteral("disc images/Acornsoft/Odd.UEF"),  // a tape found in the disc pass
        QStringLiteral("tape's dir/Top.uef"),
        QStringLiteral("tape's dir/MicroPower/BetaTape.uef"),
        QStringLiteral("tape's dir/MicroPower/Zed.UEF"),
        QStringLiteral("tape's dir/MicroPower/list.uef.txt"),
        QStringLiteral("tape's dir/MicroPower/x.uef.bak"),
        QStringLiteral("tape's dir/MicroPower/plain.ssd"),
    };
    for (const QString& f : files) WriteText(f, QStringLiteral("x"));

    // The count is reported with the progress window open, after the save.
    QStringList linesAtMessage;
    bool progressShown = false;
    bool progressModal = false;
    onMessage = [&](const QString&) {
        linesAtMessage = CatalogueLines();
        progressShown = ProgressWindow() != nullptr;
        progressModal = progressShown && QApplication::activeModalWidget() == ProgressWindow();
    };
    w->FileAuditDirectories_Action();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 5 new games")});
    EXPECT_EQ(linesAtMessage, CatalogueLines());
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(progressModal);
    EXPECT_EQ(ProgressWindow(), nullptr);

    EXPECT_EQ(CatalogueLines(), (QStringList{
                                    QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DfP}"),
                                    QStringLiteral("Beta Tape (1985) (Micro Power)[.uef]{dP}"),
                                    QStringLiteral("Gamma (19xx) (Acornsoft)[gamma.UEF.bak]"),
                                    QStringLiteral("Delta (1986) (Superior)<Adventure>{Dp}"),
                                    QStringLiteral("Inner (19xx) (Acornsoft){n}/Stairway/"),
                                    QStringLiteral("New Game (19xx) (Acornsoft)[.dsd]{n}/Stairway/"),
                                    QStringLiteral("Odd (19xx) (Acornsoft)[.UEF]{n}/Stairway Tape/"),
                                    QStringLiteral("x.uef (19xx) (MicroPower){n}/Stairway/"),
                                    QStringLiteral("Zed (19xx) (MicroPower)[.UEF]{n}/Stairway Tape/"),
                                }));
    EXPECT_EQ(List().ListCount(), 9);

    // Files whose derived path differs from their own ("New Game.dsd",
    // "x.uef.bak", the folder "Inner") are known by the path they were given.
    boxes.clear();
    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 0 new games")});
}

TEST_F(Audits, EveryFoundNameIsAddedOnceAndFound) {
    const struct {
        const char* file;
        const char* line;
    } entries[] = {
        {"Pub/Chuckie Egg.ssd", "Chuckie Egg (19xx) (Pub){n}/Stairway/"},
        {"Pub/Rock & Roll!.ssd", "Rock & Roll! (19xx) (Pub){n}/Stairway/"},
        {"Pub/Lunar Docks, The.ssd", "Lunar Docks, The (19xx) (Pub){n}/Stairway/"},
        {"Pub/\u00C9lite.ssd", "\u00C9lite (19xx) (Pub){n}/Stairway/"},
        {"Pub/E\u0301lan.ssd", "\u00C9lan (19xx) (Pub){n}/Stairway/"},  // the line is written composed
        {"Pub/Frak.dsk", "Frak (19xx) (Pub){n}/Stairway/"},
        {"Pub/Zalaga", "Zalaga (19xx) (Pub){n}/Stairway/"},
        {"Pub/Repton 2 (1985)(Superior)[!].ssd", "Repton 2 (19xx) (Pub){n}/Stairway/"},
        {"Micro Power/Castle.ssd", "Castle (19xx) (Micro Power){n}/Stairway/"},
        {"Addictive Games/Boffin.ssd", "Boffin (19xx) (Addictive Games){n}/Stairway/"},
        // A folder "Superior" without the file does not hide it.
        {"Superior (UK)/Ravenskull.ssd", "Ravenskull (19xx) (Superior){n}/Stairway/"},
        // Nor does the folder "Elite.ssd", the path its game is given.
        {"Pub/Elite (1984).ssd", "Elite (19xx) (Pub){n}/Stairway/"},
        // Without a "(", a name is stored whole.
        {"Acornsoft/Zap.ssd", "Zap (19xx) (Acornsoft){n}/Stairway/"},
        {"Acornsoft/Blank .ssd", "Blank  (19xx) (Acornsoft){n}/Stairway/"},
        // A folder that holds no publisher's name; a mark Mac Roman writes as "?".
        {"(Unknown)/Mystery.ssd", "Mystery (19xx) (){n}/Stairway/"},
        {"Pub/a\u0344b.ssd", "a?b (19xx) (Pub){n}/Stairway/"},
    };
    MakeFolder(QStringLiteral("disc images/Superior"));
    MakeFolder(QStringLiteral("disc images/Pub/Elite.ssd"));
    for (const auto& e : entries) WriteText(QStringLiteral("disc images/") + QString::fromUtf8(e.file), "x");
    // A game that names its file, composed, found decomposed on disk.
    ParseGame(QStringLiteral("Z\u00E9nith (1984) (Pub)[Z\u00E9nith.ssd]"));
    WriteText(QStringLiteral("disc images/Pub/Ze\u0301nith.ssd"), "x");
    const auto lines = [] {
        QStringList all;
        for (int i = 1; i <= gamecount; ++i) all << BuildGame(i);
        return all;
    };

    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 16 new games")});
    for (const auto& e : entries) EXPECT_EQ(lines().count(QString::fromUtf8(e.line)), 1) << e.file;

    boxes.clear();
    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 0 new games")});

    w->AuditGames();
    for (int i = 1; i <= gamecount; ++i) {
        if (games[i]->Source == QLatin1String("Stairway") || games[i]->Publisher == QLatin1String("Pub")) {
            EXPECT_EQ(games[i]->DiskOK, QStringLiteral("Yes")) << games[i]->DisplayFilename.toStdString();
        }
    }
    // Play and Open Folder find them as the audit does, though a folder of
    // the derived name ("Superior") lacks the game.
    for (const char* name : {"Castle", "Ravenskull"}) {
        for (int row = 0; row < List().ListCount(); ++row)
            if (List().Cell(row, 1) == QLatin1String(name)) Select(row);
        w->GamePlay_Action();
        w->GameOpenFolder_Action();
    }
    const QString castle = FilePath(QStringLiteral("disc images/Micro Power"));
    const QString ravenskull = FilePath(QStringLiteral("disc images/Superior (UK)"));
    EXPECT_EQ(OpenCalls(), (std::vector<QStringList>{{progDir, castle + QStringLiteral("/Castle.ssd")},
                                                     {castle},
                                                     {progDir, ravenskull + QStringLiteral("/Ravenskull.ssd")},
                                                     {ravenskull}}));
}

TEST_F(Audits, ProgressWindowHoldsOffEveryCommandUntilTheAuditEnds) {
    WriteText(QStringLiteral("disc images/Pub/One.ssd"), QStringLiteral("x"));
    WriteText(QStringLiteral("disc images/Pub/Two.ssd"), QStringLiteral("x"));
    bool closed = true;
    bool modalAfterwards = false;
    // Runs at the audit's first hand-over to the event loop: the title-bar
    // close, then a second "Audit Directories" from the main window's menu.
    QTimer::singleShot(0, [&] {
        QWidget* progress = ProgressWindow();
        if (!progress) return;
        closed = progress->close();
        frmMainMenu().Lookup(QStringLiteral("FileAuditDirectories"))->Choose();
        modalAfterwards = progress->isVisible() && QApplication::activeModalWidget() == progress;
    });
    w->AuditDirectories();
    EXPECT_FALSE(closed);
    EXPECT_TRUE(modalAfterwards);
    EXPECT_EQ(ProgressWindow(), nullptr);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 2 new games")});
    const QStringList lines = CatalogueLines();
    EXPECT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.filter(QStringLiteral("One (19xx)")).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("Two (19xx)")).size(), 1);

    // Once the audit has ended the menu reaches the main window again.
    boxes.clear();
    frmMainMenu().Lookup(QStringLiteral("FileAuditDirectories"))->Choose();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 0 new games")});
}

TEST_F(Audits, AnEndAskedForDuringAnAuditWaitsForItsSaveAndItsMessagesGoToStandardError) {
    WriteText(QStringLiteral("disc images/Pub/One.ssd"), QStringLiteral("x"));
    RefuseSaves(AppFolder().Child(QStringLiteral("corvale.txt")));
    bool ended = false;
    QTimer::singleShot(0, [&] { EndWhenNoCommandRuns([&] { ended = true; }); });
    testing::internal::CaptureStderr();
    w->AuditDirectories();
    const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_FALSE(ended);
    EXPECT_EQ(said, QStringLiteral("Could not save ") + FilePath("corvale.txt") +
                        QStringLiteral(": it could not be read, so it was left as it was\nAdded 1 new games\n"));
    EXPECT_TRUE(boxes.empty());
    QEventLoop idle;  // the program's own loop, waiting for the next command
    QTimer::singleShot(100, &idle, &QEventLoop::quit);
    idle.exec();
    EXPECT_TRUE(ended);
    SetEnding(false);
}

TEST_F(Audits, BothDirectoriesTheSameFolderAddATapeOnce) {
    strTapeDir = strGameDir;
    WriteText(QStringLiteral("disc images/Pub/Twice.uef"), QStringLiteral("x"));
    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 1 new games")});
    EXPECT_EQ(gamecount, 5);
}

TEST_F(Audits, AFolderThatChangesDuringTheWalkGivesEachEntryOnce) {
    for (const char* name : {"B.ssd", "C.ssd", "D.ssd"}) WriteText(QStringLiteral("disc images/Pub/") + name, "x");
    // At the walk's first hand-over to the event loop, after "B", an entry
    // appears before it.
    QTimer::singleShot(0, [this] { WriteText(QStringLiteral("disc images/Pub/A.ssd"), QStringLiteral("x")); });
    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 3 new games")});
    for (const char* name : {"B", "C", "D"})
        EXPECT_EQ(CatalogueLines().filter(QLatin1String(name) + QStringLiteral(" (19xx)")).size(), 1) << name;
    // What appeared meanwhile is found by the next audit.
    boxes.clear();
    w->AuditDirectories();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 1 new games")});
}

TEST_F(Audits, DirectoriesUnsetOrMissingAddNothingButStillSave) {
    const std::pair<QString, QString> cases[] = {
        {QString(), QString()},
        {FilePath(QStringLiteral("no such dir")), FilePath(QStringLiteral("corvale.txt"))},
    };
    for (const auto& [disc, tape] : cases) {
        boxes.clear();
        strGameDir = disc;
        strTapeDir = tape;
        QFile::remove(FilePath(QStringLiteral("corvale.txt")));
        w->AuditDirectories();
        EXPECT_EQ(Messages(), QStringList{QStringLiteral("Added 0 new games")});
        EXPECT_EQ(CatalogueLines(), Catalogue());
    }
}

}  // namespace
