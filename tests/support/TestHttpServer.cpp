#include "support/TestHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <stdexcept>

#include <unistd.h>

namespace {

// Request headers are small; a client that sends more is misbehaving.
constexpr int kMaxRequestBytes = 64 * 1024;

struct PendingRequest {
    QByteArray bytes;
    bool answered = false;
};

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer()
    : TestHttpServer(std::make_unique<QTcpServer>(), QStringLiteral("http")) {}

TestHttpServer::TestHttpServer(std::unique_ptr<QTcpServer> server, const QString& scheme)
    : server_(std::move(server)), scheme_(scheme) {
    if (!server_->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("test HTTP server cannot listen on 127.0.0.1");
    // A TLS server queues a connection only once its handshake is done.
    QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, server_.get(),
                     [this] { Accept(); });
}

TestHttpServer::~TestHttpServer() {
    server_->close();
}

quint16 TestHttpServer::Port() const {
    return server_->serverPort();
}

QString TestHttpServer::Host() const {
    return QStringLiteral("127.0.0.1:%1").arg(Port());
}

QString TestHttpServer::Url(const QString& path) const {
    return scheme_ + QStringLiteral("://") + Host() + path;
}

void TestHttpServer::SetResponse(const QString& path, const QByteArray& body, int status) {
    behaviours_[path] = Behaviour{Mode::Respond, body, status};
}

void TestHttpServer::SetStall(const QString& path) {
    behaviours_[path] = Behaviour{Mode::Stall, {}, 0};
}

void TestHttpServer::SetRefuse(const QString& path) {
    behaviours_[path] = Behaviour{Mode::Refuse, {}, 0};
}

void TestHttpServer::SetTruncated(const QString& path, const QByteArray& body, int status) {
    behaviours_[path] = Behaviour{Mode::Truncate, body, status};
}

void TestHttpServer::SetRedirect(const QString& path, const QString& location, int status) {
    SetRedirect(path, location.toUtf8(), status);
}

void TestHttpServer::SetRedirect(const QString& path, const QByteArray& location, int status) {
    behaviours_[path] = Behaviour{Mode::Respond, "moved to " + location, status, location};
}

void TestHttpServer::SetStreamed(const QString& path, qint64 size, Framing framing, int pauseMs) {
    Behaviour streamed{Mode::Stream};
    streamed.size = size;
    streamed.framing = framing;
    streamed.pauseMs = pauseMs;
    behaviours_[path] = streamed;
}

void TestHttpServer::SetRaw(const QString& path, const QByteArray& reply) {
    behaviours_[path] = Behaviour{Mode::Raw, reply};
}

void TestHttpServer::SetRawEndless(const QString& path, const QByteArray& head,
                                   const QByteArray& filler) {
    Behaviour raw{Mode::Stream, head};
    raw.size = -1;
    raw.filler = filler.repeated(qMax<qsizetype>(1, 64 * 1024 / filler.size()));
    behaviours_[path] = raw;
}

QByteArray TestHttpServer::LastRequest(const QString& path) const {
    return requests_.value(path);
}

int TestHttpServer::RequestCount(const QString& path) const {
    return counts_.value(path, 0);
}

int TestHttpServer::TotalRequests() const {
    return total_;
}

void TestHttpServer::Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        // Sockets are children of the server, so stalled ones go with it.
        socket->setParent(server_.get());
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<PendingRequest>();
        auto read = [this, socket, request] {
            if (request->answered) {
                socket->readAll();
                return;
            }
            request->bytes.append(socket->readAll());
            if (!request->bytes.contains("\r\n\r\n")) {
                if (request->bytes.size() > kMaxRequestBytes)
                    socket->abort();
                return;
            }
            request->answered = true;
            const QList<QByteArray> words =
                request->bytes.left(request->bytes.indexOf("\r\n")).split(' ');
            const QString path = words.size() >= 2 ? QString::fromLatin1(words.at(1)) : QString();
            requests_[path] = request->bytes.left(request->bytes.indexOf("\r\n\r\n"));
            Answer(socket, path);
        };
        QObject::connect(socket, &QTcpSocket::readyRead, socket, read);
        // A TLS socket is handed over after its handshake; the request may be in already.
        if (socket->bytesAvailable() > 0)
            read();
    }
}

void TestHttpServer::Answer(QTcpSocket* socket, const QString& path) {
    ++total_;
    ++counts_[path];
    const auto found = behaviours_.constFind(path);
    const Behaviour behaviour = found != behaviours_.constEnd()
                                    ? *found
                                    : Behaviour{Mode::Respond, QByteArrayLiteral("Not Found"), 404};
    switch (behaviour.mode) {
    case Mode::Stall:
        return;
    case Mode::Refuse:
        socket->abort();
        return;
    case Mode::Stream:
        Stream(socket, behaviour);
        return;
    case Mode::Raw:
        socket->write(behaviour.body);
        socket->disconnectFromHost();
        return;
    case Mode::Respond:
    case Mode::Truncate:
        break;
    }
    QByteArray response = "HTTP/1.0 " + QByteArray::number(behaviour.status) + ' ' +
                          ReasonPhrase(behaviour.status) + "\r\n";
    response += "Content-Type: application/octet-stream\r\n";
    if (!behaviour.location.isEmpty())
        response += "Location: " + behaviour.location + "\r\n";
    response += "Content-Length: " + QByteArray::number(behaviour.body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    response += behaviour.mode == Mode::Truncate ? behaviour.body.left(behaviour.body.size() / 2)
                                                 : behaviour.body;
    socket->write(response);
    socket->disconnectFromHost();
}

void TestHttpServer::Stream(QTcpSocket* socket, const Behaviour& behaviour) {
    const bool chunked = behaviour.framing == Framing::ChunkedWithoutEnd;
    const QByteArray filler = behaviour.filler;
    if (!filler.isEmpty())
        socket->write(behaviour.body);
    else
        socket->write(chunked ? "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"
                                "Connection: close\r\n\r\n"
                              : "HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n");
    const qint64 piece = behaviour.pauseMs > 0 ? 1024 : 64 * 1024;
    auto left = std::make_shared<qint64>(behaviour.size);
    // Tops the socket's queue up to a few pieces, so that the body is made
    // only as fast as the client takes it.
    const bool tlsOnly = behaviour.framing == Framing::UnannouncedEndedByTlsOnly;
    auto send = [socket, left, piece, chunked, tlsOnly, filler, paced = behaviour.pauseMs > 0] {
        while (*left != 0 && (paced || socket->bytesToWrite() < 4 * piece)) {
            if (!filler.isEmpty()) {
                socket->write(filler);
                continue;
            }
            const qint64 size = *left < 0 ? piece : qMin(piece, *left);
            if (*left > 0) *left -= size;
            if (chunked) socket->write(QByteArray::number(size, 16) + "\r\n");
            socket->write(QByteArray(size, 'x'));
            if (chunked) socket->write("\r\n");
            if (paced) break;
        }
        if (*left != 0)
            return;
        if (tlsOnly && socket->state() == QAbstractSocket::ConnectedState) {
            // While a duplicate of the descriptor lives, the socket's close sends no FIN.
            const int kept = ::dup(int(socket->socketDescriptor()));
            QObject::connect(socket->parent(), &QObject::destroyed, [kept] { ::close(kept); });
        }
        socket->disconnectFromHost();
    };
    if (behaviour.pauseMs > 0) {
        auto* pace = new QTimer(socket);
        QObject::connect(pace, &QTimer::timeout, socket, send);
        pace->start(behaviour.pauseMs);
    } else {
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, send);
    }
    send();
}
