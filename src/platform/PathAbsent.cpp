#include "platform/PathAbsent.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>

bool PathAbsent(const QString& path) {
    if (path.isEmpty()) return true;
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT;
}
