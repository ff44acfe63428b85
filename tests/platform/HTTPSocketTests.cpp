#include "platform/FolderItem.h"
#include "platform/HTTPSocket.h"
#include "support/TestHttpServer.h"
#include "support/TestHttpsServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every byte value, NULs included, and long enough to arrive in pieces.
QByteArray BinaryBody() {
    QByteArray body;
    for (int i = 0; i < 300000; ++i)
        body.append(char((i * 7 + i / 256) & 0xff));
    body.prepend(QByteArray(5, '\0'));
    return body;
}

quint16 UnusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

class HTTPSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        target_ = dir_.filePath(QStringLiteral("games.idx"));
    }

    bool Get(const QString& url, int timeoutSeconds = 10) {
        HTTPSocket socket;
        socket.yield = true;
        return socket.Get(url, FolderItem(target_), timeoutSeconds);
    }

    void Prefill() {
        QFile file(target_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an older and longer page that must not survive");
    }

    // A redirect from "/hop0" through "/hop1" ... to "/hopN", which answers "arrived".
    QString Chain(int redirects) {
        for (int i = 0; i < redirects; ++i)
            server_.SetRedirect(QStringLiteral("/hop%1").arg(i),
                                QStringLiteral("/hop%1").arg(i + 1));
        server_.SetResponse(QStringLiteral("/hop%1").arg(redirects), "arrived");
        return server_.Url(QStringLiteral("/hop0"));
    }

    TestHttpServer server_;
    QTemporaryDir dir_;
    QString target_;
};

struct BodyCase {
    const char* path;
    int status;
    QByteArray body;
};

TEST_F(HTTPSocketTest, StoresTheBodyWhateverTheStatus) {
    const BodyCase cases[] = {
        {"/bbc/archive/diskimages/reclist.php?sort=dir&filter=.zip", 200,
         QByteArray("<table>\n<a href=\"x.zip\">x</a>\n")},
        {"/bbc/archive/diskimages/Elite.zip", 200, BinaryBody()},
        {"/missing.zip", 404, QByteArray("<html>Not here</html>")},
        {"/broken", 500, QByteArray("server trouble")},
        {"/moved", 302, QByteArray("see elsewhere, but no Location says where")},
        // Statuses that Qt files under protocol errors rather than content errors.
        {"/bad", 400, QByteArray("bad request")},
        {"/teapot", 418, QByteArray("short and stout")},
        {"/proxy", 407, QByteArray("who goes there")},
        {"/odd", 599, QByteArray("odd status")},
        {"/empty", 200, QByteArray()},
    };
    for (const BodyCase& c : cases) {
        Prefill();
        server_.SetResponse(QString::fromLatin1(c.path), c.body, c.status);
        EXPECT_TRUE(Get(server_.Url(QString::fromLatin1(c.path)))) << c.path;
        EXPECT_TRUE(ReadAll(target_) == c.body)
            << c.path << " stored " << ReadAll(target_).size() << " bytes";
        EXPECT_EQ(server_.RequestCount(QString::fromLatin1(c.path)), 1) << c.path;
    }
}

// Framing that Qt used to read for us; what follows the response is not read.
TEST_F(HTTPSocketTest, ReadsChunkedAndInterimResponses) {
    const QByteArray cases[] = {
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n"
        "5;name=value\r\nhello\r\n6\r\n world\r\n0\r\nX-Trailer: 1\r\n\r\n",
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\ncontent-length: 11\r\n\r\nhello world",
    };
    for (const QByteArray& response : cases) {
        server_.SetRawEndless(QStringLiteral("/page"), response, "junk");
        EXPECT_TRUE(Get(server_.Url(QStringLiteral("/page")))) << response.constData();
        EXPECT_EQ(ReadAll(target_), QByteArray("hello world")) << response.constData();
    }
}

