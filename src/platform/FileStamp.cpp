#include "platform/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace {

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FileStamp FileStamp::Of(const struct stat& st) {
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), st.st_mtim, st.st_ctim};
}

bool FileStamp::operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size && SameTime(modified, o.modified) &&
           SameTime(changed, o.changed);
}

std::optional<FileStamp> StampAt(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    return FileStamp::Of(st);
}
