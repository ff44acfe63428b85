#include "platform/HTTPSocket.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace {

// Keeps the interval in milliseconds within an int.
constexpr int kMaxTimeoutSeconds = 1000000;
// An archive that moved to https and then to a new path takes two; anything
// past five is a loop or a server gone wrong.
constexpr int kMaxRedirects = 5;
// Qt's own buffer for a reply; without a bound a fast server fills memory
// faster than the body is written out.
constexpr qint64 kReadBufferSize = 1024 * 1024;

// The system's authorities and the test's own; empty while no test added any.
// Kept, as reading the system's store for every request is slow.
QList<QSslCertificate>& TrustedWithExtras() {
    static QList<QSslCertificate> certificates;
    return certificates;
}

QUrl HttpUrl(const QString& text) {
    if (text.contains(QLatin1String("://")))
        return QUrl(text);
    return QUrl(QStringLiteral("http://") + text);
}

// The network layer sends the path with its "." and ".." parts resolved, and
// Qt 6.4 takes a two-character part starting with "." (".a", "%2Ea") for
// one of them: an address it would send otherwise would fetch another file.
bool SentAsGiven(const QUrl& url) {
    return url.adjusted(QUrl::NormalizePathSegments).path(QUrl::FullyEncoded) == url.path(QUrl::FullyEncoded);
}

// Anything else (file:, ftp:) would let a server's Location reach further
// than the web.
bool Fetchable(const QUrl& url) {
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && SentAsGiven(url);
}

bool MayFollow(const QUrl& from, const QUrl& to) {
    const bool downgrade =
        from.scheme() == QLatin1String("https") && to.scheme() == QLatin1String("http");
    return Fetchable(to) && !downgrade;
}

QNetworkRequest Request(const QUrl& url) {
    QNetworkRequest request(url);
    // Followed by hand: Qt's own policies cannot keep only the last body.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // As stored: Qt drops the Content-Length of a body it inflates, so a cut
    // compressed body would pass for a whole one.
    request.setRawHeader("Accept-Encoding", "identity");
    if (!TrustedWithExtras().isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(TrustedWithExtras());
        request.setSslConfiguration(tls);
    }
    return request;
}

// The address a redirect points to, resolved against the reply's own; empty
// when the reply is final (a 3xx without a Location is final too).
QUrl RedirectTarget(const QNetworkReply& reply) {
    switch (reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()) {
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        break;
    default:
        return {};
    }
    const QByteArray location = reply.rawHeader("Location").trimmed();
    if (location.isEmpty())
        return {};
    return reply.url().resolved(QUrl::fromEncoded(location));
}

// An HTTP error status still delivers a body we want; only failures of the
// connection itself, or a response Qt could not read, count against Get.
bool TransferCompleted(const QNetworkReply& reply) {
    const QNetworkReply::NetworkError error = reply.error();
    if (error == QNetworkReply::NoError)
        return true;
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() || status.toInt() < 400)
        return false;
    const bool contentError =
        error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError;
    const bool serverError =
        error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError;
    // Qt files 400, 407 and 418 under these rather than under content errors.
    const bool statusAsProtocolError = error == QNetworkReply::ProtocolInvalidOperationError ||
                                       error == QNetworkReply::ProxyAuthenticationRequiredError;
    return contentError || serverError || statusAsProtocolError;
}

// A body cut short by a closing connection is not always flagged by Qt.
bool WholeBody(const QNetworkReply& reply, const QFile& out) {
    const QVariant announced = reply.header(QNetworkRequest::ContentLengthHeader);
    return !announced.isValid() || out.size() >= announced.toLongLong();
}

bool Empty(QFile& out) {
    return out.resize(0) && out.seek(0);
}

