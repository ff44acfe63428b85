#include "platform/Quit.h"

#include <QCoreApplication>

namespace {

bool ending = false;

void LeaveEventLoop(int status) {
    // No event loop starts after this: a message box would flash by unseen.
    ending = true;
    QCoreApplication::exit(status);
}

QuitHandler& Current() {
    static QuitHandler handler = LeaveEventLoop;
    return handler;
}

}  // namespace

bool Ending() {
    return ending;
}

void SetEnding(bool on) {
    ending = on;
}

void Quit(int status) {
    Current()(status);
}

QuitHandler SetQuitHandler(QuitHandler handler) {
    QuitHandler previous = std::move(Current());
    Current() = handler ? std::move(handler) : QuitHandler(LeaveEventLoop);
    return previous;
}
