#pragma once

#include "platform/FolderItem.h"

#include <QString>

// A blocking HTTP GET into a file that keeps the event loop running while it
// waits. The status code is not examined: an error page is stored like any
// other body. Redirects are not followed; their body is stored.
class HTTPSocket {
public:
    // true: user input (clicks, key presses) is processed while Get waits;
    // false: only network and timer events are.
    bool yield = true;

    // url may omit the scheme ("host/path" means http://host/path).
    // file is created or emptied before anything else happens. The time-out
    // counts from the call, restarts once the request has gone out, and then
    // bounds the rest of the transfer. Returns false on a socket error, the
    // time-out or a failed write; true otherwise, whatever the HTTP status.
    bool Get(const QString& url, const FolderItem& file, int timeoutSeconds);
};
