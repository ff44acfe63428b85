#include "CatalogueFixture.h"

namespace {

using AddGameTest = CatalogueTest;

QStringList Names() {
    QStringList names;
    for (int i = 1; i <= gamecount; ++i) names << games[i]->Name;
    return names;
}

TEST_F(AddGameTest, InsertsInNameOrder) {
    const struct {
        QStringList before;
        const char* name;
        QStringList after;
    } cases[] = {
        {{}, "Zap", {"Zap"}},
        {{"Bravo", "Delta"}, "alpha", {"alpha", "Bravo", "Delta"}},
        {{"Bravo", "Delta"}, "Echo", {"Bravo", "Delta", "Echo"}},
        {{"Bravo", "Delta"}, "delta", {"Bravo", "Delta", "delta"}},
        {{"Bravo", "Charlie", "Delta"}, "CHARLIE", {"Bravo", "Charlie", "CHARLIE", "Delta"}},
        {{"Bravo", "Delta"}, "Charlie", {"Bravo", "Charlie", "Delta"}},
        // Not in name order: the first greater name in slot order decides.
        {{"Yankee", "Alpha"}, "Mike", {"Mike", "Yankee", "Alpha"}},
        // The folder part takes part in the order only.
        {{"Alpha", "Kilo", "Zulu"}, "Lima/Bravo", {"Alpha", "Kilo", "Bravo", "Zulu"}},
        {{"Alpha", "Kilo"}, "/Lead", {"Lead", "Alpha", "Kilo"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gamecount = 0;
        for (const QString& n : c.before) ParseGame(n + QStringLiteral(" (1984) (P)"));
        AddGame(QString::fromUtf8(c.name), QStringLiteral(".ssd"), QStringLiteral("Pub"));
        EXPECT_EQ(Names(), c.after);
    }
}

TEST_F(AddGameTest, NewGameTakesTheDefaultsOfAFoundImage) {
    const struct {
        const char* ext;
        const char* raw;
        const char* source;
        const char* line;
    } cases[] = {
        {".uef", ".uef", "Stairway Tape", "G (19xx) (Pub)[.uef]{n}/Stairway Tape/"},
        {".UEF", ".UEF", "Stairway Tape", "G (19xx) (Pub)[.UEF]{n}/Stairway Tape/"},
        {".dsd", ".dsd", "Stairway", "G (19xx) (Pub)[.dsd]{n}/Stairway/"},
        {".ssd", "", "Stairway", "G (19xx) (Pub){n}/Stairway/"},
        {".zip", "", "Stairway", "G (19xx) (Pub){n}/Stairway/"},
        {"", "", "Stairway", "G (19xx) (Pub){n}/Stairway/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ext);
        gamecount = 0;
        AddGame(QStringLiteral("G"), QString::fromUtf8(c.ext), QStringLiteral("Pub"));
        ASSERT_EQ(gamecount, 1);
        const clsGame& g = *games[1];
        EXPECT_EQ(g.Year, QStringLiteral("19xx"));
        EXPECT_EQ(g.Publisher, QStringLiteral("Pub"));
        EXPECT_EQ(g.RawFileName, QString::fromUtf8(c.raw));
        EXPECT_EQ(g.Source, QString::fromUtf8(c.source));
        EXPECT_EQ(Flags(g), QStringLiteral("n"));
        for (const QString* derived : {&g.Filename, &g.Game, &g.DisplayName, &g.DisplayFilename, &g.Genre,
                                       &g.Author, &g.DiskOK, &g.PicOK})
            EXPECT_TRUE(derived->isEmpty());
        EXPECT_EQ(BuildGame(1), QString::fromUtf8(c.line));
    }
}

TEST_F(AddGameTest, MovedGamesKeepEverythingAndTheSaveReloadsThem) {
    ParseGame(QStringLiteral("Alpha (1984) (P)"));
    ParseGame(QStringLiteral("Kilo (1985) (Q)<Arcade>[.dsd]{DfpZ}(Au)/Src/"));
    clsGame* kilo = games[2].get();
    // A stale record above the count must not leak into the new game.
    ParseGame(QStringLiteral("Stale (1999) (S)<X>{Dfr}(Old)/Old/"));
    gamecount = 2;

    AddGame(QStringLiteral("Bravo"), QStringLiteral(".uef"), QStringLiteral("Tapes"));
    ASSERT_EQ(gamecount, 3);
    EXPECT_EQ(games[3].get(), kilo);
    EXPECT_EQ(games[3]->DiskOK, QStringLiteral("Yes"));
    EXPECT_EQ(games[3]->PicOK, QStringLiteral("No"));
    EXPECT_EQ(Flags(*games[3]), QStringLiteral("DfpZ"));
    EXPECT_EQ(games[3]->Game, QStringLiteral("Kilo (1985) (Q)<Arcade>[.dsd]{DfpZ}(Au)/Src/"));
    EXPECT_EQ(BuildGame(2), QStringLiteral("Bravo (19xx) (Tapes)[.uef]{n}/Stairway Tape/"));

    ASSERT_TRUE(SaveGames());
    LoadGames();
    ASSERT_EQ(gamecount, 3);
    EXPECT_EQ(games[2]->DisplayFilename, QStringLiteral("Tapes/Bravo.uef"));
    EXPECT_EQ(games[3]->DisplayFilename, QStringLiteral("Q/Kilo.dsd"));
    EXPECT_EQ(Slots(strSource, gSource), (QStringList{"", "Src", "Stairway Tape"}));
}

TEST_F(AddGameTest, GrowsPastTheStartSize) {
    for (int i = 0; i < kGamesCapacity; ++i) ParseGame(QStringLiteral("G (1984) (P)"));
    AddGame(QStringLiteral("H"), QString(), QStringLiteral("P"));
    AddGame(QStringLiteral("A"), QString(), QStringLiteral("P"));
    ASSERT_EQ(gamecount, kGamesCapacity + 2);
    EXPECT_GE(UBound(games), gamecount);
    EXPECT_EQ(games[1]->Name, QStringLiteral("A"));
    EXPECT_EQ(games[gamecount - 1]->Name, QStringLiteral("G"));
    EXPECT_EQ(games[gamecount]->Name, QStringLiteral("H"));
}

}  // namespace
