#include "support/UnreadableFiles.h"

#include "platform/Application.h"
#include "support/PermissionsEnforced.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <thread>

#include <fcntl.h>
#include <sys/fanotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return f.errorString();
    return QString();
}

// Opening the file for reading must fail; root needs PermissionsEnforced.
QString NoReadPermission(const QString& path, const QByteArray& bytes) {
    QString why = WriteFile(path, bytes);
    if (!why.isEmpty()) return why;
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) return QStringLiteral("a file without read permission still opens here");
    return QString();
}

// The file opens, and its first read fails with EIO: no process has memory
// at address 0.
QString ReadFault(const QString& path, const QByteArray&) {
    const QString memory = QStringLiteral("/proc/self/mem");
    if (!QFile::link(memory, path)) return QStringLiteral("no link could be made");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return memory + QStringLiteral(" does not open here");
    f.readAll();
    if (f.error() == QFileDevice::NoError) return memory + QStringLiteral(" reads without a fault here");
    return QString();
}

QString Folder(const QString& path, const QByteArray&) {
    return QDir().mkpath(path) ? QString() : QStringLiteral("no folder could be made");
}

// Where a way that leads elsewhere keeps the file: in a folder beside it.
QString Elsewhere(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/elsewhere/") + info.fileName();
}

// The file is a link into a folder not there yet (a drive not yet mounted).
QString DanglingLink(const QString& path, const QByteArray&) {
    return QFile::link(Elsewhere(path), path) ? QString() : QStringLiteral("no link could be made");
}

QString ReachDanglingLink(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(Elsewhere(path)).absolutePath());
    WriteFile(Elsewhere(path), bytes);
    return Elsewhere(path);
}

QString UnlockFolderOnTheWay(const QString& path, const QByteArray&) {
    QFile::setPermissions(QFileInfo(path).absolutePath(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// The file's folder cannot be searched (locked, mode 000); root needs
// PermissionsEnforced.
QString LockedFolderOnTheWay(const QString& path, const QByteArray& bytes) {
    QString why = WriteFile(path, bytes);
    QFile::setPermissions(QFileInfo(path).absolutePath(), QFileDevice::Permissions());
    if (why.isEmpty() && QFile(path).open(QIODevice::ReadOnly))
        why = QStringLiteral("a locked folder is still searched here");
    return why;
}

// The file is a link to a link back to it.
QString LinkLoop(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(Elsewhere(path)).absolutePath());
    if (!QFile::link(path, Elsewhere(path))) return QStringLiteral("no link could be made");
    return DanglingLink(path, bytes);
}

QString BreakLinkLoop(const QString& path, const QByteArray& bytes) {
    QFile::remove(Elsewhere(path));
    return ReachDanglingLink(path, bytes);
}

// The file ends before its size, as one cut while it is read: the kernel's
// attribute files give a few bytes of their 4096.
QString ShortRead(const QString& path, const QByteArray&) {
    const QString attribute = QStringLiteral("/sys/devices/system/cpu/online");
    QFile f(attribute);
    if (!f.open(QIODevice::ReadOnly) || f.readAll().size() >= f.size())
        return attribute + QStringLiteral(" does not end short of its size here");
    return QFile::link(attribute, path) ? QString() : QStringLiteral("no link could be made");
}

QString Fifo(const QString& path, const QByteArray&) {
    const bool made = ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    return made ? QString() : QStringLiteral("no FIFO could be made");
}

// A file whose bytes never end.
QString Device(const QString& path, const QByteArray&) {
    return QFile::link(QStringLiteral("/dev/zero"), path) ? QString() : QStringLiteral("no link could be made");
}

// Another program writes the file in place, as a sync tool does, giving it
// the time of the copy it came from.
void RewriteInPlace(const QString& path, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) return;
    if (::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size()) {
        const timespec times[2] = {{0, UTIME_OMIT}, {st.st_mtim.tv_sec - 3600, 0}};
        ::futimens(fd, times);
    }
    ::close(fd);
}

// The file is rewritten in place once the reader has taken its first chunk:
// its second read waits for this watch, which rewrites the file first.
QString RewrittenWhileRead(const QString& path, const QByteArray& bytes, const QByteArray& rewritten) {
    QString why = WriteFile(path, bytes);
    if (!why.isEmpty()) return why;
    const int watch = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY);
    if (watch < 0) return QStringLiteral("reads cannot be held here: ") + QString::fromLocal8Bit(strerror(errno));
    if (::fanotify_mark(watch, FAN_MARK_ADD, FAN_ACCESS_PERM, AT_FDCWD, QFile::encodeName(path).constData()) != 0) {
        ::close(watch);
        return QStringLiteral("reads of this file cannot be held here");
    }
    std::thread([watch, path, rewritten] {
        fanotify_event_metadata event;
        for (int reads = 1; reads <= 2 && ::read(watch, &event, sizeof event) == sizeof event; ++reads) {
            if (reads == 2) RewriteInPlace(path, rewritten);
            const fanotify_response answer{event.fd, FAN_ALLOW};
            ::write(watch, &answer, sizeof answer);
            ::close(event.fd);
        }
        ::close(watch);  // lets every later read through
    }).detach();
    return QString();
}

