#include "CatalogueFixture.h"

namespace {

using CatalogueLine = CatalogueTest;

TEST_F(CatalogueLine, ReadsTheFullExampleLine) {
    const QString line =
        QStringLiteral("Lunar Docks, The (1984) (Addictive Games)<Arcade>[.dsd]{sPDf}(Team Nine)/Magazine/");
    ParseLines({QStringLiteral("Zap Zone (19xx) (Orbit Soft)"), line});
    ASSERT_EQ(gamecount, 2);
    const clsGame& g = *games[2];
    EXPECT_EQ(g.Game, line);
    EXPECT_EQ(g.Name, QStringLiteral("Lunar Docks, The"));
    EXPECT_EQ(g.Year, QStringLiteral("1984"));
    EXPECT_EQ(g.Publisher, QStringLiteral("Addictive Games"));
    EXPECT_EQ(g.Genre, QStringLiteral("Arcade"));
    EXPECT_EQ(g.RawFileName, QStringLiteral(".dsd"));
    EXPECT_EQ(g.Filename, QStringLiteral("LunarDocks.dsd"));
    EXPECT_EQ(Flags(g), QStringLiteral("DfPs"));
    EXPECT_EQ(g.DiskOK, QStringLiteral("Yes"));
    EXPECT_EQ(g.PicOK, QStringLiteral("Yes"));
    EXPECT_EQ(g.Author, QStringLiteral("Team Nine"));
    EXPECT_EQ(g.Source, QStringLiteral("Magazine"));
    EXPECT_EQ(g.DisplayFilename, QStringLiteral("Addictive/LunarDocks.dsd"));
    EXPECT_EQ(g.DisplayName, QStringLiteral("Lunar Docks, The (I)"));
    EXPECT_EQ(gSame, 1);
    EXPECT_EQ(BuildGame(2),
              QStringLiteral("Lunar Docks, The (1984) (Addictive Games)<Arcade>[.dsd]{DfPs}(Team Nine)/Magazine/"));

    // Values are offered in the order year, genre, publisher, source.
    EXPECT_EQ(Slots(strYear, gYear), (QStringList{"19xx", "1984"}));
    EXPECT_EQ(Slots(strGenre, gGenre), (QStringList{"", "Arcade"}));
    EXPECT_EQ(Slots(strPub, gPub), (QStringList{"Orbit Soft", "Addictive Games"}));
    EXPECT_EQ(Slots(strSource, gSource), (QStringList{"", "Magazine"}));
}

struct Stored {
    const char* line;
    const char* name;
    const char* year;
    const char* publisher;
    const char* genre;
    const char* raw;
    const char* flags;
    const char* author;
    const char* source;
};

// Reads the line alone and checks the fields it stores.
void ExpectStored(const Stored& c) {
    gamecount = 0;
    gSame = 0;
    ParseGame(QString::fromUtf8(c.line));
    ASSERT_EQ(gamecount, 1);
    const clsGame& g = *games[1];
    EXPECT_EQ(g.Game, QString::fromUtf8(c.line));
    EXPECT_EQ(g.Name, QString::fromUtf8(c.name));
    EXPECT_EQ(g.Year, QString::fromUtf8(c.year));
    EXPECT_EQ(g.Publisher, QString::fromUtf8(c.publisher));
    EXPECT_EQ(g.Genre, QString::fromUtf8(c.genre));
    EXPECT_EQ(g.RawFileName, QString::fromUtf8(c.raw));
    EXPECT_EQ(CatalogueTest::Flags(g), QString::fromUtf8(c.flags));
    EXPECT_EQ(g.Author, QString::fromUtf8(c.author));
    EXPECT_EQ(g.Source, QString::fromUtf8(c.source));
}

TEST_F(CatalogueLine, ReadsAndRewritesLines) {
    const struct {
        Stored stored;
        const char* filename;
        const char* displayFilename;
        const char* rebuilt;  // BuildGame's line after the read
    } cases[] = {
        {{"Zap Zone (19xx) (Orbit Soft)", "Zap Zone", "19xx", "Orbit Soft", "", "", "", "", ""},
         "ZapZone.ssd", "OrbitSoft/ZapZone.ssd", "Zap Zone (19xx) (Orbit Soft)"},
        {{"Zap Zone (19xx) (Orbit Soft)[zap2.uef]", "Zap Zone", "19xx", "Orbit Soft", "", "zap2.uef", "", "", ""},
         "zap2.uef", "OrbitSoft/zap2.uef", "Zap Zone (19xx) (Orbit Soft)[zap2.uef]"},
        // No blank before the first "(": the name loses its last character.
        {{"Zap(1984) (Orbit Soft)", "Za", "1984", "Orbit Soft", "", "", "", "", ""},
         "Za.ssd", "OrbitSoft/Za.ssd", "Za (1984) (Orbit Soft)"},
        {{", The (1984) (P)", ", The", "1984", "P", "", "", "", "", ""},
         ".ssd", "P/.ssd", ", The (1984) (P)"},
        {{"Empty Brackets (1984) (P)[]", "Empty Brackets", "1984", "P", "", "", "", "", ""},
         "", "P/", "Empty Brackets (1984) (P)"},
        {{"Blank () ()", "Blank", "", "", "", "", "", "", ""},
         "Blank.ssd", "/Blank.ssd", "Blank () ()"},
        {{"Order (1984) (P){fDaP}", "Order", "1984", "P", "", "", "aDfP", "", ""},
         "Order.ssd", "Adventures/Order.ssd", "Order (1984) (P){aDfP}"},
        {{"Junk (1984) (P){x1-Q!}", "Junk", "1984", "P", "", "", "Qx", "", ""},
         "Junk.ssd", "P/Junk.ssd", "Junk (1984) (P){Qx}"},
        {{"Both (1984) (P){va}", "Both", "1984", "P", "", "", "av", "", ""},
         "Both.ssd", "Various/Both.ssd", "Both (1984) (P){av}"},
        {{"Yes (1984) (yes! software)", "Yes", "1984", "yes! software", "", "", "", "", ""},
         "Yes.ssd", "Yes/Yes.ssd", "Yes (1984) (yes! software)"},
        {{"V (1984) (Virgin Games)", "V", "1984", "Virgin Games", "", "", "", "", ""},
         "V.ssd", "Virgin/V.ssd", "V (1984) (Virgin Games)"},
        {{"Pro (1984) (PRO SOFTWARE)", "Pro", "1984", "PRO SOFTWARE", "", "", "", "", ""},
         "Pro.ssd", "Pro/Pro.ssd", "Pro (1984) (PRO SOFTWARE)"},
        {{"Slash (1984) (A/B)", "Slash", "1984", "A/B", "", "", "", "", ""},
         "Slash.ssd", "A/B/Slash.ssd", "Slash (1984) (A/B)"},
        {{"Tape (1986) (P)[.UEF]/Stairway Tape/", "Tape", "1986", "P", "", ".UEF", "", "", "Stairway Tape"},
         "Tape.UEF", "P/Tape.UEF", "Tape (1986) (P)[.UEF]/Stairway Tape/"},
        {{"Au (1984) (P)(A. Writer)", "Au", "1984", "P", "", "", "", "A. Writer", ""},
         "Au.ssd", "P/Au.ssd", "Au (1984) (P)(A. Writer)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.line);
        ExpectStored(c.stored);
        EXPECT_EQ(games[1]->Filename, QString::fromUtf8(c.filename));
        EXPECT_EQ(games[1]->DisplayFilename, QString::fromUtf8(c.displayFilename));
        EXPECT_EQ(BuildGame(1), QString::fromUtf8(c.rebuilt));
    }
}

TEST_F(CatalogueLine, AuditStateFollowsTheLastLetterAndIsWrittenFromDiskOkAndPicOk) {
    const struct {
        const char* flags;
        const char* flagsRead;
        const char* diskOK;
        const char* picOK;
        const char* rebuilt;
    } cases[] = {
        {"Dd", "Dd", "No", "", "G (1984) (P){d}"},   {"dD", "Dd", "Yes", "", "G (1984) (P){D}"},
        {"pP", "Pp", "", "Yes", "G (1984) (P){P}"},  {"Pp", "Pp", "", "No", "G (1984) (P){p}"},
        {"f", "f", "", "", "G (1984) (P){f}"},       {"pd", "dp", "No", "No", "G (1984) (P){dp}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        ParseLines({QStringLiteral("G (1984) (P){%1}").arg(QString::fromUtf8(c.flags))});
        const clsGame& g = *games[1];
        EXPECT_EQ(Flags(g), QString::fromUtf8(c.flagsRead));
        EXPECT_EQ(g.DiskOK, QString::fromUtf8(c.diskOK));
        EXPECT_EQ(g.PicOK, QString::fromUtf8(c.picOK));
        EXPECT_EQ(BuildGame(1), QString::fromUtf8(c.rebuilt));
    }

    // The audit's verdict wins over the letters read, letter case ignored.
    ParseLines({QStringLiteral("G (1984) (P){Ddp}")});
    games[1]->DiskOK = QStringLiteral("yes");
    games[1]->PicOK.clear();
    EXPECT_EQ(BuildGame(1), QStringLiteral("G (1984) (P){D}"));
    EXPECT_EQ(Flags(*games[1]), QStringLiteral("D"));
}

TEST_F(CatalogueLine, SeriesRunsAreNumberedUpToTen) {
    QStringList lines;
    for (int i = 1; i <= 11; ++i) lines << QStringLiteral("S%1 (1984) (P){s}").arg(i);
    lines << QStringLiteral("Break (1984) (P)") << QStringLiteral("Again (1984) (P){s}")
          << QStringLiteral("Lunar Docks, The (1985) (P){rs}");
    ParseLines(lines);
    const char* expected[] = {"S1 (I)",   "S2 (II)", "S3 (III)", "S4 (IV)",  "S5 (V)",       "S6 (VI)",
                              "S7 (VII)", "S8 (VIII)", "S9 (IX)", "S10 (X)", "S11",          "Break",
                              "Again (I)", "Lunar Docks, The (II) [Re]"};
    ASSERT_EQ(gamecount, 14);
    for (int i = 1; i <= 14; ++i) EXPECT_EQ(games[i]->DisplayName, QString::fromUtf8(expected[i - 1])) << i;
    EXPECT_EQ(gSame, 2);
}

TEST_F(CatalogueLine, BrokenLinesStillGiveAGameAndLoseNothingOfTheName) {
    const Stored cases[] = {
        {"", "", "", "", "", "", "", "", ""},
        {"Just a name, no marks", "Just a name, no marks", "", "", "", "", "", "", ""},
        {"Name only <Arcade>{f}", "Name only <Arcade>{f}", "", "", "", "", "", "", ""},
        {"(", "", "", "", "", "", "", "", ""},
        {"Open (1984", "Open", "1984", "", "", "", "", "", ""},
        {"Pub (1984) (Acme", "Pub", "1984", "Acme", "", "", "", "", ""},
        {"NoPub (1984) <Arcade>", "NoPub", "1984", "", "Arcade", "", "", "", ""},
        {"G (1984) (P)<Arcade[.dsd]{f}", "G", "1984", "P", "Arcade[.dsd]{f}", "", "", "", ""},
        {"R (1984) (P)[.dsd{f}", "R", "1984", "P", "", ".dsd{f}", "", "", ""},
        {"F (1984) (P){fa(Au)", "F", "1984", "P", "", "", "Aafu", "", ""},
        {"A (1984) (P){f}(Au/Src/", "A", "1984", "P", "", "", "f", "Au/Src/", ""},
        {"S (1984) (P)/Src", "S", "1984", "P", "", "", "", "", "Src"},
        {"T (1984) (P)/", "T", "1984", "P", "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ExpectStored(c);
        // Written and read once more, the game settles on the same fields.
        const QString once = BuildGame(1);
        ParseLines({once});
        EXPECT_EQ(BuildGame(1), once);
        EXPECT_EQ(games[1]->Name, QString::fromUtf8(c.name));
    }
}

TEST_F(CatalogueLine, StripKeepsAsciiLettersDigitsAndSixMarks) {
    const struct {
        const char* text;
        const char* stem;
    } cases[] = {
        {"Rock & Roll 2.5 Deluxe!", "RocknRoll2.5Deluxe"},
        {"Vol. 2", "Vol2"},
        {"Map.hq", "Map.hq"},
        {"Map.HQ", "Map.HQ"},
        {"Map.h", "Maph"},
        {"End.", "End"},
        {"v.1", "v.1"},
        {"Lunar Docks", "LunarDocks"},
        {"A/B_C-D [x]", "A/B_C-D[x]"},
        {"Back\\slash", "Back\\slash"},
        {"It's a \"game\", (ok)?", "Itsagameok"},
        {"Caf\u00E9 \u00C5ngstr\u00F6m", "Cafngstrm"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Strip(QString::fromUtf8(c.text)), QString::fromUtf8(c.stem)) << c.text;
}

TEST_F(CatalogueLine, BuildGameOutsideTheGamesGivesNothing) {
    ParseLines({QStringLiteral("Zap Zone (19xx) (Orbit Soft)")});
    EXPECT_EQ(BuildGame(0), QString());
    EXPECT_EQ(BuildGame(-1), QString());
    EXPECT_EQ(BuildGame(kGamesCapacity + 5), QString());
    EXPECT_EQ(BuildGame(2), QString());  // an empty slot
}

}  // namespace
