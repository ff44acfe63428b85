#include "platform/HTTPSocket.h"

#include "platform/HttpConnection.h"

#include <QEventLoop>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps the interval in milliseconds within an int.
constexpr int kMaxTimeoutSeconds = 1000000;
// An archive that moved to https and then to a new path takes two; anything
// past five is a loop or a server gone wrong.
constexpr int kMaxRedirects = 5;

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

// Servers resolve "." and ".." parts, so such an address names another
// file; so do the parts that Qt 6.4's own resolving mistakes for them (".a",
// "%2Ea"), refused alike so that every layer agrees on what is fetched.
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

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The Location's bytes as the server sent them, escapes kept: only what may
// not stand in an address is percent-encoded, namely controls, blanks and
// bytes past ASCII (which Qt would read as UTF-8 and send as another
// address), and a "%" that starts no escape (one such "%" makes Qt encode
// every "%", escapes included).
QByteArray AsAddress(const QByteArray& location) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray address;
    for (qsizetype i = 0; i < location.size(); ++i) {
        const auto byte = uchar(location[i]);
        const bool escape = byte == '%' && i + 2 < location.size() &&
                            IsHex(location[i + 1]) && IsHex(location[i + 2]);
        if (byte <= 0x20 || byte >= 0x7F || (byte == '%' && !escape)) {
            address += '%';
            address += hex[byte >> 4];
            address += hex[byte & 0xF];
        } else {
            address += char(byte);
        }
    }
    return address;
}

// A "." or ".." part written with an escape ("%2e%2E", ".%2E"). Resolving
// removes only plain ones, so the resolved address would hold it, and a
// server takes it for the plain one; Qt decodes it and resolves it away,
// sending another address than the one named, so it is looked for in the
// server's own bytes.
bool HasEscapedDotPart(const QByteArray& address) {
    qsizetype end = address.size();
    for (const char stop : {'?', '#'}) {
        const qsizetype at = address.indexOf(stop);
        if (at >= 0)
            end = qMin(end, at);
    }
    const QList<QByteArray> parts = address.left(end).split('/');
    for (const QByteArray& part : parts) {
        if (!part.contains('%'))
            continue;
        const QByteArray plain = QByteArray(part).replace("%2e", ".").replace("%2E", ".");
        if (plain == "." || plain == "..")
            return true;
    }
    return false;
}

// The address a redirect points to, resolved against the request's own;
// none when the response is final (a 3xx without a Location is final too),
// and an empty address, which is never fetched, when the Location names one
// that must not be.
std::optional<QUrl> RedirectTarget(const QUrl& from, const HttpConnection& response) {
    switch (response.Status()) {
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        break;
    default:
        return std::nullopt;
    }
    const QByteArray location = response.Location();
    if (location.isEmpty())
        return std::nullopt;
    const QByteArray address = AsAddress(location);
    if (HasEscapedDotPart(address))
        return QUrl();
    return from.resolved(QUrl::fromEncoded(address));
}

bool Empty(QFile& out) {
    return out.resize(0) && out.seek(0);
}

// The target, created afresh and never reached through a link: whatever
// else holds its name (a link, a hard link to another file, a pipe that
// would block the open) is removed first. A device or a folder is left
// alone, and the open then fails.
bool OpenTarget(QFile& out) {
    const QByteArray path = QFile::encodeName(out.fileName());
    struct stat st;
    if (lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode) && !S_ISCHR(st.st_mode) &&
        !S_ISBLK(st.st_mode) && unlink(path.constData()) != 0)
        return false;
    const int fd =
        open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) return true;
    close(fd);
    return false;
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

    QTimer clock;
    clock.setSingleShot(true);
    clock.setInterval(qBound(0, timeoutSeconds, kMaxTimeoutSeconds) * 1000);
    clock.start();
    const auto flags = yield ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;

    bool completed = false;
    for (int redirects = 0;; ++redirects) {
        HttpConnection connection(out, TrustedWithExtras());
        inFlight_ = &connection;
        const bool whole = connection.Get(target, clock, redirects == 0, flags);
        inFlight_ = nullptr;
        if (!whole || aborted_)
            break;
        const std::optional<QUrl> next = RedirectTarget(target, connection);
        if (!next) {
            completed = true;
            break;
        }
        // The clock may have run out in the very pass that ended this hop;
        // being single-shot, it would not time the next one. A redirect's
        // own body is never the file's content.
        if (!clock.isActive() || !Empty(out) || redirects == kMaxRedirects ||
            !MayFollow(target, *next))
            break;
        target = *next;
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
    inFlight_->Abort();
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
