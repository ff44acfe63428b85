#include "DownloaderFixture.h"

namespace {

const QDate kStored(2006, 7, 10);

struct Decision {
    const char* name;
    bool known;
    bool present;
    const char* listed;  // the listing's date text
    bool fetched;
    bool result;
    QDate storedAfter;   // the entry's date afterwards (known or recorded)
};

// Each row of the decision table, for discs and for tapes.
class DecisionTable : public DownloaderTest, public ::testing::WithParamInterface<std::tuple<bool, Decision>> {};

TEST_P(DecisionTable, FetchesAndRecordsAsDecided) {
    const auto& [tapes, d] = GetParam();
    const QString zip = QStringLiteral("Elite.zip");
    const QString dir = tapes ? strTapeDir : strGameDir;
    const QString image = tapes ? QStringLiteral("/Elite.uef") : QStringLiteral("/Elite.ssd");
    // Where the fetched image lands: tapes unpack into the named sub-folder.
    const QString unpacked = dir + (tapes ? QStringLiteral("/Acornsoft") : QString()) + image;
    if (d.present) WriteBytes(dir + image, "old image");
    // An entry of the other kind with the same name must not count as known.
    auto w = CheckWindow();
    SetIndex({{zip, tapes ? QStringLiteral("D") : QStringLiteral("T"), kStored}});
    if (d.known) AppendSTH(zip, tapes ? QStringLiteral("T") : QStringLiteral("D"), kStored);
    const int before = gSTH;
    ServeZip(tapes, zip, "new image");

    const QByteArray lines = Entry(QString::fromLatin1(d.listed), zip, QStringLiteral("Acornsoft"));
    const QStringList parts = QString::fromLatin1(lines).split(QLatin1Char('\n'));
    const bool result = tapes ? w->CheckTape(parts[1], parts[0]) : w->CheckDisk(parts[1], parts[0]);

    EXPECT_EQ(result, d.result);
    EXPECT_EQ(Fetches(tapes, zip), d.fetched ? 1 : 0);
    EXPECT_EQ(ReadBytes(unpacked), d.fetched ? QByteArray("new image")
                                             : (d.present && !tapes ? QByteArray("old image") : QByteArray("<missing>")));
    EXPECT_FALSE(QFile::exists(dir + "/temp.zip"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    EXPECT_EQ(w->txtTitle3->Text(), QString());

    const bool appended = !d.known && (d.present || d.fetched);
    ASSERT_EQ(gSTH, before + (appended ? 1 : 0));
    const int slot = FindSTH(zip, tapes ? QStringLiteral("T") : QStringLiteral("D"));
    if (d.known || appended) {
        ASSERT_GT(slot, 1);
        EXPECT_EQ(STH[slot].dDate, d.storedAfter);
    } else {
        EXPECT_EQ(slot, 0);
    }
    EXPECT_EQ(STH[1].dDate, kStored);  // the other kind's entry is never touched
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecisionTable,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(
                           Decision{"NewEntry", false, false, "Aug 1 2006 10:00:00", true, true, QDate(2006, 8, 1)},
                           Decision{"NewUndated", false, false, "soon", true, true, QDate()},
                           Decision{"AlreadyPresent", false, true, "Aug 1 2006", false, false, QDate(2006, 8, 1)},
                           Decision{"KnownButGone", true, false, "Aug 1 2006", false, false, kStored},
                           Decision{"KnownSameDay", true, true, "Jul 10 2006 23:59:00", false, false, kStored},
                           Decision{"KnownOlder", true, true, "Jul 9 2006", false, false, kStored},
                           Decision{"KnownUndated", true, true, "", false, false, kStored},
                           Decision{"KnownNewer", true, true, "Jul 11 2006", true, false, QDate(2006, 7, 11)})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) ? "Tape" : "Disc") + std::get<1>(info.param).name;
    });

using EntryCheckTest = DownloaderTest;

TEST_F(EntryCheckTest, DiscCountsAsPresentWithOnlyItsDsd) {
    WriteBytes(strGameDir + "/Elite.dsd", "image");
    auto w = CheckWindow();
    SetIndex({});
    const QStringList p = QString::fromLatin1(Entry("Aug 1 2006", "Elite.zip")).split('\n');
    EXPECT_FALSE(w->CheckDisk(p[1], p[0]));
    EXPECT_EQ(Fetches(false, "Elite.zip"), 0);
    EXPECT_EQ(gSTH, 1);
}

