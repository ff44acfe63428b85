#include "DownloaderFixture.h"

#include <QTcpServer>

namespace {

using DownloaderRunTest = DownloaderTest;

QByteArray Entries(int n, bool tapes = false) {
    QByteArray out;
    for (int i = 1; i <= n; ++i)
        out += Entry("Aug 1 2006", QStringLiteral("Game%1.zip").arg(i),
                                     tapes ? QStringLiteral("Pub") : QString());
    return out;
}

TEST_F(DownloaderRunTest, FourNewEntriesShowTheirProgressAndTheSummary) {
    ServePage(false, Page(Entries(4)));
    for (int i = 1; i <= 4; ++i) ServeZip(false, QStringLiteral("Game%1.zip").arg(i), "image");
    WatchedHTTP w;
    RunModal(w, true);

    ASSERT_EQ(w.steps.size(), 4u) << messages.join(" / ").toStdString();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.steps[i].progress, 25 * (i + 1));
        EXPECT_EQ(w.steps[i].title1, "Checking game ...");
        EXPECT_EQ(w.steps[i].title2, QStringLiteral("%1 of 4").arg(i + 1));
    }
    EXPECT_EQ(w.txtTitle1->Text(), "Added 4 new games");
    EXPECT_EQ(w.txtTitle2->Text(), "");
    EXPECT_EQ(w.txtTitle3->Text(), "");
    EXPECT_FALSE(w.pb->Visible());
    EXPECT_EQ(w.cmdCancel->Caption(), "Close");
    EXPECT_TRUE(QFile::exists(strGameDir + "/Game4.ssd"));
    EXPECT_TRUE(QFile::exists(AppFile("games.idx")));
    EXPECT_TRUE(QFile::exists(AppFile("corvale.txt")));  // the catalogue was saved and reloaded
    EXPECT_FALSE(QFile::exists(AppFile("sth.idx")));     // not before "Close"
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
}

struct PageCase {
    const char* name;
    QByteArray page;
    int checks;
};

