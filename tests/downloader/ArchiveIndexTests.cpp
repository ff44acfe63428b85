#include "DownloaderFixture.h"

#include "platform/Dates.h"
#include "support/PrivateTmpfs.h"
#include "support/UnreadableFiles.h"

#include <unistd.h>

namespace {

using ArchiveIndexTest = DownloaderTest;

QString Describe(int slot) {
    const clsSTH& e = STH[slot];
    return e.strFilename + QLatin1Char('|') + e.strType + QLatin1Char('|') +
           (e.dDate.isValid() ? e.dDate.toString(Qt::ISODate) : QStringLiteral("none"));
}

QStringList Entries() {
    QStringList out;
    for (int slot = 1; slot <= gSTH; ++slot) out << Describe(slot);
    return out;
}

TEST_F(ArchiveIndexTest, SavedIndexLoadsBackWithTheSameEntries) {
    SetIndex({{QStringLiteral("Elite.zip"), QStringLiteral("D"), QDate(2006, 7, 10)},
              {QStringLiteral("Elite.zip"), QStringLiteral("T"), QDate(1999, 12, 31)},
              {QStringLiteral("Undated.zip"), QStringLiteral("D"), QDate()}});
    EXPECT_TRUE(SaveSTH());
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")),
              "Elite.zip,D,Jul 10, 2006\nElite.zip,T,Dec 31, 1999\nUndated.zip,D,\n");
    gSTH = 0;
    LoadSTH();
    EXPECT_EQ(Entries(), QStringList({"Elite.zip|D|2006-07-10", "Elite.zip|T|1999-12-31", "Undated.zip|D|none"}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ArchiveIndexTest, EmptyIndexSavesAnEmptyFileThatLoadsEmpty) {
    WriteBytes(AppFile("sth.idx"), "Old.zip,D,Jul 10, 2006\n");
    SetIndex({});
    SaveSTH();
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "");
    gSTH = 5;
    LoadSTH();
    EXPECT_EQ(gSTH, 0);
}

struct LoadCase {
    const char* name;
    QByteArray file;  // "<none>": no file at all
    QStringList entries;
};

class LoadTable : public ArchiveIndexTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTable, ReadsEachLine) {
    const LoadCase& c = GetParam();
    if (c.file != "<none>") WriteBytes(AppFile("sth.idx"), c.file);
    gSTH = 3;
    LoadSTH();
    EXPECT_EQ(Entries(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTable,
    ::testing::Values(
        LoadCase{"Missing", "<none>", {}},
        LoadCase{"Empty", "", {}},
        LoadCase{"LineEnds", "A.zip,D,Jul 10, 2006\r\nB.zip,T,Jul 11, 2006\rC.zip,D,Jul 12, 2006\n",
                 {"A.zip|D|2006-07-10", "B.zip|T|2006-07-11", "C.zip|D|2006-07-12"}},
        LoadCase{"NoFinalLineEnd", "A.zip,D,Jul 10, 2006", {"A.zip|D|2006-07-10"}},
        LoadCase{"DateWithTimeKeepsTheDay", "A.zip,D,Jul 10 2006 23:59:59\n", {"A.zip|D|2006-07-10"}},
        LoadCase{"TextAfterTypeIgnored", "A.zip,Dxyz,Jul 10, 2006\n", {"A.zip|D|2006-07-10"}},
        LoadCase{"EmptyType", "A.zip,,Jul 10, 2006\nB,,\nC,\n", {"A.zip||2006-07-10", "B||none", "C||none"}},
        LoadCase{"UnparsedDate", "A.zip,D,someday\nB.zip,T,\n", {"A.zip|D|none", "B.zip|T|none"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArchiveIndexTest, GrowsPastItsStartSize) {
    QByteArray file;
    for (int i = 1; i <= kSTHCapacity + 50; ++i) file += "G" + QByteArray::number(i) + ".zip,D,Jul 10, 2006\n";
    WriteBytes(AppFile("sth.idx"), file);
    LoadSTH();
    ASSERT_EQ(gSTH, kSTHCapacity + 50);
    EXPECT_EQ(Describe(gSTH), "G10050.zip|D|2006-07-10");
    EXPECT_EQ(FindSTH(QStringLiteral("g10050.ZIP"), QStringLiteral("D")), kSTHCapacity + 50);
    AppendSTH(QStringLiteral("Last.zip"), QStringLiteral("T"), QDate());
    SaveSTH();
    gSTH = 0;
    LoadSTH();
    EXPECT_EQ(gSTH, kSTHCapacity + 51);
    EXPECT_EQ(Describe(gSTH), "Last.zip|T|none");
}

TEST_F(ArchiveIndexTest, FailedSaveKeepsTheFileAndNamesIt) {
    QDir(root.path()).mkpath(QStringLiteral("app/sth.idx"));  // a folder where the file should be
    SetIndex({{QStringLiteral("A.zip"), QStringLiteral("D"), QDate(2006, 7, 10)}});
    EXPECT_FALSE(SaveSTH());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(AppFile("sth.idx"))) << messages[0].toStdString();
    EXPECT_TRUE(QFileInfo(AppFile("sth.idx")).isDir());
}

TEST_F(ArchiveIndexTest, LoadAndSaveShowTheWaitCursor) {
    std::vector<CursorShape> shapes;
    SetMainWindowCursorHandler([&](CursorShape s) { shapes.push_back(s); });
    LoadSTH();
    SaveSTH();
    EXPECT_EQ(shapes, std::vector<CursorShape>({CursorShape::Wait, CursorShape::Standard, CursorShape::Wait,
                                                CursorShape::Standard}));
}

TEST_F(ArchiveIndexTest, LookupFindsTheFirstMatchIgnoringCase) {
    SetIndex({{QStringLiteral("Elite.zip"), QStringLiteral("T"), QDate()},
              {QStringLiteral("ELITE.ZIP"), QStringLiteral("D"), QDate()},
              {QStringLiteral("elite.zip"), QStringLiteral("D"), QDate()}});
    EXPECT_EQ(FindSTH(QStringLiteral("elite.zip"), QStringLiteral("D")), 2);
    EXPECT_EQ(FindSTH(QStringLiteral("Elite.zip"), QStringLiteral("T")), 1);
    EXPECT_EQ(FindSTH(QStringLiteral("Other.zip"), QStringLiteral("D")), 0);
    EXPECT_EQ(FindSTH(QString(), QString()), 0);

    AppendSTH(QStringLiteral("Other.zip"), QStringLiteral("D"), QDate());
    EXPECT_EQ(FindSTH(QStringLiteral("other.zip"), QStringLiteral("D")), 4);

    // An index emptied and refilled underneath is looked up afresh, even
    // when its new last entry is the old one.
    gSTH = 0;
    AppendSTH(QStringLiteral("Other.zip"), QStringLiteral("D"), QDate());
    AppendSTH(QStringLiteral("Fresh.zip"), QStringLiteral("D"), QDate());
    AppendSTH(QStringLiteral("Elite.zip"), QStringLiteral("D"), QDate());
    AppendSTH(QStringLiteral("Other.zip"), QStringLiteral("D"), QDate());
    EXPECT_EQ(FindSTH(QStringLiteral("Other.zip"), QStringLiteral("D")), 1);
    EXPECT_EQ(FindSTH(QStringLiteral("Elite.zip"), QStringLiteral("D")), 3);
    EXPECT_EQ(FindSTH(QStringLiteral("Elite.zip"), QStringLiteral("T")), 0);

    // A reload replaces what the lookup knew.
    WriteBytes(AppFile("sth.idx"), "Other.zip,D,Jul 10, 2006\n");
    LoadSTH();
    EXPECT_EQ(FindSTH(QStringLiteral("Other.zip"), QStringLiteral("D")), 1);
    EXPECT_EQ(FindSTH(QStringLiteral("Elite.zip"), QStringLiteral("D")), 0);
}

TEST_F(ArchiveIndexTest, DifferentEntriesNeverShareAKey) {
    const QString nul(QChar(u'\0'));
    const std::vector<clsSTH> entries = {
        {QString(), nul, QDate()}, {nul, QString(), QDate()}, {"a" + nul, "b", QDate()}, {"a", nul + "b", QDate()}};
    SetIndex(entries);
    for (int i = 0; i < int(entries.size()); ++i) EXPECT_EQ(FindSTH(entries[i].strFilename, entries[i].strType), i + 1);
}

TEST_F(ArchiveIndexTest, UnreadableIndexIsReportedAndNeverSavedOver) {
    ExpectUnreadableFilesHeldBack(root.path(), messages,
                                  {{QStringLiteral("sth.idx"),
                                    [] {
                                        gSTH = 3;
                                        LoadSTH();
                                    },
                                    [] { return gSTH == 0; },
                                    [] { return Entries().join(QLatin1Char('\n')); },
                                    [] {
                                        AppendSTH(QStringLiteral("New.zip"), QStringLiteral("T"), QDate(2024, 1, 2));
                                        return SaveSTH();
                                    },
                                    {}}});
}

TEST_F(ArchiveIndexTest, FullDiskKeepsTheOldIndex) {
    if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(256);
    SetAppFolderPath(PrivateTmpfsPath());
    ExpectFullDiskSavesFail(PrivateTmpfsPath() + QStringLiteral("/sth.idx"), messages, [](qint64 bytes) {
        const QDate date(2006, 7, 10);
        gSTH = 0;
        for (qint64 size = 0; size < bytes;) {
            const QString name = QStringLiteral("Game%1.zip").arg(gSTH + 1, 6, 10, QLatin1Char('0'));
            AppendSTH(name, QStringLiteral("D"), date);
            size += name.size() + 4 + AbbreviatedDate(date).size();
        }
        return SaveSTH();
    });
}

TEST_F(ArchiveIndexTest, CheckFileWantsAReadableFileWhateverItsLetterCase) {
    WriteBytes(strGameDir + "/Elite.ssd", "image");
    WriteBytes(strGameDir + "/AnF/180Darts.SSD", "image");
    ASSERT_TRUE(QDir().mkpath(strGameDir + "/AnF/Folder.ssd"));
    WriteBytes(strGameDir + "/Locked.ssd", "image");
    QFile::setPermissions(strGameDir + "/Locked.ssd", QFileDevice::Permissions());
    const bool root_user = geteuid() == 0;  // root opens any file

    EXPECT_TRUE(CheckFile(strGameDir + "/Elite.ssd"));
    EXPECT_FALSE(CheckFile(strGameDir + "/Missing.ssd"));
    EXPECT_FALSE(CheckFile(strGameDir + "/nowhere/Elite.ssd"));
    EXPECT_FALSE(CheckFile(strGameDir));
    EXPECT_FALSE(CheckFile(QString()));
    if (!root_user) {
        EXPECT_FALSE(CheckFile(strGameDir + "/Locked.ssd"));
    }
    EXPECT_TRUE(CheckFile(strGameDir, "anf/180DARTS.ssd"));
    EXPECT_FALSE(CheckFile(strGameDir, "anf/folder.SSD"));
    // A full path: only its last part may differ in case.
    EXPECT_TRUE(CheckFile(strGameDir + "/AnF/180darts.ssd"));
    EXPECT_FALSE(CheckFile(strGameDir + "/anf/180Darts.SSD"));
}

}  // namespace
