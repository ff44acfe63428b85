#include "CatalogueFixture.h"

#include <QDir>

namespace {

using CatalogueFile = CatalogueTest;

TEST_F(CatalogueFile, NoFileGivesAnEmptyCatalogueSilently) {
    LoadGames();
    EXPECT_EQ(gamecount, 0);
    for (const auto* list : {&strPub, &strYear, &strGenre, &strSource}) EXPECT_EQ(UBound(*list), 0);
    EXPECT_EQ(gPub + gYear + gGenre + gSource, 0);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(cursors, (std::vector<CursorShape>{CursorShape::Wait, CursorShape::Standard}));
}

TEST_F(CatalogueFile, EveryLineEndGivesOneGamePerLine) {
    const struct {
        QByteArray bytes;
        QStringList names;
    } cases[] = {
        {"", {""}},
        {"A (1) (P)\n", {"A"}},
        {"A (1) (P)\nB (1) (P)", {"A", "B"}},
        {"A (1) (P)\rB (1) (P)\r", {"A", "B"}},
        {"A (1) (P)\r\nB (1) (P)\r\n", {"A", "B"}},
        {"A (1) (P)\n\nB (1) (P)\n", {"A", "", "B"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        WriteFile("corvale.txt", c.bytes);
        LoadGames();
        QStringList names;
        for (int i = 1; i <= gamecount; ++i) names << games[i]->Name;
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(CatalogueFile, ValueListsAreDistinctSortedAndCutToTheirCount) {
    WriteFile("corvale.txt",
              "Z (1985) (orbit soft)<Puzzle>/Disc/\n"
              "Y (1984) (Orbit Soft)\n"
              "X (1984) (Acme)<arcade>/disc/\n"
              "W (19xx) (\x80lan)<Arcade>\n");
    LoadGames();
    ASSERT_EQ(gamecount, 4);
    // The first game's letter case stays; the empty genre stands first.
    EXPECT_EQ(Slots(strPub, gPub), (QStringList{"Acme", "orbit soft", "\u00C4lan"}));
    EXPECT_EQ(Slots(strYear, gYear), (QStringList{"1984", "1985", "19xx"}));
    EXPECT_EQ(Slots(strGenre, gGenre), (QStringList{"", "arcade", "Puzzle"}));
    EXPECT_EQ(Slots(strSource, gSource), (QStringList{"", "Disc"}));
    EXPECT_EQ(UBound(strPub), gPub);
    EXPECT_EQ(UBound(strYear), gYear);
    EXPECT_EQ(UBound(strGenre), gGenre);
    EXPECT_EQ(UBound(strSource), gSource);
    for (const auto* list : {&strPub, &strYear, &strGenre, &strSource}) EXPECT_TRUE((*list)[0].isEmpty());
    // The sort moved the entries; a later check still finds each of them.
    for (const char* v : {"ACME", "Orbit Soft", "\u00E4LAN"}) CheckPub(QString::fromUtf8(v));
    EXPECT_EQ(gPub, 3);

    // A second load starts the lists afresh.
    WriteFile("corvale.txt", "Q (2001) (New)\n");
    LoadGames();
    EXPECT_EQ(Slots(strPub, gPub), (QStringList{"New"}));
    EXPECT_EQ(Slots(strGenre, gGenre), (QStringList{""}));
}

TEST_F(CatalogueFile, CheckingValuesKeepsTheFirstLetterCase) {
    // Letters beyond the first 65536 fold as one character of two halves.
    for (const char* v : {"Arcade", "ARCADE", "", "Puzzle", "arcade", "", "\u00C9p\u00E9e", "\u00E9P\u00C9E",
                          "\U00010400x", "\U00010428X"})
        CheckGenre(QString::fromUtf8(v));
    EXPECT_EQ(Slots(strGenre, gGenre), (QStringList{"Arcade", "", "Puzzle", "\u00C9p\u00E9e", "\U00010400x"}));
    // A list changed by hand is still checked against what it holds.
    strGenre[1] = QStringLiteral("Strategy");
    CheckGenre(QStringLiteral("arcade"));
    CheckGenre(QStringLiteral("strategy"));
    EXPECT_EQ(Slots(strGenre, gGenre),
              (QStringList{"Strategy", "", "Puzzle", "\u00C9p\u00E9e", "\U00010400x", "arcade"}));
}

TEST_F(CatalogueFile, SaveThenLoadKeepsEveryGameInItsSlot) {
    const QByteArray lines =
        "Lunar Docks, The (1984) (Addictive Games)<Arcade>[.dsd]{sPDf}(Team Nine)/Magazine/\n"
        "Zap Zone (19xx) (Orbit Soft)\n"
        "Caf\x8E (1985) (P)[zap2.uef]{Qp}\n";
    WriteFile("corvale.txt", lines);
    LoadGames();
    ASSERT_EQ(gamecount, 3);
    games[2]->DiskOK = QStringLiteral("No");
    cursors.clear();
    ASSERT_TRUE(SaveGames());
    EXPECT_EQ(cursors, (std::vector<CursorShape>{CursorShape::Wait, CursorShape::Standard}));
    EXPECT_EQ(ReadFile("corvale.txt"),
              QByteArray("Lunar Docks, The (1984) (Addictive Games)<Arcade>[.dsd]{DfPs}(Team Nine)/Magazine/\n"
                         "Zap Zone (19xx) (Orbit Soft){d}\n"
                         "Caf\x8E (1985) (P)[zap2.uef]{pQ}\n"));
    LoadGames();
    ASSERT_EQ(gamecount, 3);
    EXPECT_EQ(games[1]->DisplayName, QStringLiteral("Lunar Docks, The (I)"));
    EXPECT_EQ(games[2]->DiskOK, QStringLiteral("No"));
    EXPECT_EQ(games[3]->Name, QStringLiteral("Caf\u00E9"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CatalogueFile, ReloadLeavesSlotsAboveTheCountAlone) {
    WriteFile("corvale.txt", "A (1) (P)\nB (1) (P)\nC (1) (P)\n");
    LoadGames();
    const clsGame* third = games[3].get();
    WriteFile("corvale.txt", "A (1) (P)\nB (1) (P)\n");
    LoadGames();
    EXPECT_EQ(gamecount, 2);
    EXPECT_EQ(games[3].get(), third);
}

// Every field of a game, flags included, as text.
QStringList Fields(const clsGame& g) {
    return {g.Name, g.Publisher, g.Year, g.Genre, g.Filename, g.Source, g.DiskOK, g.PicOK, g.Game,
            g.RawFileName, g.Author, CatalogueTest::Flags(g), g.DisplayName, g.DisplayFilename};
}

TEST_F(CatalogueFile, ReloadRebuildsEveryFieldOfTheGamesItOverwrites) {
    const QByteArray full =
        "Lunar Docks, The (1984) (Addictive Games)<Arcade>[.dsd]{sPDfrvA}(Team Nine)/Magazine/\n"
        "Second Lunar Docks (1985) (Orbit Soft)<Arcade>[own.uef]{sdpa}(Team Nine)/Magazine/\n"
        "No Parts At All\n";
    const QByteArray plain = "Z (1) (P)\nY (2) (Q){s}\nX Longer Name Than Before, The (3) (R)[.uef]\n";
    for (const auto& [before, after] : {std::pair{full, plain}, std::pair{plain, full}}) {
        SCOPED_TRACE(after.constData());
        WriteFile("corvale.txt", after);
        CreateSharedArrays();
        LoadGames();
        std::vector<QStringList> fresh;
        for (int i = 1; i <= gamecount; ++i) fresh.push_back(Fields(*games[i]));

        CreateSharedArrays();
        WriteFile("corvale.txt", before);
        LoadGames();
        for (int i = 1; i <= gamecount; ++i) {
            games[i]->DiskOK = QStringLiteral("Yes");
            games[i]->Name += QStringLiteral(" edited");
        }
        WriteFile("corvale.txt", after);
        LoadGames();
        ASSERT_EQ(size_t(gamecount), fresh.size());
        for (int i = 1; i <= gamecount; ++i) EXPECT_EQ(Fields(*games[i]), fresh[size_t(i - 1)]) << i;
    }
}

TEST_F(CatalogueFile, ArraysGrowPastTheirStartSizes) {
    // 20000 games, 2000 publishers, 150 years, genres and sources.
    QByteArray bytes;
    for (int i = 1; i <= 20000; ++i)
        bytes += QStringLiteral("Game %1 (%2) (Pub %3)<Genre %4>/Source %5/\n")
                     .arg(i)
                     .arg(1000 + i % 150)
                     .arg(i % 2000)
                     .arg(i % 150)
                     .arg(i % 150)
                     .toLatin1();
    WriteFile("corvale.txt", bytes);
    LoadGames();
    ASSERT_EQ(gamecount, 20000);
    EXPECT_EQ(games[20000]->Name, QStringLiteral("Game 20000"));
    EXPECT_EQ(gPub, 2000);
    EXPECT_EQ(gYear, 150);
    EXPECT_EQ(gGenre, 150);
    EXPECT_EQ(gSource, 150);
    EXPECT_EQ(UBound(strPub), 2000);
    ASSERT_TRUE(SaveGames());
    EXPECT_EQ(ReadFile("corvale.txt"), bytes);
}

TEST_F(CatalogueFile, FailedSaveIsReportedAndKeepsTheOldFile) {
    // The catalogue's name taken by a folder: nothing can replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("corvale.txt"));
    ParseLines({QStringLiteral("A (1) (P)")});
    EXPECT_FALSE(SaveGames());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(FilePath("corvale.txt"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("folder")) << messages[0].toStdString();
    EXPECT_EQ(cursors, (std::vector<CursorShape>{CursorShape::Wait, CursorShape::Standard}));
    EXPECT_TRUE(QFileInfo(FilePath("corvale.txt")).isDir());

    // An application folder that is gone.
    SetAppFolderPath(FilePath("gone"));
    messages.clear();
    EXPECT_FALSE(SaveGames());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(FilePath("gone/corvale.txt"))) << messages[0].toStdString();
}

TEST_F(CatalogueFile, SavesGoOnOverWhatTheyLeftAndOverADeletedFile) {
    // A catalogue reached through a link stays one: each save writes into
    // its target, and the next save finds there what the last one left.
    const QString target = FilePath("drive/corvale.txt");
    ASSERT_TRUE(QDir(dir.path()).mkdir("drive"));
    ASSERT_TRUE(QFile::link(target, FilePath("corvale.txt")));
    WriteFile("drive/corvale.txt", "A (1) (P)\n");
    LoadGames();
    for (const char* line : {"B (2) (P)", "C (3) (P)"}) {
        ParseGame(QString::fromLatin1(line));
        EXPECT_TRUE(SaveGames());
    }
    EXPECT_EQ(QFileInfo(FilePath("corvale.txt")).symLinkTarget(), target);
    EXPECT_EQ(ReadFile("drive/corvale.txt"), "A (1) (P)\nB (2) (P)\nC (3) (P)\n");

    // Nothing at all at the path: a person deleted it, and gets it back.
    ASSERT_TRUE(QFile::remove(FilePath("corvale.txt")));
    EXPECT_TRUE(SaveGames());
    EXPECT_EQ(ReadFile("corvale.txt"), "A (1) (P)\nB (2) (P)\nC (3) (P)\n");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CatalogueFile, InitReadsTheCatalogueThenTheSettings) {
    WriteFile("corvale.txt", "A (1) (P)\n");
    WriteFile("corvale.ini", "/apps/emu\n/discs\n/tapes\n2\n6\n");
    Init();
    EXPECT_EQ(gamecount, 1);
    EXPECT_EQ(strProgDir, QStringLiteral("/apps/emu"));
    EXPECT_EQ(gFilter, 6);
}

}  // namespace
