#include "platform/Application.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace {

QString& OverriddenPath() {
    static QString path;
    return path;
}

int doEventsDepth = 0;

}  // namespace

QString AppFolderPath() {
    if (!OverriddenPath().isEmpty()) return OverriddenPath();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetAppFolderPath(const QString& path) {
    OverriddenPath() = path;
}

FolderItem AppFolder() {
    return FolderItem(AppFolderPath());
}

void DoEvents() {
    ++doEventsDepth;
    QCoreApplication::processEvents();
    --doEventsDepth;
}

bool CommandRunning() {
    // The application's own loop is the first; a modal window or a message
    // box runs a second one within it.
    return doEventsDepth > 0 || QThread::currentThread()->loopLevel() > 1;
}

void DoEventsNowAndThen() {
    // A hundred times a second keeps a window as responsive as every step.
    constexpr qint64 kIntervalMs = 10;
    static QElapsedTimer clock;
    if (clock.isValid() && clock.elapsed() < kIntervalMs) return;
    DoEvents();
    clock.start();
}

void AtApplicationEnd(void (*routine)()) {
    qAddPostRoutine(routine);
}