QString RewrittenSameSize(const QString& path, const QByteArray& bytes) {
    QByteArray other = bytes;
    std::reverse(other.begin(), other.end());
    return RewrittenWhileRead(path, bytes, other);
}

QString RewrittenLarger(const QString& path, const QByteArray& bytes) {
    return RewrittenWhileRead(path, bytes, bytes + bytes);
}

QString Nothing(const QString&, const QByteArray&) {
    return QString();
}

// The file lives behind a link in a folder elsewhere (a mounted drive).
QString LinkedFile(const QString& path, const QByteArray& bytes) {
    ReachDanglingLink(path, bytes);
    return DanglingLink(path, bytes);
}

void WriteOther(const QString& path) {
    WriteFile(path, "Other.zip,T,Jul 11, 2006\n/other/place\n");
}

// The drive is taken away: its mount point is there, empty.
void EmptyElsewhere(const QString& path) {
    QFile::remove(Elsewhere(path));
}

}  // namespace

const std::vector<UnreadableWay>& UnreadableWays() {
    static const std::vector<UnreadableWay> ways = {
        {"no read permission", NoReadPermission},
        {"read fault", ReadFault},
        {"a folder", Folder},
        {"dangling link", DanglingLink, ReachDanglingLink},
        {"locked folder on the way", LockedFolderOnTheWay, UnlockFolderOnTheWay},
        {"link loop", LinkLoop, BreakLinkLoop},
        {"short read", ShortRead},
        {"a FIFO", Fifo},
        {"a device", Device},
        {"rewritten while read", RewrittenSameSize},
        {"rewritten larger while read", RewrittenLarger},
        {"changed by another program", WriteFile, nullptr, WriteOther},
        {"made by another program", Nothing, nullptr, WriteOther},
        {"taken away by another program", LinkedFile, ReachDanglingLink, EmptyElsewhere},
    };
    return ways;
}

std::string Snapshot(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + info.symLinkTarget().toStdString() + (info.exists() ? "" : ", leading nowhere");
    if (info.isDir()) return "folder";
    if (!info.exists()) return "nothing";
    // The owner may always lend itself the read permission for a moment.
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) return "unknown";
    if (!S_ISREG(st.st_mode)) return "special file";
    ::chmod(name.constData(), st.st_mode | S_IRUSR);
    QFile f(path);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    f.close();
    ::chmod(name.constData(), st.st_mode & 07777);
    return "mode " + std::to_string(st.st_mode & 07777) + ": " + bytes.toStdString();
}

void ExpectUnreadableFilesHeldBack(const QString& root, QStringList& messages, const std::vector<LoadedFile>& files) {
    PermissionsEnforced asAnyUser;
    for (const UnreadableWay& way : UnreadableWays()) {
        for (const LoadedFile& file : files) {
            const std::string trace = std::string(way.name) + ", " + file.name.toStdString();
            SCOPED_TRACE(trace);
            const QString folder = root + QLatin1Char('/') + QString::fromStdString(trace);
            ASSERT_TRUE(QDir().mkpath(folder));
            SetAppFolderPath(folder);
            const QString path = folder + QLatin1Char('/') + file.name;
            const QString why = way.make(path, "Old.zip,D,Jul 10, 2006\n/old/path\n");
            if (!why.isEmpty()) {
                std::cout << "[ SKIPPED  ] " << trace << ": " << why.toStdString() << std::endl;
                continue;
            }
            messages.clear();

            file.load();
            if (way.meddle) {
                EXPECT_TRUE(messages.isEmpty());
                way.meddle(path);
            } else {
                EXPECT_TRUE(file.asIfMissing());
                EXPECT_EQ(messages.join(QLatin1Char('\n')).toStdString(), "Could not read " + path.toStdString());
            }
            const std::string before = Snapshot(path);
            messages.clear();
            EXPECT_FALSE(file.changeAndSave());
            EXPECT_EQ(messages.value(0).toStdString(),
                      "Could not save " + path.toStdString() + ": " +
                          (way.meddle ? "another program changed or removed it since it was read, so it was left "
                                        "as it is and read again"
                                      : "it could not be read, so it was left as it was"));
            EXPECT_EQ(Snapshot(path), before);
            if (way.meddle) {
                // The save read the file again: a load now says the same and,
                // where it reads the file whole, shows the same.
                const std::string said = messages.mid(1).join(QLatin1Char('\n')).toStdString();
                const QString shown = file.memory();
                messages.clear();
                file.load();
                EXPECT_EQ(messages.join(QLatin1Char('\n')).toStdString(), said);
                if (said.empty()) {
                    EXPECT_EQ(file.memory().toStdString(), shown.toStdString());
                }
            }
            if (way.reach) {
                // What is in memory is still not what the file holds.
                const QString target = way.reach(path, "Reached.zip,T,Jul 10, 2006\n/reached\n");
                const std::string reached = Snapshot(target);
                EXPECT_FALSE(file.changeAndSave());
                EXPECT_EQ(Snapshot(target), reached);
            }
            if (file.saveAnother) {
                EXPECT_TRUE(file.saveAnother());
            }
        }
    }
}
