// Runs against pages in the archive's own row layout, with zip names that are
// paths below the archive's folder.

#include "DownloaderFixture.h"
#include "support/PrivateTmpfs.h"

namespace {

// Sort links stand before the table, as on the archive's pages.
QByteArray ArchivePage(const QByteArray& rows) {
    return "<html><body>\n<a href=\"reclist.php?sort=name&filter=.zip\">Name</a>\n"
           "<a href=\"reclist.php?sort=date&filter=.zip\">Date</a>\n<table>\n" +
           rows + "</table>\n</body></html>\n";
}

class ArchiveLayoutTest : public DownloaderTest {
protected:
    // A disc page of the zips, dated Jul 10 2006, Jul 11 2006 ..., and the zips themselves.
    void ServeZips(const QList<QPair<QString, QByteArray>>& zips) {
        QByteArray rows;
        for (const auto& [zip, bytes] : zips) {
            rows += ArchiveRow(QStringLiteral("Jul %1 2006").arg(10 + rows.count("<tr>")), zip);
            server.SetResponse(EntryPath(false, zip), bytes);
        }
        ServePage(false, ArchivePage(rows));
    }
};

class BothArchives : public DownloaderTest, public ::testing::WithParamInterface<bool> {};

TEST_P(BothArchives, NewEntriesAreFetchedOnceAndPresentOnesRecorded) {
    const bool tapes = GetParam();
    const QString dir = tapes ? strTapeDir : strGameDir;
    const QString image = tapes ? QStringLiteral(".uef") : QStringLiteral(".ssd");
    QDir(dir).mkpath(QStringLiteral("AnF"));
    WriteBytes(dir + "/AnF/Present" + image, "mine");
    ServePage(tapes, ArchivePage(ArchiveRow("Jul 10 2006 23:01:40", "AnF/180Darts.zip") +
                                 ArchiveRow("Jan 2 2007 10:00:00", "AnF/Present.zip") +
                                 ArchiveRow("Feb 28 2005 01:02:03", "Bug-Byte/Ant Attack.zip")));
    for (const QString zip : {"AnF/180Darts.zip", "AnF/Present.zip", "Bug-Byte/Ant Attack.zip"})
        server.SetResponse(EntryPath(tapes, zip).replace(' ', "%20"), ImageZip(tapes, zip, zip.toLatin1()));

    WatchedHTTP w;
    RunModal(w, !tapes, PressClose);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    EXPECT_EQ(w.steps.size(), 3u);
    EXPECT_EQ(w.txtTitle1->Text(), "Added 2 new games");
    EXPECT_EQ(ReadBytes(dir + "/AnF/180Darts" + image), "AnF/180Darts.zip");
    EXPECT_EQ(ReadBytes(dir + "/Bug-Byte/Ant Attack" + image), "Bug-Byte/Ant Attack.zip");
    EXPECT_EQ(ReadBytes(dir + "/AnF/Present" + image), "mine");
    EXPECT_FALSE(QFile::exists(dir + "/temp.zip"));
    const QString type = tapes ? QStringLiteral("T") : QStringLiteral("D");
    EXPECT_EQ(QString::fromLatin1(ReadBytes(AppFile("sth.idx"))),
              QStringLiteral("AnF/180Darts.zip,%1,Jul 10, 2006\nAnF/Present.zip,%1,Jan 2, 2007\n"
                             "Bug-Byte/Ant Attack.zip,%1,Feb 28, 2005\n")
                  .arg(type));

    const int requests = server.TotalRequests();
    WatchedHTTP again;
    RunModal(again, !tapes, PressClose);
    EXPECT_EQ(again.txtTitle1->Text(), "Added 0 new games");
    EXPECT_EQ(server.TotalRequests(), requests + 1);  // the index page alone
    EXPECT_EQ(Fetches(tapes, "AnF/180Darts.zip"), 1);
    EXPECT_EQ(Fetches(tapes, "AnF/Present.zip"), 0);
}

INSTANTIATE_TEST_SUITE_P(Archives, BothArchives, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tapes" : "Discs"; });

// Collections copied from systems that ignore letter case hold "ANF/DARTS.SSD"
// for the archive's "AnF/Darts.zip".
TEST_F(ArchiveLayoutTest, PresenceIgnoresLetterCase) {
    WriteBytes(strGameDir + "/ANF/DARTS.SSD", "mine");
    ServePage(false, ArchivePage(ArchiveRow("Jul 10 2006", "AnF/Darts.zip")));
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    EXPECT_EQ(Fetches(false, "AnF/Darts.zip"), 0);
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "AnF/Darts.zip,D,Jul 10, 2006\n");
}

// The address holds the page's own bytes: 0xE9 is requested as "%E9", as the
// archive names the file, whatever the page's text reads as.
TEST_F(ArchiveLayoutTest, ANameReachesTheServerAsThePageHoldsIt) {
    const QList<QPair<QByteArray, QString>> cases = {
        {"AnF/No #1? 100% Fun.zip", "AnF/No%20%231%3F%20100%25%20Fun.zip"}, {"AnF/Caf\xe9.zip", "AnF/Caf%E9.zip"}};
    QByteArray rows;
    for (const auto& [zip, path] : cases) {
        rows += ArchiveRow("Jul 10 2006", QString::fromLatin1(zip));
        server.SetResponse(EntryPath(false, path), ImageZip(false, QString::fromLatin1(zip), "fun"));
    }
    ServePage(false, ArchivePage(rows));
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    EXPECT_EQ(w.txtTitle1->Text(), "Added 2 new games");
    EXPECT_EQ(ReadBytes(strGameDir + "/AnF/No #1? 100% Fun.ssd"), "fun");
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "AnF/No #1? 100% Fun.zip,D,Jul 10, 2006\nAnF/Caf\xe9.zip,D,Jul 10, 2006\n");
}

