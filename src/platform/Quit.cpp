#include "platform/Quit.h"

#include <QCoreApplication>

namespace {

void LeaveEventLoop(int status) {
    QCoreApplication::exit(status);
}

QuitHandler& Current() {
    static QuitHandler handler = LeaveEventLoop;
    return handler;
}

}  // namespace

void Quit(int status) {
    Current()(status);
}

QuitHandler SetQuitHandler(QuitHandler handler) {
    QuitHandler previous = std::move(Current());
    Current() = handler ? std::move(handler) : QuitHandler(LeaveEventLoop);
    return previous;
}
