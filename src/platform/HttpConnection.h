#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QList>
#include <QSslCertificate>

#include <memory>

class QFile;
class QTcpSocket;
class QTimer;
class QUrl;

// One HTTP/1.1 GET over its own TCP or TLS connection, read on the calling
// thread with every part of the response bounded: the status line and
// headers, the interim responses, each chunk-size line, the socket's buffer
// and the body (HTTPSocket::kBodyCeiling). The body goes to the file as it
// comes. A response against the message rules fails: a version other than
// HTTP/1.0 or HTTP/1.1, a header or trailer line folded or with no colon or a
// name that is no token, "chunked" given twice. A 204 or 304 ends with its
// headers, whatever they say. Used by HTTPSocket only, one connection per
// request.
class HttpConnection {
public:
    // authorities: the certificates TLS trusts; empty = the system's.
    HttpConnection(QFile& out, const QList<QSslCertificate>& authorities);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Sends the request and runs the event loop with flags until the whole
    // response has been read (true), or until a socket or certificate error,
    // a response past its bounds or cut short, a failed write, the clock's
    // time-out or Abort() (false). restartClock: start the clock afresh once
    // the request has gone out.
    bool Get(const QUrl& url, QTimer& clock, bool restartClock,
             QEventLoop::ProcessEventsFlags flags);
    // Stops Get at once; it returns false.
    void Abort();

    int Status() const;
    // The Location header as sent; empty when there was none.
    QByteArray Location() const;

private:
    enum class Stage { StatusLine, Headers, Body, ChunkSize, ChunkData, ChunkEnd, Trailers, Done };
    enum class Line { Whole, Partial, TooLong };

    void Read();
    void Closed();
    void Finish(bool whole);
    bool Parse();
    Line NextLine(QByteArray* line, qint64* budget);
    bool StatusLine(const QByteArray& line);
    bool Header(const QByteArray& line);
    bool HeadersDone();
    bool ChunkSize(const QByteArray& line);
    bool Write(qint64 most);

    QFile& out_;
    QList<QSslCertificate> authorities_;
    std::unique_ptr<QTcpSocket> socket_;
    QEventLoop loop_;
    bool finished_ = false;
    bool whole_ = false;

    Stage stage_ = Stage::StatusLine;
    QByteArray buffer_;
    qsizetype at_ = 0;
    qint64 headerBudget_;
    int interim_ = 0;
    int status_ = 0;
    QByteArray location_;
    qint64 length_ = -1;
    bool chunked_ = false;
    // Bytes left of the body or of the chunk; -1 until the connection closes.
    qint64 left_ = -1;
};
