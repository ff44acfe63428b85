#include "support/UnreadableFiles.h"

#include "platform/Application.h"
#include "support/PermissionsEnforced.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <iostream>

#include <sys/stat.h>

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
    };
    return ways;
}

std::string Snapshot(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) return "link to " + info.symLinkTarget().toStdString();
    if (info.isDir()) return "folder";
    if (!info.exists()) return "nothing";
    // The owner may always lend itself the read permission for a moment.
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) return "unknown";
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
            const std::string before = Snapshot(path);
            messages.clear();

            file.load();
            EXPECT_TRUE(file.asIfMissing());
            EXPECT_EQ(messages.join(QLatin1Char('\n')).toStdString(), "Could not read " + path.toStdString());
            EXPECT_FALSE(file.changeAndSave());
            EXPECT_EQ(messages.value(1).toStdString(),
                      "Could not save " + path.toStdString() + ": it could not be read, so it was left as it was");
            EXPECT_EQ(Snapshot(path), before);
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
