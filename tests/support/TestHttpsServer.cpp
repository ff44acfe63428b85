#include "support/TestHttpsServer.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTemporaryDir>

#include <stdexcept>
#include <string>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<QTcpServer> TlsServer(const QByteArray& certificate, const QByteArray& key) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate, QSsl::Pem));
    tls.setPrivateKey(QSslKey(key, QSsl::Ec, QSsl::Pem));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    return server;
}

} // namespace

TestHttpsServer::TestHttpsServer() : TestHttpsServer(SelfSigned()) {}

TestHttpsServer::TestHttpsServer(const Credentials& credentials)
    : TestHttpServer(TlsServer(credentials.certificate, credentials.key), QStringLiteral("https")),
      certificate_(credentials.certificate) {}

QByteArray TestHttpsServer::Certificate() const {
    return certificate_;
}

TestHttpsServer::Credentials TestHttpsServer::SelfSigned() {
    QTemporaryDir dir;
    const QString certificate = dir.filePath(QStringLiteral("cert.pem"));
    const QString key = dir.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "
                                 "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1")
                          .split(QLatin1Char(' ')) +
                      QStringList{QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate});
    const bool finished = openssl.waitForFinished(30000);
    Credentials made{ReadFile(certificate), ReadFile(key)};
    if (!finished || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0 ||
        made.certificate.isEmpty() || made.key.isEmpty())
        throw std::runtime_error(
            "openssl could not make a test certificate: " + openssl.errorString().toStdString() +
            " " + openssl.readAll().toStdString());
    return made;
}
