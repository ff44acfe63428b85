#include "platform/TerminationSignal.h"

#include "platform/Application.h"
#include "platform/Quit.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// A handler rather than SIG_IGN: an ignored signal stays ignored in the
// programs we start, which may rely on it to end.
void NoticeNothing(int) {}

// Only async-signal-safe work here: the event loop does the rest.
void Notify(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void OnTerminationSignal(std::function<void()> handler) {
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [handler = std::move(handler)] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
        EndWhenNoCommandRuns(handler);
    });
    struct sigaction closedPipe = {};
    closedPipe.sa_handler = NoticeNothing;
    sigemptyset(&closedPipe.sa_mask);
    closedPipe.sa_flags = SA_RESTART;
    sigaction(SIGPIPE, &closedPipe, nullptr);

    struct sigaction action = {};
    action.sa_handler = Notify;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // SIGHUP: the terminal it was started from closing, or a session ending.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // One that the starter chose to ignore (nohup, a script's background
        // job) stays ignored.
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

void EndWhenNoCommandRuns(std::function<void()> handler) {
    SetEnding(true);
    if (!CommandRunning()) return handler();
    // The command hands events over on its way, so the check comes round.
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer, handler = std::move(handler)] {
        if (CommandRunning()) return;
        timer->stop();
        timer->deleteLater();
        handler();
    });
    timer->start(20);
}
