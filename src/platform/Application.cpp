#include "platform/Application.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace {

QString& OverriddenPath() {
    static QString path;
    return path;
}

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
    QCoreApplication::processEvents();
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