// A disk that fills at the second member: nothing of the entry stays, so the
// next run, with room, fetches all of it again.
TEST_F(ArchiveLayoutTest, AnEntryThatFillsTheDiskLeavesNothingAndIsFetchedAgain) {
    if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(2048);
    strGameDir = PrivateTmpfsPath() + "/discs";
    ASSERT_TRUE(QDir().mkpath(strGameDir));
    const QString filler = PrivateTmpfsPath() + "/filler";
    WriteBytes(filler, QByteArray(700 * 1024, 'f'));
    ServeZips({{"AnF/Bomb.zip", StoredZip({{"AnF/Bomb.ssd", "one"}, {"AnF/Bomb2.ssd", QByteArray(900 * 1024, 'b')},
                                            {"AnF/Bomb3.ssd", "three"}})}});
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Unable to unpack AnF/Bomb.zip: AnF/Bomb2.ssd: ")) << messages[0].toStdString();
    EXPECT_EQ(QDir(strGameDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList());

    QFile::remove(filler);
    WatchedHTTP again;
    RunModal(again, true, PressClose);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(again.txtTitle1->Text(), "Added 1 new games");
    EXPECT_EQ(Fetches(false, "AnF/Bomb.zip"), 2);
    EXPECT_EQ(ReadBytes(strGameDir + "/AnF/Bomb.ssd"), "one");
    EXPECT_EQ(ReadBytes(strGameDir + "/AnF/Bomb3.ssd"), "three");
}

TEST_F(ArchiveLayoutTest, APageServedAsAZipIsRetriedUntilAGoodZipComes) {
    ServeZips({{"AnF/Darts.zip", "<html><body>Busy, try later</body></html>"}});
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Unable to unpack AnF/Darts.zip: ")) << messages[0].toStdString();
    EXPECT_EQ(w.txtTitle1->Text(), "Added 0 new games");
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "");
    EXPECT_FALSE(QFile::exists(strGameDir + "/temp.zip"));

    ServeZip(false, "AnF/Darts.zip", "darts");
    WatchedHTTP again;
    RunModal(again, true, PressClose);
    EXPECT_EQ(again.txtTitle1->Text(), "Added 1 new games");
    EXPECT_EQ(Fetches(false, "AnF/Darts.zip"), 2);
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "AnF/Darts.zip,D,Jul 10, 2006\n");
}

