#include "platform/HTTPSocket.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {

// Keeps the interval in milliseconds within an int.
constexpr int kMaxTimeoutSeconds = 1000000;

QUrl HttpUrl(const QString& text) {
    if (text.contains(QLatin1String("://")))
        return QUrl(text);
    return QUrl(QStringLiteral("http://") + text);
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

} // namespace

bool HTTPSocket::Get(const QString& url, const FolderItem& file, int timeoutSeconds) {
    QFile out(file.ShellPath());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    const QUrl target = HttpUrl(url);
    if (!target.isValid() || target.host().isEmpty())
        return false;

    QNetworkAccessManager manager;
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    bool writeFailed = false;

    QNetworkReply* reply = manager.get(request);
    auto drain = [&] {
        if (writeFailed || !reply->isOpen())
            return;
        const QByteArray chunk = reply->readAll();
        if (!chunk.isEmpty() && out.write(chunk) != chunk.size()) {
            writeFailed = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::requestSent, &timer, [&] { timer.start(); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });

    timer.setInterval(qBound(0, timeoutSeconds, kMaxTimeoutSeconds) * 1000);
    timer.start();
    if (!reply->isFinished())
        loop.exec(yield ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    drain();
    // A body cut short by a closing connection is not always flagged by Qt.
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool whole = !announced.isValid() || out.size() >= announced.toLongLong();
    const bool completed = TransferCompleted(*reply) && whole;
    delete reply;

    if (!out.flush())
        writeFailed = true;
    out.close();
    return completed && !timedOut && !writeFailed && out.error() == QFileDevice::NoError;
}
