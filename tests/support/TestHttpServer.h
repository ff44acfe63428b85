#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

#include <memory>

// An HTTP/1.0 server on 127.0.0.1 for tests, on a port the system picks. It
// answers in the event loop of the thread that made it, so the code under
// test must keep that loop running while it waits (as HTTPSocket does).
// A path is the request target as sent, query included ("/a/b.php?x=1").
// Paths without a set behaviour get "404 Not Found" with the body "Not Found".
class TestHttpServer {
public:
    TestHttpServer();
    virtual ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    quint16 Port() const;
    // "127.0.0.1:port": the host part the program puts in front of its paths.
    QString Host() const;
    // "http://127.0.0.1:port" + path ("https://" for TestHttpsServer).
    QString Url(const QString& path) const;

    // Answers the path with the status and the body, byte for byte.
    void SetResponse(const QString& path, const QByteArray& body, int status = 200);
    // Reads the request and never answers; the connection stays open.
    void SetStall(const QString& path);
    // Reads the request and closes the connection without an answer.
    void SetRefuse(const QString& path);
    // Announces the whole body but closes the connection halfway through it.
    void SetTruncated(const QString& path, const QByteArray& body, int status = 200);
    // Answers with the status and "Location: location" (taken as given, so it
    // may be relative), with a body of its own that a client must not keep.
    void SetRedirect(const QString& path, const QString& location, int status = 302);
    // The same with the Location's bytes as given, in no encoding.
    void SetRedirect(const QString& path, const QByteArray& location, int status = 302);
    // Sends `size` bytes (without end when negative), made as the client
    // reads them, so that no body is ever held whole: close-delimited, or
    // chunked and closed before the last chunk, or (over TLS) ended by TLS's
    // close_notify alone, the TCP connection left open while the server
    // lives. With a pause, one piece of 1 KB goes out per pause.
    enum class Framing { Unannounced, ChunkedWithoutEnd, UnannouncedEndedByTlsOnly };
    void SetStreamed(const QString& path, qint64 size, Framing framing, int pauseMs = 0);
    // Sends reply as it stands (status line and all) and closes the connection.
    void SetRaw(const QString& path, const QByteArray& reply);
    // Sends head as it stands (status line and all), then filler over and
    // over without end, as fast as the client reads it.
    void SetRawEndless(const QString& path, const QByteArray& head, const QByteArray& filler);

    // The header lines of the last request for the path, request line included.
    QByteArray LastRequest(const QString& path) const;

    int RequestCount(const QString& path) const;
    int TotalRequests() const;

protected:
    // server is not yet listening; scheme starts Url().
    TestHttpServer(std::unique_ptr<QTcpServer> server, const QString& scheme);

private:
    enum class Mode { Respond, Stall, Refuse, Truncate, Stream, Raw };
    struct Behaviour {
        Behaviour(Mode mode = Mode::Respond, QByteArray body = {}, int status = 200,
                  QByteArray location = {})
            : mode(mode), body(std::move(body)), status(status), location(std::move(location)) {}
        Mode mode;
        QByteArray body;
        int status;
        QByteArray location;
        qint64 size = 0;
        Framing framing = Framing::Unannounced;
        int pauseMs = 0;
        QByteArray filler;
    };

    void Accept();
    void Answer(class QTcpSocket* socket, const QString& path);
    static void Stream(class QTcpSocket* socket, const Behaviour& behaviour);

    std::unique_ptr<QTcpServer> server_;
    QString scheme_;
    QHash<QString, Behaviour> behaviours_;
    QHash<QString, int> counts_;
    QHash<QString, QByteArray> requests_;
    int total_ = 0;
};
