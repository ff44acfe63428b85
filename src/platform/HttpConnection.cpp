#include "platform/HttpConnection.h"

#include "platform/HTTPSocket.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

namespace {

// The status line and headers of all responses to one request, trailers
// included: real ones take a few hundred bytes.
constexpr qint64 kHeaderBytes = 64 * 1024;
// "100 Continue" and the like, before the final response.
constexpr int kMaxInterim = 8;
// A chunk-size line with its extensions.
constexpr qint64 kChunkLineBytes = 4096;
// Without a bound a fast server fills the socket's buffer faster than the
// body is written out.
constexpr qint64 kReadBufferSize = 1024 * 1024;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// RFC 9110's tchar.
bool TokenChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

// "name: value" with a token for name and no blank before the colon. A line
// that starts with a blank or a tab (folded onto the one before it, or
// between the status line and the first header) is no field line: taken
// alone it would be another header than the one sent.
bool FieldLine(const QByteArray& line, QByteArray* name, QByteArray* value) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        if (!TokenChar(line[i]))
            return false;
    }
    if (name)
        *name = line.left(colon);
    if (value)
        *value = line.mid(colon + 1).trimmed();
    return true;
}

// Digits only, and never past the ceiling, so that no length can overflow.
qint64 Length(const QByteArray& text) {
    qint64 length = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || length > HTTPSocket::kBodyCeiling)
            return -1;
        length = length * 10 + (c - '0');
    }
    return text.isEmpty() ? -1 : length;
}

QByteArray RequestFor(const QUrl& url) {
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/'))
        target.prepend('/');
    return "GET " + target + " HTTP/1.1\r\nHost: " +
           url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1() +
           "\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
}

} // namespace

HttpConnection::HttpConnection(QFile& out, const QList<QSslCertificate>& authorities)
    : out_(out), authorities_(authorities), headerBudget_(kHeaderBytes) {}

HttpConnection::~HttpConnection() = default;

bool HttpConnection::Get(const QUrl& url, QTimer& clock, bool restartClock,
                         QEventLoop::ProcessEventsFlags flags) {
    QSslSocket* tls = nullptr;
    if (url.scheme() == QLatin1String("https")) {
        tls = new QSslSocket;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        if (!authorities_.isEmpty())
            config.setCaCertificates(authorities_);
        config.setPeerVerifyMode(QSslSocket::VerifyPeer);
        tls->setSslConfiguration(config);
        socket_.reset(tls);
    } else {
        socket_ = std::make_unique<QTcpSocket>();
    }
    QTcpSocket* socket = socket_.get();
    socket->setReadBufferSize(kReadBufferSize);
    const QByteArray request = RequestFor(url);
    auto send = [socket, request, &clock, restartClock] {
        socket->write(request);
        if (restartClock)
            clock.start();
    };
    if (tls)
        QObject::connect(tls, &QSslSocket::encrypted, socket, send);
    else
        QObject::connect(socket, &QTcpSocket::connected, socket, send);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { Read(); });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] { Closed(); });
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket,
                     [this](QAbstractSocket::SocketError error) {
                         // TLS's close_notify comes as this error alone: the TCP
                         // connection may stay open, and then no disconnected follows.
                         if (error == QAbstractSocket::RemoteHostClosedError)
                             Closed();
                         else
                             Finish(false);
                     });
    const QMetaObject::Connection timedOut =
        QObject::connect(&clock, &QTimer::timeout, socket, [this] { Finish(false); });

    // The host name is also the name the certificate must bear (and the SNI).
    if (tls)
        tls->connectToHostEncrypted(url.host(), quint16(url.port(443)));
    else
        socket->connectToHost(url.host(), quint16(url.port(80)));
    if (!finished_)
        loop_.exec(flags);
    QObject::disconnect(timedOut);
    return whole_;
}

void HttpConnection::Abort() {
    Finish(false);
}

int HttpConnection::Status() const {
    return status_;
}

QByteArray HttpConnection::Location() const {
    return location_;
}

void HttpConnection::Read() {
    if (finished_)
        return;
    buffer_.append(socket_->readAll());
    const bool parsed = Parse();
    buffer_.remove(0, at_);
    at_ = 0;
    if (!parsed || stage_ == Stage::Done)
        Finish(parsed);
}

void HttpConnection::Closed() {
    Read();
    // Only a body without length or chunks ends with the connection.
    Finish(stage_ == Stage::Body && left_ < 0);
}

void HttpConnection::Finish(bool whole) {
    if (finished_)
        return;
    finished_ = true;
    whole_ = whole;
    if (socket_)
        socket_->abort();
    loop_.quit();
}

