#include "platform/FolderItem.h"
#include "platform/HTTPSocket.h"
#include "support/TestHttpServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTemporaryDir>

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
        {"/moved", 302, QByteArray("see elsewhere")},
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
    // Qt retries a GET once when the connection closes before any answer.
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

TEST_F(HTTPSocketTest, UnwritableTargetIsAFailure) {
    server_.SetResponse(QStringLiteral("/page"), BinaryBody());

    HTTPSocket socket;
    // No such folder: nothing is even asked of the server.
    EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/page")),
                            FolderItem(dir_.filePath(QStringLiteral("no/such/folder/page"))), 10));
    EXPECT_EQ(server_.TotalRequests(), 0);
    // Opens fine, but every write fails (a full disk).
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        EXPECT_FALSE(socket.Get(server_.Url(QStringLiteral("/page")),
                                FolderItem(QStringLiteral("/dev/full")), 10));
    }
}

} // namespace