class PageShapes : public DownloaderTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageShapes, EntriesStartAfterTheTableLine) {
    const PageCase& c = GetParam();
    ServePage(false, c.page);
    WatchedHTTP w;
    RunModal(w, true);
    ASSERT_EQ(int(w.steps.size()), c.checks);
    if (c.checks > 0) {
        EXPECT_EQ(w.steps.back().title2, QStringLiteral("%1 of %1").arg(c.checks));
    }
    EXPECT_EQ(w.txtTitle1->Text(), "Added 0 new games");
    EXPECT_EQ(w.cmdCancel->Caption(), "Close");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageShapes,
    ::testing::Values(PageCase{"NoTable", "<html>\n<a href=\"A.zip\">A</a>\n<p>Not Found</p>\n", 0},
                      PageCase{"Empty", "", 0},
                      PageCase{"LinkOnTableLine", "<TABLE><a href=\"A.zip\">A</a>\n<PRE>Aug 1 2006 <\n"
                                                  "<A HREF=\"B.zip\">B</a>\n",
                               1},
                      // Not held whole, and no entry however it ends.
                      PageCase{"OverlongLine", "<table>\n" + QByteArray(3 << 20, 'x') + "<a href=\"A.zip\">A</a>\n"
                                               "<PRE>Aug 1 2006 <\n<a href=\"B.zip\">B</a>\n",
                               1},
                      PageCase{"LinksAfterTheTable", "<table>\n<a href=\"A.zip\">A</a>\n</table>\n"
                                                     "<a href=\"B.zip\">B</a>\n<a href=\"C.zip\">C</a>",
                               3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloaderRunTest, UpdatedEntriesAreFetchedButNotCountedAsNew) {
    WriteBytes(strGameDir + "/Game1.ssd", "old");
    WriteBytes(AppFile("sth.idx"), "Game1.zip,D,Jul 10, 2006\n");
    ServePage(false, Page(Entries(1)));
    ServeZip(false, "Game1.zip", "new");
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    EXPECT_EQ(w.txtTitle1->Text(), "Added 0 new games");
    EXPECT_EQ(ReadBytes(strGameDir + "/Game1.ssd"), "new");
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Game1.zip,D,Aug 1, 2006\n");
}

TEST_F(DownloaderRunTest, TapeRunUnpacksIntoSubFolders) {
    ServePage(true, Page(Entries(2, true)));
    ServeZip(true, "Game1.zip", "one");
    ServeZip(true, "Game2.zip", "two");
    WatchedHTTP w;
    RunModal(w, false, PressClose);
    EXPECT_EQ(w.steps.size(), 2u);
    EXPECT_EQ(ReadBytes(strTapeDir + "/Pub/Game2.uef"), "two");
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Game1.zip,T,Aug 1, 2006\nGame2.zip,T,Aug 1, 2006\n");
    EXPECT_EQ(server.RequestCount(EntryPath(false, "Game1.zip")), 0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
}

TEST_F(DownloaderRunTest, CancelStopsAfterTheCurrentEntryAndSavesNothing) {
    WriteBytes(AppFile("sth.idx"), "Kept.zip,D,Jul 10, 2006\n");
    ServePage(false, Page(Entries(10)));
    for (int i = 1; i <= 10; ++i) ServeZip(false, QStringLiteral("Game%1.zip").arg(i), "image");
    WatchedHTTP w;
    w.beforeCheck = [&w](int check) {
        if (check == 3) w.cmdCancel->Push();
    };
    RunModal(w, true);

    EXPECT_EQ(w.steps.size(), 3u);
    EXPECT_FALSE(w.IsOpen());
    EXPECT_TRUE(QFile::exists(strGameDir + "/Game3.ssd"));  // the third entry's check completed
    EXPECT_FALSE(QFile::exists(strGameDir + "/Game4.ssd"));
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Kept.zip,D,Jul 10, 2006\n");
    EXPECT_FALSE(QFile::exists(AppFile("corvale.txt")));
    EXPECT_NE(w.txtTitle1->Text(), "Added 3 new games");

    // The next run knows none of them and finds their files present.
    WatchedHTTP again;
    RunModal(again, true, PressClose);
    EXPECT_EQ(again.txtTitle1->Text(), "Added 7 new games");
    EXPECT_EQ(server.RequestCount(EntryPath(false, "Game1.zip")), 1);
    EXPECT_EQ(server.RequestCount(EntryPath(false, "Game4.zip")), 1);
    EXPECT_TRUE(ReadBytes(AppFile("sth.idx")).startsWith("Kept.zip,D,Jul 10, 2006\nGame1.zip,D,Aug 1, 2006\n"));
}

TEST_F(DownloaderRunTest, AskedToEndTheRunDropsTheEntryInHandAndSavesTheIndex) {
    WriteBytes(AppFile("sth.idx"), "Kept.zip,D,Jul 10, 2006\n");
    ServePage(false, Page(Entries(4)));
    for (int i = 1; i <= 4; ++i) ServeZip(false, QStringLiteral("Game%1.zip").arg(i), "image");
    server.SetStall(EntryPath(false, "Game3.zip"));  // a logout comes while it waits
    WatchedHTTP w;
    w.beforeCheck = [](int check) {
        if (check == 3) QTimer::singleShot(100, [] { SetEnding(true); });
    };
    RunModal(w, true);
    SetEnding(false);

    EXPECT_EQ(w.steps.size(), 3u);
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")),
              "Kept.zip,D,Jul 10, 2006\nGame1.zip,D,Aug 1, 2006\nGame2.zip,D,Aug 1, 2006\n");
    EXPECT_EQ(QDir(strGameDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Game1.ssd", "Game2.ssd"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" / ").toStdString();
}

TEST_F(DownloaderRunTest, TitleBarCloseActsAsCancelDuringARun) {
    ServePage(false, Page(Entries(4)));
    for (int i = 1; i <= 4; ++i) ServeZip(false, QStringLiteral("Game%1.zip").arg(i), "image");
    WatchedHTTP w;
    w.beforeCheck = [&w](int check) {
        if (check == 2) w.Widget()->close();
    };
    RunModal(w, true);
    EXPECT_EQ(w.steps.size(), 2u);
    EXPECT_FALSE(w.IsOpen());
    EXPECT_FALSE(QFile::exists(AppFile("sth.idx")));
    EXPECT_FALSE(QFile::exists(AppFile("corvale.txt")));
}

TEST_F(DownloaderRunTest, TitleBarCloseActsAsCloseAfterARun) {
    ServePage(false, Page(Entries(1)));
    ServeZip(false, "Game1.zip", "image");
    WatchedHTTP w;
    RunModal(w, true, [](frmHTTP& form) {
        form.Widget()->close();
        EXPECT_FALSE(form.IsOpen());
    });
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Game1.zip,D,Aug 1, 2006\n");
}

TEST_F(DownloaderRunTest, CloseRewritesTheIndexEvenWhenNothingChanged) {
    WriteBytes(strGameDir + "/Game1.ssd", "image");
    WriteBytes(AppFile("sth.idx"), "Game1.zip,D,2006-08-01\r\n");
    ServePage(false, Page(Entries(1)));
    WatchedHTTP w;
    RunModal(w, true, PressClose);
    EXPECT_EQ(w.txtTitle1->Text(), "Added 0 new games");
    EXPECT_EQ(server.RequestCount(EntryPath(false, "Game1.zip")), 0);
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(ReadBytes(AppFile("sth.idx")), "Game1.zip,D,Aug 1, 2006\n");
}

TEST_F(DownloaderRunTest, UnreachableArchiveClosesTheWindow) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString host = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
    closed.close();  // nothing listens there now: the connection is refused
    frmHTTP::SetArchiveHost(host);
    WatchedHTTP w;
    RunModal(w, true);
    EXPECT_EQ(messages, QStringList({"Unable to download game index. Please try later"}));
    EXPECT_FALSE(w.IsOpen());
    EXPECT_TRUE(w.steps.empty());
    EXPECT_FALSE(QFile::exists(AppFile("sth.idx")));
    EXPECT_FALSE(QFile::exists(AppFile("corvale.txt")));
}

}  // namespace

namespace {

// Without its image directory nothing is fetched: an entry would otherwise be
// unpacked wherever the shell stands.
TEST_F(DownloaderRunTest, UnsetImageDirectoryFetchesNothing) {
    for (const bool tapes : {false, true}) {
        messages.clear();
        (tapes ? strTapeDir : strGameDir).clear();
        WatchedHTTP w;
        RunModal(w, !tapes);  // Image is true for discs
        EXPECT_EQ(messages, QStringList({"Please set Game, Tape and Program Directories First"}));
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(server.TotalRequests(), 0);
        EXPECT_FALSE(QFile::exists(AppFile("sth.idx")));
    }
}

}  // namespace
