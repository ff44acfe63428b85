#pragma once

#include "support/TestHttpServer.h"

#include <QByteArray>

// TestHttpServer over TLS: "https://127.0.0.1:port". Its certificate is
// self-signed for 127.0.0.1 and made afresh by the openssl command line for
// each server, so no key lives in the source and none can expire. A client
// must trust Certificate() to connect. Needs Qt's TLS backend
// (QSslSocket::supportsSsl()); throws when the certificate cannot be made.
class TestHttpsServer : public TestHttpServer {
public:
    TestHttpsServer();

    // The server's certificate, PEM.
    QByteArray Certificate() const;

private:
    struct Credentials {
        QByteArray certificate;
        QByteArray key;
    };
    explicit TestHttpsServer(const Credentials& credentials);
    static Credentials SelfSigned();

    QByteArray certificate_;
};