TEST_F(EntryCheckTest, TapePresenceLooksAtTheTopOnly) {
    QDir(strTapeDir).mkpath("Acornsoft");
    WriteBytes(strTapeDir + "/Acornsoft/Elite.uef", "old");
    auto w = CheckWindow();
    SetIndex({});
    ServeZip(true, "Elite.zip", "new");
    const QStringList p = QString::fromLatin1(Entry("Aug 1 2006", "Elite.zip", "Acornsoft")).split('\n');
    EXPECT_TRUE(w->CheckTape(p[1], p[0]));
    EXPECT_EQ(ReadBytes(strTapeDir + "/Acornsoft/Elite.uef"), "new");
}

TEST_F(EntryCheckTest, OnlyTheFirstOfTwinEntriesIsMatchedAndUpdated) {
    WriteBytes(strGameDir + "/Elite.ssd", "old");
    auto w = CheckWindow();
    SetIndex({{"ELITE.ZIP", "D", kStored}, {"Elite.zip", "D", QDate(2010, 1, 1)}});
    ServeZip(false, "Elite.zip", "new");
    const QStringList p = QString::fromLatin1(Entry("Jan 1 2008", "Elite.zip")).split('\n');
    EXPECT_FALSE(w->CheckDisk(p[1], p[0]));
    EXPECT_EQ(Fetches(false, "Elite.zip"), 1);
    EXPECT_EQ(STH[1].dDate, QDate(2008, 1, 1));
    EXPECT_EQ(STH[1].strFilename, "Elite.zip");
    EXPECT_EQ(STH[2].dDate, QDate(2010, 1, 1));
}

