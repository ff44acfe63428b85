#include "CatalogueFixture.h"

#include <QDir>

#include <limits>

namespace {

using SettingsFile = CatalogueTest;

TEST_F(SettingsFile, NoFileKeepsTheStartValues) {
    strGameDir = QStringLiteral("kept");
    gFilter = 3;
    LoadIni();
    EXPECT_EQ(strGameDir, QStringLiteral("kept"));
    EXPECT_EQ(gFilter, 3);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettingsFile, ReadsFiveLinesWhateverTheyHold) {
    const int maxInt = std::numeric_limits<int>::max();
    const struct {
        QByteArray bytes;
        const char* prog;
        const char* game;
        const char* tape;
        int highlight;
        int filter;
    } cases[] = {
        {"/Apps/Emu\n/Users/Some One/Discs\n/T\n2\n6\n", "/Apps/Emu", "/Users/Some One/Discs", "/T", 2, 6},
        {"p\rg\rt\r3\r12", "p", "g", "t", 3, 12},
        {"p\r\ng\r\nt\r\n", "p", "g", "t", 0, 0},
        {"p\ng\nt", "p", "g", "t", 0, 0},
        {"p\ng\nt\nabc\n12\n", "p", "g", "t", 0, 12},
        {"p\ng\nt\n2.9\n-3.7\n", "p", "g", "t", 2, -3},
        {"p\ng\nt\n 99999999999\n-99999999999.5\n", "p", "g", "t", maxInt, std::numeric_limits<int>::min()},
        {"", "", "", "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        WriteFile("corvale.ini", c.bytes);
        LoadIni();
        EXPECT_EQ(strProgDir, QString::fromUtf8(c.prog));
        EXPECT_EQ(strGameDir, QString::fromUtf8(c.game));
        EXPECT_EQ(strTapeDir, QString::fromUtf8(c.tape));
        EXPECT_EQ(gHighlight, c.highlight);
        EXPECT_EQ(gFilter, c.filter);
    }
}

TEST_F(SettingsFile, SaveWritesFiveLinesThatReadBack) {
    strProgDir = QStringLiteral("/Applications/Emu lator.app");
    strGameDir = QStringLiteral("/home/some one/Disc \u00E9s");
    strTapeDir = QString();
    gHighlight = 3;
    gFilter = 255;
    ASSERT_TRUE(SaveIni());
    EXPECT_EQ(ReadFile("corvale.ini"), QByteArray("/Applications/Emu lator.app\n/home/some one/Disc \x8Es\n\n3\n255\n"));
    strProgDir = strGameDir = strTapeDir = QStringLiteral("x");
    gHighlight = gFilter = 7;
    LoadIni();
    EXPECT_EQ(strProgDir, QStringLiteral("/Applications/Emu lator.app"));
    EXPECT_EQ(strGameDir, QStringLiteral("/home/some one/Disc \u00E9s"));
    EXPECT_EQ(strTapeDir, QString());
    EXPECT_EQ(gHighlight, 3);
    EXPECT_EQ(gFilter, 255);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(cursors.empty());
}

// The file holds only composed names; a folder copied from a Mac carries a
// decomposed one, and is still the folder the user chose.
TEST_F(SettingsFile, AFolderWithADecomposedNameIsFoundAgain) {
    const QString chosen = FilePath(QStringLiteral("Re\u0301tro/Ta\u0303pes"));
    ASSERT_TRUE(QDir().mkpath(chosen));
    strGameDir = chosen;
    strTapeDir = FilePath(QStringLiteral("Gone"));
    ASSERT_TRUE(SaveIni());
    LoadIni();
    EXPECT_EQ(strGameDir, chosen);
    EXPECT_EQ(strTapeDir, FilePath(QStringLiteral("Gone")));
}

TEST_F(SettingsFile, FailedSaveIsReportedAndKeepsTheOldFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("corvale.ini"));
    EXPECT_FALSE(SaveIni());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(FilePath("corvale.ini"))) << messages[0].toStdString();
    EXPECT_TRUE(QFileInfo(FilePath("corvale.ini")).isDir());
}

}  // namespace
