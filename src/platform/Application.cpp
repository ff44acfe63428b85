#include "platform/Application.h"

#include <QCoreApplication>
#include <QDir>

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

void AtApplicationEnd(void (*routine)()) {
    qAddPostRoutine(routine);
}
