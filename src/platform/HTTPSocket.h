#pragma once

#include "platform/FolderItem.h"

#include <QByteArray>
#include <QList>
#include <QString>

class HttpConnection;

// A blocking HTTP GET into a file that keeps the event loop running while it
// waits. The status code is not examined: an error page is stored like any
// other body. Redirects are followed (at most 5, never from https to http);
// only the last response's body is kept. A Location's bytes are taken as
// sent, its escapes kept: only controls, blanks, bytes past ASCII and a "%"
// that starts no escape are percent-encoded (Qt's own QUrl sends an escaped
// letter, digit or "-._~" as that character). Where it leads must pass the
// checks the first address passes, and one with a "." or ".." part written
// with escapes ("%2e%2E") is refused. https certificates are checked
// against the system's. The body is asked for as stored (no content
// encoding), so that a cut body never passes for a whole one, and written out
// as it comes. The HTTP/1.1 client is our own (HttpConnection), as Qt's keeps
// what a hostile server sends without bound: memory stays within a few MB
// whatever the server sends.
class HTTPSocket {
public:
    // The largest body a Get keeps: the archive's index page is a few MB, an
    // entry's zip a few KB.
    static constexpr qint64 kBodyCeiling = qint64(256) * 1024 * 1024;

    // true: user input (clicks, key presses) is processed while Get waits;
    // false: only network and timer events are.
    bool yield = true;

    // url may omit the scheme ("host/path" means http://host/path); its path
    // is sent as given, so parts must already be percent-encoded, and a path
    // with "." parts and the like is refused. file is created afresh before
    // anything else happens: a link, file, pipe or socket of its name is
    // removed first, never written through. The time-out counts from the
    // call, restarts once the first request has gone out, and then bounds
    // the rest of the transfer, redirects included. Returns false on a socket
    // or certificate error, the time-out, a failed write, a response past its
    // bounds or against HTTP/1.1's message rules, a body shorter than
    // announced or past kBodyCeiling, a redirect it will not follow or
    // Abort(), and the file is then left empty; true otherwise, whatever the
    // HTTP status (a 204 or a 304 leaves it empty).
    bool Get(const QString& url, const FolderItem& file, int timeoutSeconds);

    // Stops a Get in flight at once (callable from an event handler run while
    // Get waits); that Get returns false. Does nothing when no Get is waiting.
    void Abort();
    // True when the last Get ended because of Abort().
    bool Aborted() const;

    // Test hook: certificates (PEM) trusted in addition to the system's, for
    // a local TLS test server. Empty list = only the system's.
    static void SetExtraTrustedCertificates(const QList<QByteArray>& pem);

private:
    HttpConnection* inFlight_ = nullptr;
    bool aborted_ = false;
};

// One part of a URL path, given as the bytes the server names it by: every
// byte outside A-Z a-z 0-9 - . _ ~ percent-encoded, so "#", "?", "%", "/"
// and blanks stay inside the part.
QString EncodeURLPathPart(const QByteArray& part);