// Consumes what the buffer holds; false when the response breaks a rule or a bound.
bool HttpConnection::Parse() {
    QByteArray line;
    for (;;) {
        const bool lines =
            stage_ != Stage::Body && stage_ != Stage::ChunkData && stage_ != Stage::Done;
        // Each chunk line has its own bound; a chunk's data ends with a bare line end.
        qint64 chunkLine = stage_ == Stage::ChunkSize ? kChunkLineBytes : 2;
        qint64* budget =
            stage_ == Stage::ChunkSize || stage_ == Stage::ChunkEnd ? &chunkLine : &headerBudget_;
        const Line got = lines ? NextLine(&line, budget) : Line::Whole;
        if (got == Line::TooLong)
            return false;
        if (got == Line::Partial)
            return true;
        switch (stage_) {
        case Stage::StatusLine:
            if (!StatusLine(line))
                return false;
            stage_ = Stage::Headers;
            break;
        case Stage::Headers:
            if (!(line.isEmpty() ? HeadersDone() : Header(line)))
                return false;
            break;
        case Stage::Body:
        case Stage::ChunkData:
            if (at_ == buffer_.size())
                return true;
            if (!Write(left_ < 0 ? buffer_.size() - at_ : qMin(left_, buffer_.size() - at_)))
                return false;
            if (left_ == 0)
                stage_ = stage_ == Stage::Body ? Stage::Done : Stage::ChunkEnd;
            break;
        case Stage::ChunkSize:
            if (!ChunkSize(line))
                return false;
            break;
        case Stage::ChunkEnd:
            if (!line.isEmpty())
                return false;
            stage_ = Stage::ChunkSize;
            break;
        case Stage::Trailers:
            if (line.isEmpty())
                stage_ = Stage::Done;
            else if (!FieldLine(line, nullptr, nullptr))
                return false;
            break;
        case Stage::Done:
            return true;
        }
    }
}

// The next line without its end, taken from the buffer and charged to budget.
HttpConnection::Line HttpConnection::NextLine(QByteArray* line, qint64* budget) {
    const qsizetype end = buffer_.indexOf('\n', at_);
    if (end < 0)
        return buffer_.size() - at_ > *budget ? Line::TooLong : Line::Partial;
    if (end + 1 - at_ > *budget)
        return Line::TooLong;
    *budget -= end + 1 - at_;
    *line = buffer_.mid(at_, end - at_);
    at_ = end + 1;
    if (line->endsWith('\r'))
        line->chop(1);
    return Line::Whole;
}

// "HTTP/1.0 NNN reason" or "HTTP/1.1 NNN reason"; the reason may be left out.
bool HttpConnection::StatusLine(const QByteArray& line) {
    if (!(line.startsWith("HTTP/1.0 ") || line.startsWith("HTTP/1.1 ")) || line.size() < 12 ||
        (line.size() > 12 && line[12] != ' '))
        return false;
    status_ = int(Length(line.mid(9, 3)));
    return status_ >= 100;
}

bool HttpConnection::Header(const QByteArray& line) {
    QByteArray name, value;
    if (!FieldLine(line, &name, &value))
        return false;
    name = name.toLower();
    if (name == "location") {
        location_ = value;
    } else if (name == "content-length") {
        const qint64 length = Length(value);
        if (length < 0 || (length_ >= 0 && length != length_))
            return false;
        length_ = length;
    } else if (name == "transfer-encoding") {
        // Any other coding, chunked twice included, would have to be undone
        // to give the stored body.
        if (chunked_ || value.toLower() != "chunked")
            return false;
        chunked_ = true;
    }
    return true;
}

bool HttpConnection::HeadersDone() {
    if (status_ < 200) {
        if (++interim_ > kMaxInterim)
            return false;
        location_.clear();
        length_ = -1;
        chunked_ = false;
        stage_ = Stage::StatusLine;
        return true;
    }
    // These have no body whatever their headers say.
    if (status_ == 204 || status_ == 304) {
        stage_ = Stage::Done;
        return true;
    }
    if (chunked_) {
        stage_ = Stage::ChunkSize;
        return true;
    }
    left_ = length_;
    stage_ = length_ == 0 ? Stage::Done : Stage::Body;
    return length_ <= HTTPSocket::kBodyCeiling;
}

// Hex digits, then nothing or extensions after ";".
bool HttpConnection::ChunkSize(const QByteArray& line) {
    qint64 size = 0;
    qsizetype i = 0;
    for (; i < line.size() && HexDigit(line[i]) >= 0; ++i) {
        size = size * 16 + HexDigit(line[i]);
        if (out_.pos() + size > HTTPSocket::kBodyCeiling)
            return false;
    }
    const QByteArray rest = line.mid(i).trimmed();
    if (i == 0 || !(rest.isEmpty() || rest.startsWith(';')))
        return false;
    left_ = size;
    stage_ = size == 0 ? Stage::Trailers : Stage::ChunkData;
    return true;
}

// Moves up to `most` buffered body bytes to the file.
bool HttpConnection::Write(qint64 most) {
    if (out_.pos() + most > HTTPSocket::kBodyCeiling ||
        out_.write(buffer_.constData() + at_, most) != most)
        return false;
    at_ += most;
    if (left_ > 0)
        left_ -= most;
    return true;
}