TEST_F(HTTPSocketTest, UrlWithoutSchemeIsPlainHttp) {
    server_.SetResponse(QStringLiteral("/bbc/archive/tapeimages/Zalaga.zip"),
                        QByteArray("PK\x03\x04", 4));
    EXPECT_TRUE(Get(server_.Host() + QStringLiteral("/bbc/archive/tapeimages/Zalaga.zip")));
    EXPECT_EQ(ReadAll(target_), QByteArray("PK\x03\x04", 4));
}

TEST_F(HTTPSocketTest, FailuresEmptyTheFileAndReturnFalse) {
    server_.SetRefuse(QStringLiteral("/refused"));
    const QString refusedPort = QStringLiteral("http://127.0.0.1:%1/page").arg(UnusedPort());
    const QString cases[] = {refusedPort, server_.Url(QStringLiteral("/refused"))};
    for (const QString& url : cases) {
        Prefill();
        EXPECT_FALSE(Get(url)) << url.toStdString();
        EXPECT_TRUE(QFile::exists(target_));
        EXPECT_EQ(ReadAll(target_), QByteArray()) << url.toStdString();
    }
    // A body cut short is no complete transfer, whatever its status said.
    for (const int status : {200, 404}) {
        const QString path = QStringLiteral("/cut%1").arg(status);
        server_.SetTruncated(path, BinaryBody(), status);
        EXPECT_FALSE(Get(server_.Url(path))) << status;
    }
    // The server saw the request before it closed the connection.
    EXPECT_GE(server_.RequestCount(QStringLiteral("/refused")), 1);
}

