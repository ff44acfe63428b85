#pragma once

#include <QString>

#include <ctime>
#include <optional>

struct stat;

// Which file is at a path and which state of it: a file rewritten, replaced,
// grown or touched gets another stamp. The status-change time, which no user
// tool sets, is stamped from the kernel's clock.
struct FileStamp {
    quint64 device = 0, inode = 0;
    qint64 size = 0;
    timespec modified{}, changed{};

    static FileStamp Of(const struct stat& st);
    bool operator==(const FileStamp& o) const;
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The stamp of what the path leads to, through links; none when that cannot
// be looked at (nothing there, a link leading nowhere, a locked folder).
std::optional<FileStamp> StampAt(const QString& path);