// A zip with nothing to unpack is a zip all the same: it is recorded, so the
// next run does not fetch it again and again.
TEST_F(ArchiveLayoutTest, ZipsWithNothingToUnpackAreRecordedOnce) {
    ServeZips({{"AnF/Empty.zip", StoredZip({})},
               {"AnF/Escapes.zip", StoredZip({{"../escaped.ssd", "x"}, {"/tmp/corvale-absolute.ssd", "x"}})}});
    for (int run = 1; run <= 2; ++run) {
        WatchedHTTP w;
        RunModal(w, true, PressClose);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    }
    EXPECT_EQ(Fetches(false, "AnF/Empty.zip"), 1);
    EXPECT_EQ(Fetches(false, "AnF/Escapes.zip"), 1);
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "AnF/Empty.zip,D,Jul 10, 2006\nAnF/Escapes.zip,D,Jul 11, 2006\n");
    EXPECT_FALSE(QFile::exists(root.filePath("escaped.ssd")));
    EXPECT_FALSE(QFile::exists("/tmp/corvale-absolute.ssd"));
}

// Zips that try to write outside the image directory: a link planted by one
// zip and written through by the next, a link to the application folder that
// lies in the image directory, absolute and "../" members.
TEST_F(ArchiveLayoutTest, NoZipWritesOutsideTheImageDirectory) {
    QDir(root.path()).mkpath(QStringLiteral("outside"));
    WriteBytes(AppFile("bin/open"), "#!/bin/sh\n");
    ASSERT_TRUE(QFile::link(root.filePath("app"), strGameDir + "/app"));
    ServeZips({
        {"AnF/Plant.zip", StoredZipOf({{"AnF/out", root.filePath("outside").toUtf8(), kZipSymlinkMode}})},
        {"AnF/Through.zip", StoredZip({{"AnF/out/pwned.ssd", "x"}})},
        {"AnF/Bin.zip", StoredZip({{"app/bin/open", "pwned"}, {"app/bin/rm", "pwned"}})},
        {"AnF/Escape.zip", StoredZip({{"../../outside/up.ssd", "x"}, {root.filePath("outside/abs.ssd").toUtf8(), "x"}})},
    });
    WatchedHTTP w;
    RunModal(w, true, PressClose);

    EXPECT_EQ(w.steps.size(), 4u);
    EXPECT_TRUE(QDir(root.filePath("outside")).isEmpty());
    EXPECT_EQ(ReadBytes(AppFile("bin/open")), "#!/bin/sh\n");
    EXPECT_EQ(QDir(AppFile("bin")).entryList(QDir::Files), QStringList({"open"}));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"app", "discs", "outside", "tapes"}));
    EXPECT_FALSE(QFileInfo(strGameDir + "/AnF/out").isSymLink());
}

// Closing from the title bar while a transfer hangs stops it at once: the run
// ends long before the transfer's time-out, nothing is reported or saved.
class StalledClose : public DownloaderTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StalledClose, TitleBarCloseStopsTheTransferInFlight) {
    const bool duringEntry = GetParam();
    WriteBytes(AppFile("sth.idx"), "Kept.zip,D,Jul 10, 2006\n");
    if (duringEntry) {
        ServePage(false, ArchivePage(ArchiveRow("Jul 10 2006", "AnF/Slow.zip")));
        server.SetStall(EntryPath(false, "AnF/Slow.zip"));
    } else {
        server.SetStall(QStringLiteral("/bbc/archive/diskimages/reclist.php?sort=dir&filter=.zip"));
    }
    WatchedHTTP w;
    bool openAfterClose = false;
    QTimer::singleShot(300, [&] {
        w.Widget()->close();
        openAfterClose = w.IsOpen();
    });
    RunModal(w, true);  // gives up waiting after 20 s, a third of the time-out

    EXPECT_TRUE(openAfterClose);  // still modal while the run stops
    EXPECT_FALSE(w.IsOpen());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Kept.zip,D,Jul 10, 2006\n");
    EXPECT_FALSE(QFile::exists(AppFile("corvale.txt")));
    EXPECT_FALSE(QFile::exists(strGameDir + "/temp.zip"));
}

INSTANTIATE_TEST_SUITE_P(Transfers, StalledClose, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Entry" : "IndexPage"; });

}  // namespace