TEST_F(HTTPSocketTest, StalledServerTimesOut) {
    server_.SetStall(QStringLiteral("/stall"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Get(server_.Url(QStringLiteral("/stall")), 1));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(server_.RequestCount(QStringLiteral("/stall")), 1);
}

// Whatever the server sends, a Get ends within its time-out plus a second and
// keeps nothing of a body that failed, nor of a redirect it refused.
TEST_F(HTTPSocketTest, EndlessOversizedCutAndRefusedAnswersFailAndLeaveAnEmptyFile) {
    using Framing = TestHttpServer::Framing;
    server_.SetStreamed(QStringLiteral("/endless"), -1, Framing::Unannounced, 1);
    server_.SetStreamed(QStringLiteral("/past-ceiling"), HTTPSocket::kBodyCeiling + 1, Framing::Unannounced);
    server_.SetTruncated(QStringLiteral("/cut"), BinaryBody());
    server_.SetStreamed(QStringLiteral("/cut-chunked"), 300000, Framing::ChunkedWithoutEnd);
    Chain(6);  // one redirect too many
    server_.SetRedirect(QStringLiteral("/loop"), QStringLiteral("/loop"));
    server_.SetRedirect(QStringLiteral("/local"), QStringLiteral("file:///etc/hostname"));
    std::vector<const char*> paths = {"/endless", "/past-ceiling", "/cut", "/cut-chunked", "/hop0", "/loop", "/local"};
    // Hostile framing: each must fail at its bound, never be held whole.
    const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const struct {
        const char* path;
        QByteArray head;
        QByteArray filler;
    } raw[] = {
        {"/huge-chunk", chunked + "80000000\r\n", "x"},
        {"/overflowing-chunk", chunked + "5\r\nhello\r\nFFFFFFFFFFFFFFFF\r\n", "x"},
        {"/overflowing-chunk-by-one", chunked + "10000000000000001\r\n", "x"},
        {"/endless-status-line", "HTTP/1.1 200 OK", "K"},
        {"/endless-headers", "HTTP/1.1 200 OK\r\n", "X-B: yyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\r\n"},
        {"/endless-chunk-extension", chunked + "1;", "e"},
        {"/endless-tiny-chunks", chunked, "1\r\nx\r\n"},
        {"/endless-continue", "", "HTTP/1.1 100 Continue\r\n\r\n"},
    };
    for (const auto& r : raw) {
        server_.SetRawEndless(QString::fromLatin1(r.path), r.head, r.filler);
        paths.push_back(r.path);
    }
    // Replies that break HTTP/1.1's message rules, sent whole and then closed:
    // each, read leniently, gives a body the server did not send. Redirects
    // to a "." or ".." part written with escapes: Qt would decode and resolve
    // it away, and ask for another file than the one named.
    const auto redirect = [](const QByteArray& location) {
        return "HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n";
    };
    const struct {
        const char* path;
        QByteArray reply;
    } broken[] = {
        {"/folded", "HTTP/1.1 200 OK\r\nX-Folded: a\r\n Content-Length: 3\r\n\r\nabcdef"},
        {"/folded-tab", "HTTP/1.1 200 OK\r\nX-Folded: a\r\n\tContent-Length: 3\r\n\r\nabcdef"},
        {"/blank-first-header", "HTTP/1.1 200 OK\r\n Content-Length: 3\r\n\r\nabcdef"},
        {"/name-not-token", "HTTP/1.1 200 OK\r\nTransfer-Encod ng: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n"},
        {"/blank-before-colon", "HTTP/1.1 200 OK\r\nContent-Length : 3\r\n\r\nabcdef"},
        {"/no-colon", "HTTP/1.1 200 OK\r\nContent-Length 3\r\n\r\nabcdef"},
        {"/version-x", "HTTP/1.x 200 OK\r\nContent-Length: 3\r\n\r\nabc"},
        {"/version-2", "HTTP/1.2 200 OK\r\nContent-Length: 3\r\n\r\nabc"},
        {"/chunked-twice", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"
                           "Transfer-Encoding: chunked\r\n\r\nd\r\n3\r\nabc\r\n0\r\n\r\n\r\n0\r\n\r\n"},
        {"/chunked-twice-in-one", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked, chunked\r\n\r\n"
                                  "d\r\n3\r\nabc\r\n0\r\n\r\n\r\n0\r\n\r\n"},
        {"/folded-trailer", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                            "3\r\nabc\r\n0\r\nX-T: 1\r\n more\r\n\r\n"},
        {"/dots-absolute", redirect("/%2e%2e/etc/hostname")},
        {"/dots-upper", redirect("/old/%2E%2E/x.zip")},
        {"/dots-mixed", redirect("/old/.%2E/x.zip")},
        {"/dots-relative", redirect("%2e%2E/x.zip")},
        {"/dot-one", redirect("/old/%2e/x.zip")},
        {"/dots-absolute-address", redirect("http://" + server_.Host().toLatin1() + "/a/%2E./x.zip")},
    };
    for (const auto& b : broken) {
        server_.SetRaw(QString::fromLatin1(b.path), b.reply);
        paths.push_back(b.path);
    }
    for (const char* path : paths) {
        Prefill();
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(Get(server_.Url(QString::fromLatin1(path)), 2)) << path;
        EXPECT_LT(clock.elapsed(), 3000) << path;
        EXPECT_EQ(ReadAll(target_), QByteArray()) << path;
        // As stored: a cut compressed body would pass the length check once inflated.
        EXPECT_TRUE(server_.LastRequest(QString::fromLatin1(path)).toLower().contains("\r\naccept-encoding: identity"))
            << server_.LastRequest(QString::fromLatin1(path)).toStdString();
    }
    EXPECT_EQ(server_.RequestCount(QStringLiteral("/hop6")), 0);
    EXPECT_EQ(server_.RequestCount(QStringLiteral("/loop")), 6);
    // Each redirect to a dot part was the only request of its Get: the rest
    // are "/hop1" to "/hop5" and the loop's 5 repeats.
    EXPECT_EQ(server_.TotalRequests(), int(paths.size()) + 5 + 5);
}

// A 204 or a 304 ends with its headers: what follows is no body, whatever
// the headers say.
TEST_F(HTTPSocketTest, NoContentAndNotModifiedHaveNoBody) {
    const QByteArray cases[] = {
        "HTTP/1.1 204 No Content\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
        "HTTP/1.1 304 Not Modified\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
        "HTTP/1.1 204 No Content\r\nContent-Length: 5\r\n\r\nhello",
        "HTTP/1.0 304 Not Modified\r\n\r\nhello",
    };
    for (const QByteArray& reply : cases) {
        Prefill();
        server_.SetRaw(QStringLiteral("/page"), reply);
        EXPECT_TRUE(Get(server_.Url(QStringLiteral("/page")))) << reply.constData();
        EXPECT_EQ(ReadAll(target_), QByteArray()) << reply.constData();
    }
}

// "temp.zip" and "games.idx" are the program's own: a link of that name,
// which a user or another program may have made, is replaced, not written
// through, and a pipe of that name does not block the open.
TEST_F(HTTPSocketTest, ALinkAtTheTargetIsReplacedNotWrittenThrough) {
    const QString outside = dir_.filePath(QStringLiteral("outside"));
    const QByteArray from = QFile::encodeName(outside), to = QFile::encodeName(target_);
    const std::function<bool()> ways[] = {
        [&] { return QFile::link(outside, target_); },
        [&] { return link(from.constData(), to.constData()) == 0; },
        [&] { return mkfifo(to.constData(), 0600) == 0; },
    };
    server_.SetResponse(QStringLiteral("/page"), "page");
    for (const auto& make : ways) {
        QFile::remove(target_);
        QFile(outside).open(QIODevice::WriteOnly | QIODevice::Truncate);
        ASSERT_TRUE(make());
        EXPECT_TRUE(Get(server_.Url(QStringLiteral("/page"))));
        EXPECT_TRUE(QFileInfo(target_).isFile() && !QFileInfo(target_).isSymLink());
        EXPECT_EQ(ReadAll(target_), QByteArray("page"));
        EXPECT_EQ(ReadAll(outside), QByteArray());
    }
}

TEST_F(HTTPSocketTest, UnwritableTargetIsAFailure) {
    server_.SetResponse(QStringLiteral("/page"), BinaryBody());

    HTTPSocket socket;
    // No such folder: nothing is even asked of the server.
    EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/page")),
                            FolderItem(dir_.filePath(QStringLiteral("no/such/folder/page"))), 10));
    EXPECT_EQ(server_.TotalRequests(), 0);
    // A device is neither written to nor removed.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/page")),
                                FolderItem(QStringLiteral("/dev/full")), 10));
    }
}

