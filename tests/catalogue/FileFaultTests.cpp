#include "CatalogueFixture.h"

#include "support/PrivateTmpfs.h"
#include "support/UnreadableFiles.h"

namespace {

using FileFaults = CatalogueTest;

bool EmptyCatalogue() {
    return gamecount == 0 && UBound(strPub) == 0 && UBound(strYear) == 0 && UBound(strGenre) == 0 &&
           UBound(strSource) == 0;
}

bool StartSettings() {
    return strProgDir.isEmpty() && strGameDir.isEmpty() && strTapeDir.isEmpty() && gHighlight == 0 && gFilter == 0;
}

QString Catalogue() {
    QStringList lines;
    for (int i = 1; i <= gamecount; ++i) lines << BuildGame(i);
    return lines.join(QLatin1Char('\n'));
}

QString Settings() {
    return QStringList{strProgDir, strGameDir, strTapeDir, QString::number(gHighlight), QString::number(gFilter)}
        .join(QLatin1Char('\n'));
}

TEST_F(FileFaults, UnreadableFileIsReportedAndNeverSavedOver) {
    ExpectUnreadableFilesHeldBack(dir.path(), messages,
                                  {{CatalogueFileName(), LoadGames, EmptyCatalogue, Catalogue,
                                    [] {
                                        ParseGame(QStringLiteral("New (1984) (P)"));
                                        const bool saved = SaveGames();
                                        LoadGames();  // as every caller does
                                        return saved;
                                    },
                                    SaveIni},
                                   {SettingsFileName(),
                                    [] {
                                        strProgDir = strGameDir = strTapeDir = QString();
                                        gHighlight = gFilter = 0;
                                        LoadIni();
                                    },
                                    StartSettings, Settings,
                                    [] {
                                        gFilter = 12;
                                        return SaveIni();
                                    },
                                    SaveGames}});
}

TEST_F(FileFaults, FullDiskKeepsEveryOldFile) {
    if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(256);
    SetAppFolderPath(PrivateTmpfsPath());
    ExpectFullDiskSavesFail(PrivateTmpfsPath() + QStringLiteral("/corvale.txt"), messages, [](qint64 bytes) {
        gamecount = 0;
        gSame = 0;
        for (qint64 size = 0; size < bytes; size += BuildGame(gamecount).size() + 1)
            ParseGame(QStringLiteral("Game %1 (1984) (Publisher)<Arcade>").arg(gamecount + 1, 6, 10, QLatin1Char('0')));
        return SaveGames();
    });
    ExpectFullDiskSavesFail(PrivateTmpfsPath() + QStringLiteral("/corvale.ini"), messages, [](qint64 bytes) {
        strProgDir = QString(bytes, QLatin1Char('p'));
        return SaveIni();
    });
}

}  // namespace