// The target, created afresh or emptied, and never reached through a link: a
// link of its name is replaced by the file.
bool OpenTarget(QFile& out) {
    const QByteArray path = QFile::encodeName(out.fileName());
    struct stat st;
    if (lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode) && unlink(path.constData()) != 0) return false;
    const bool missing = lstat(path.constData(), &st) != 0 && errno == ENOENT;
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | (missing ? O_EXCL : 0);
    const int fd = open(path.constData(), flags, 0666);
    if (fd < 0) return false;
    if (out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) return true;
    close(fd);
    return false;
}

enum class Wait { Finished, TimedOut, WriteFailed, TooLarge };

// Runs the event loop until the reply has finished, its body streaming into
// out. The clock is shared by every request of one Get.
Wait AwaitReply(QNetworkReply& reply, QFile& out, QTimer& clock, bool restartClockOnSend,
                QEventLoop::ProcessEventsFlags flags) {
    QEventLoop loop;
    Wait result = Wait::Finished;
    auto drain = [&] {
        if (result != Wait::Finished || !reply.isOpen())
            return;
        const QByteArray chunk = reply.readAll();
        if (chunk.isEmpty())
            return;
        if (out.pos() + chunk.size() > HTTPSocket::kBodyCeiling)
            result = Wait::TooLarge;
        else if (out.write(chunk) != chunk.size())
            result = Wait::WriteFailed;
        if (result != Wait::Finished)
            reply.abort();
    };
    QObject::connect(&reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (restartClockOnSend)
        QObject::connect(&reply, &QNetworkReply::requestSent, &loop, [&] { clock.start(); });
    QObject::connect(&clock, &QTimer::timeout, &loop, [&] {
        result = Wait::TimedOut;
        reply.abort();
    });
    if (!reply.isFinished())
        loop.exec(flags);
    drain();
    return result;
}

} // namespace

bool HTTPSocket::Get(const QString& url, const FolderItem& file, int timeoutSeconds) {
    aborted_ = false;
    QFile out(file.ShellPath());
    if (!OpenTarget(out))
        return false;

    QUrl target = HttpUrl(url);
    if (!Fetchable(target))
        return false;

    QNetworkAccessManager manager;
    QTimer clock;
    clock.setSingleShot(true);
    clock.setInterval(qBound(0, timeoutSeconds, kMaxTimeoutSeconds) * 1000);
    clock.start();
    const auto flags = yield ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;

    bool completed = false;
    for (int redirects = 0;; ++redirects) {
        const std::unique_ptr<QNetworkReply> reply(manager.get(Request(target)));
        reply->setReadBufferSize(kReadBufferSize);
        inFlight_ = reply.get();
        const Wait wait = AwaitReply(*reply, out, clock, redirects == 0, flags);
        inFlight_ = nullptr;
        if (wait != Wait::Finished || aborted_)
            break;
        const QUrl next = RedirectTarget(*reply);
        if (next.isEmpty()) {
            completed = TransferCompleted(*reply) && WholeBody(*reply, out);
            break;
        }
        // A redirect's own body is never the file's content.
        if (!Empty(out) || redirects == kMaxRedirects || !MayFollow(target, next))
            break;
        target = next;
    }
    completed = completed && out.flush() && out.error() == QFileDevice::NoError;
    // Nothing of a failed body is kept: a part of a page or a zip is no page
    // or zip.
    if (!completed)
        Empty(out);
    out.close();
    return completed;
}

void HTTPSocket::Abort() {
    if (!inFlight_)
        return;
    aborted_ = true;
    inFlight_->abort();
}

bool HTTPSocket::Aborted() const {
    return aborted_;
}

void HTTPSocket::SetExtraTrustedCertificates(const QList<QByteArray>& pem) {
    QList<QSslCertificate> extras;
    for (const QByteArray& text : pem)
        extras += QSslCertificate::fromData(text, QSsl::Pem);
    // Setting any list of authorities stops Qt reading the system's on demand.
    TrustedWithExtras() =
        extras.isEmpty() ? extras : QSslConfiguration::systemCaCertificates() + extras;
}

QString EncodeURLPathPart(const QByteArray& part) {
    return QString::fromLatin1(part.toPercentEncoding());
}