TEST(EncodeURLPathPart, EncodesEveryByteOutsideTheUnreservedSet) {
    const struct {
        const char* part;
        const char* encoded;
    } cases[] = {
        {"180Darts.zip", "180Darts.zip"},
        {"AZaz09-._~", "AZaz09-._~"},
        {"a#b?c d%e.zip", "a%23b%3Fc%20d%25e.zip"},
        {"x/y\\z", "x%2Fy%5Cz"},
        {"+&=;!'()*,$@:", "%2B%26%3D%3B%21%27%28%29%2A%2C%24%40%3A"},
        {"Caf\xe9", "Caf%E9"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeURLPathPart(c.part), QString::fromLatin1(c.encoded))
            << c.part;
}

TEST_F(HTTPSocketTest, EncodedPathReachesTheServerAsSent) {
    for (const char* name :
         {"a#b.zip", "what?.zip", "100%.zip", "Two  Words.zip", "x+y=(1);!.zip", "%41.zip"}) {
        const QString path = QStringLiteral("/bbc/archive/diskimages/AnF/") +
                             EncodeURLPathPart(name);
        server_.SetResponse(path, name);
        EXPECT_TRUE(Get(server_.Host() + path)) << name;
        EXPECT_EQ(ReadAll(target_), QByteArray(name));
        EXPECT_EQ(server_.RequestCount(path), 1) << path.toStdString();
    }
}

TEST_F(HTTPSocketTest, FollowsRedirectsAndKeepsOnlyTheLastBody) {
    const struct {
        int status;
        QByteArray location;
        const char* lands;
    } cases[] = {
        {301, server_.Url(QStringLiteral("/new/page.zip")).toUtf8(), "/new/page.zip"},
        {302, "/new/page.zip", "/new/page.zip"},
        {303, "sibling.zip", "/old/sibling.zip"},
        {307, "../new/page.zip", "/new/page.zip"},
        {308, "/reclist.php?sort=dir&filter=.zip", "/reclist.php?sort=dir&filter=.zip"},
        // The server's bytes as sent, in whatever encoding they are.
        {302, "/caf\xE9.zip", "/caf%E9.zip"},
        {302, "/caf\xC3\xA9.zip", "/caf%C3%A9.zip"},
        {302, "/Two Words.zip", "/Two%20Words.zip"},
        // Escapes already there are kept, not escaped again; a "%" that
        // starts none is escaped.
        {302, "/Two%20Words.zip", "/Two%20Words.zip"},
        {302, "/caf%E9.zip", "/caf%E9.zip"},
        {302, "/a%2Fb%3F%23%25.zip?q=%20", "/a%2Fb%3F%23%25.zip?q=%20"},
        {302, "/100%.zip", "/100%25.zip"},
        {302, "/Two%20Words%.zip", "/Two%20Words%25.zip"},
        {302, server_.Url(QStringLiteral("/Two%20Words.zip")).toUtf8(), "/Two%20Words.zip"},
        // "%2e%2e" that is not a whole part names no other folder. Qt sends
        // an escaped letter, digit or "-._~" as the character itself, which
        // every server takes for the same address.
        {302, "/v1%2e%2e2.zip", "/v1..2.zip"},
    };
    for (const auto& c : cases) {
        const QString lands = QString::fromLatin1(c.lands);
        server_.SetRedirect(QStringLiteral("/old/start.zip"), c.location, c.status);
        server_.SetResponse(lands, c.lands);
        const int before = server_.RequestCount(lands);
        Prefill();
        EXPECT_TRUE(Get(server_.Url(QStringLiteral("/old/start.zip")))) << c.status;
        EXPECT_EQ(ReadAll(target_), QByteArray(c.lands)) << c.status;
        EXPECT_EQ(server_.RequestCount(lands), before + 1) << c.status;
    }
    EXPECT_TRUE(Get(Chain(5)));
    EXPECT_EQ(ReadAll(target_), QByteArray("arrived"));
}

// The 302 and the clock's time-out are both waiting when the event loop
// next looks: the socket's turn comes first and ends the hop, and the next
// hop must not then run without a clock.
TEST_F(HTTPSocketTest, ATimeOutThatComesWithARedirectIsKept) {
    QTcpServer raw;
    ASSERT_TRUE(raw.listen(QHostAddress::LocalHost, 0));
    HTTPSocket socket;
    QTcpSocket* hop = nullptr;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (!hop && !(hop = raw.nextPendingConnection()))
            return;
        if (hop->bytesAvailable() == 0)
            return;
        answer.stop();
        hop->write("HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 0\r\n\r\n");
        hop->waitForBytesWritten(1000);
        QThread::msleep(1500);
    });
    answer.start(5);
    // Only a next hop run without a clock lasts this long.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] { socket.Abort(); });
    guard.start(4000);
    EXPECT_FALSE(socket.Get(QStringLiteral("http://127.0.0.1:%1/start").arg(raw.serverPort()),
                            FolderItem(target_), 1));
    EXPECT_FALSE(socket.Aborted());
}