TEST_F(EntryCheckTest, ErrorPageIsReportedAndLeavesTheIndexAlone) {
    auto w = CheckWindow();
    SetIndex({});
    const QStringList p = QString::fromLatin1(Entry("Aug 1 2006", "Gone.zip")).split('\n');
    EXPECT_FALSE(w->CheckDisk(p[1], p[0]));  // the server answers 404 with a body
    EXPECT_EQ(Fetches(false, "Gone.zip"), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Unable to unpack Gone.zip: ")) << messages[0].toStdString();
    EXPECT_EQ(gSTH, 0);
    EXPECT_EQ(w->txtTitle3->Text(), QString());
    EXPECT_FALSE(QFile::exists(strGameDir + "/temp.zip"));
}

TEST_F(EntryCheckTest, StalledDownloadTimesOut) {
    frmHTTP::SetDownloadTimeout(1);
    server.SetStall(EntryPath(true, "Slow.zip"));
    auto w = CheckWindow();
    SetIndex({});
    const QStringList p = QString::fromLatin1(Entry("Aug 1 2006", "Slow.zip", "Pub")).split('\n');
    EXPECT_FALSE(w->CheckTape(p[1], p[0]));
    EXPECT_EQ(messages, QStringList({"Unable to download Slow.zip"}));
    EXPECT_EQ(titlesAtMessage, QStringList({"Downloading Slow.zip"}));
    EXPECT_EQ(w->txtTitle3->Text(), QString());
    EXPECT_EQ(gSTH, 0);
}

struct Refusal {
    const char* name;
    bool tapes;
    QByteArray linkLine;
    QString message;
};

class Refusals : public DownloaderTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, NameThatLeavesTheDirectoryIsSkipped) {
    const Refusal& r = GetParam();
    auto w = CheckWindow();
    SetIndex({});
    const QString line = QString::fromLatin1(r.linkLine);
    const bool result = r.tapes ? w->CheckTape(line, "<PRE>Aug 1 2006 <") : w->CheckDisk(line, "<PRE>Aug 1 2006 <");
    EXPECT_FALSE(result);
    EXPECT_EQ(messages, QStringList({r.message}));
    EXPECT_EQ(server.TotalRequests(), 0);
    EXPECT_EQ(gSTH, 0);
    EXPECT_EQ(QDir(root.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Refusals,
    ::testing::Values(
        Refusal{"ZipParentPart", false, "<a href=\"../app/x.zip\">x</a>", "Unable to download ../app/x.zip"},
        Refusal{"ZipDotDot", false, "<a href=\"..\">up</a>", "Unable to download .."},
        Refusal{"ZipDot", true, "<a href=\".\">here</a> <a href=\"/Pub\">", "Unable to download ."},
        Refusal{"ZipDotPart", false, "<a href=\"AnF/./x.zip\">x</a>", "Unable to download AnF/./x.zip"},
        Refusal{"ZipInnerParent", false, "<a href=\"AnF/../../x.zip\">x</a>", "Unable to download AnF/../../x.zip"},
        // Qt 6.4 would send "AnF//x.zip".
        Refusal{"ZipDotLetterPart", false, "<a href=\"AnF/.a/x.zip\">x</a>", "Unable to download AnF/.a/x.zip"},
        Refusal{"ZipEmptyPart", false, "<a href=\"AnF//x.zip\">x</a>", "Unable to download AnF//x.zip"},
        Refusal{"ZipFolderOnly", false, "<a href=\"AnF/\">x</a>", "Unable to download AnF/"},
        Refusal{"ZipAbsolute", false, "<a href=\"/etc/x.zip\">x</a>", "Unable to download /etc/x.zip"},
        Refusal{"ZipBackslash", false, "<a href=\"..\\x.zip\">x</a>", "Unable to download ..\\x.zip"},
        Refusal{"ZipComma", false, "<a href=\"a,D,x.zip\">x</a>", "Unable to download a,D,x.zip"},
        Refusal{"ZipTab", false, "<a href=\"a\tx.zip\">x</a>", "Unable to download a\tx.zip"},
        Refusal{"ZipNul", false, QByteArray("<a href=\"a\0x.zip\">x</a>", 23), QString::fromLatin1("Unable to download a\0x.zip", 26)},
        Refusal{"ZipEmpty", false, "<a href=\"\">none</a>", "Unable to download "},
        Refusal{"LinkNotClosed", false, "<a href=\"x.zip\"", "Unable to download "},
        Refusal{"NoSecondLink", true, "<a href=\"x.zip\">x.zip</a> by Pub", "Unable to download x.zip"},
        Refusal{"FolderEmpty", true, "<a href=\"x.zip\">x</a> <a href=\"/\">", "Unable to download x.zip"},
        Refusal{"FolderDotDot", true, "<a href=\"x.zip\">x</a> <a href=\"/..\">", "Unable to download x.zip"},
        Refusal{"FolderDot", true, "<a href=\"x.zip\">x</a> <a href=\".\">", "Unable to download x.zip"},
        Refusal{"FolderControl", true, "<a href=\"x.zip\">x</a> <a href=\"P\x1bub\">", "Unable to download x.zip"},
        Refusal{"FolderDeeper", true, "<a href=\"x.zip\">x</a> <a href=\"/../../etc\">",
                "Unable to download x.zip"},
        Refusal{"SecondLinkNotClosed", true, "<a href=\"x.zip\">x</a> <a href=\"/Pub\"", "Unable to download x.zip"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryCheckTest, DirectoriesWithShellCharactersWork) {
    UseDirectories("my disc's $(touch pwned) dir", "tape \"dir\"; touch pwned");
    auto w = CheckWindow();
    SetIndex({});
    ServeZip(false, "Elite.zip", "disc");
    ServeZip(true, "Zalaga.zip", "tape");
    QStringList p = QString::fromLatin1(Entry("Aug 1 2006", "Elite.zip")).split('\n');
    EXPECT_TRUE(w->CheckDisk(p[1], p[0]));
    p = QString::fromLatin1(Entry("Aug 1 2006", "Zalaga.zip", "Bob's `id` Games")).split('\n');
    EXPECT_TRUE(w->CheckTape(p[1], p[0]));

    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    EXPECT_EQ(ReadBytes(strGameDir + "/Elite.ssd"), "disc");
    EXPECT_EQ(ReadBytes(strTapeDir + "/Bob's `id` Games/Zalaga.uef"), "tape");
    EXPECT_FALSE(QFile::exists(strGameDir + "/temp.zip"));
    EXPECT_FALSE(QFile::exists(strTapeDir + "/temp.zip"));
    EXPECT_FALSE(QFile::exists("pwned"));
    EXPECT_FALSE(QFile::exists(strGameDir + "/pwned"));
    EXPECT_FALSE(QFile::exists(strTapeDir + "/pwned"));
}

}  // namespace