TEST_F(HTTPSocketTest, AbortStopsTheGetInFlight) {
    server_.SetStall(QStringLiteral("/stall"));
    server_.SetStall(QStringLiteral("/stall-after-redirect"));
    server_.SetRedirect(QStringLiteral("/moving"), QStringLiteral("/stall-after-redirect"));
    const struct {
        const char* start;
        const char* stalls;
    } cases[] = {{"/stall", "/stall"}, {"/moving", "/stall-after-redirect"}};
    for (const auto& c : cases) {
        HTTPSocket socket;
        // As the downloader's close button would, from an event handled while Get waits.
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (server_.RequestCount(QString::fromLatin1(c.stalls)) > 0)
                socket.Abort();
        });
        poll.start();
        EXPECT_FALSE(socket.Get(server_.Url(QString::fromLatin1(c.start)), FolderItem(target_), 60))
            << c.start;
        EXPECT_TRUE(socket.Aborted()) << c.start;
    }
}

TEST_F(HTTPSocketTest, AbortedTellsOnlyOfAnAbort) {
    server_.SetResponse(QStringLiteral("/page"), "page");
    server_.SetStall(QStringLiteral("/stall"));
    HTTPSocket socket;
    socket.Abort();
    EXPECT_TRUE(socket.Get(server_.Url(QStringLiteral("/page")), FolderItem(target_), 10));
    EXPECT_FALSE(socket.Aborted());

    QTimer::singleShot(0, [&] { socket.Abort(); });
    EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/stall")), FolderItem(target_), 10));
    EXPECT_TRUE(socket.Aborted());
    // The next Get starts afresh; a time-out is no abort.
    EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/stall")), FolderItem(target_), 1));
    EXPECT_FALSE(socket.Aborted());
}

// A TLS server beside the plain one, its certificate trusted through the test hook.
class HTTPSocketTlsTest : public HTTPSocketTest {
protected:
    void SetUp() override {
        HTTPSocketTest::SetUp();
        if (!QSslSocket::supportsSsl())
            GTEST_SKIP() << "Qt has no TLS backend here ("
                         << QSslSocket::activeBackend().toStdString()
                         << "): cannot run a local https server";
        https_ = std::make_unique<TestHttpsServer>();
        HTTPSocket::SetExtraTrustedCertificates({https_->Certificate()});
        https_->SetResponse(QStringLiteral("/page"), "secure page");
    }
    void TearDown() override { HTTPSocket::SetExtraTrustedCertificates({}); }

    std::unique_ptr<TestHttpsServer> https_;
};

TEST_F(HTTPSocketTlsTest, FetchesOverTlsAndRedirectsMayRiseToHttpsButNeverFallBack) {
    https_->SetStreamed(QStringLiteral("/unannounced"), 100, TestHttpServer::Framing::UnannouncedEndedByTlsOnly);
    server_.SetRedirect(QStringLiteral("/moved"), https_->Url(QStringLiteral("/page")), 301);
    https_->SetRedirect(QStringLiteral("/elsewhere"), QStringLiteral("/page"));
    https_->SetRedirect(QStringLiteral("/down"), server_.Url(QStringLiteral("/plain")));
    server_.SetResponse(QStringLiteral("/plain"), "plain page");
    // An archive that moved to https, for an entry whose name holds a blank.
    server_.SetRedirect(QStringLiteral("/Two%20Words.zip"), https_->Url(QStringLiteral("/Two%20Words.zip")), 301);
    https_->SetResponse(QStringLiteral("/Two%20Words.zip"), "two words");
    const struct {
        QString url;
        bool fetched;
        QByteArray body;
    } cases[] = {
        {server_.Host() + QStringLiteral("/moved"), true, "secure page"},
        {https_->Url(QStringLiteral("/page")), true, "secure page"},
        {https_->Url(QStringLiteral("/elsewhere")), true, "secure page"},
        {https_->Url(QStringLiteral("/down")), false, ""},
        {server_.Url(QStringLiteral("/Two%20Words.zip")), true, "two words"},
        // A body that TLS's close alone ends is whole.
        {https_->Url(QStringLiteral("/unannounced")), true, QByteArray(100, 'x')},
    };
    for (const auto& c : cases) {
        Prefill();
        EXPECT_EQ(Get(c.url), c.fetched) << c.url.toStdString();
        EXPECT_EQ(ReadAll(target_), c.body) << c.url.toStdString();
    }
    EXPECT_EQ(server_.RequestCount(QStringLiteral("/plain")), 0);
}

TEST_F(HTTPSocketTlsTest, UntrustedCertificateFails) {
    HTTPSocket::SetExtraTrustedCertificates({});
    EXPECT_FALSE(Get(https_->Url(QStringLiteral("/page"))));
    EXPECT_EQ(https_->RequestCount(QStringLiteral("/page")), 0);
}

} // namespace
