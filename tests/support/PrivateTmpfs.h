#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Full-disk tests on a real file system. A test starts as
//
//     if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(256);
//
// which runs that test again in a child of this program, in a private mount
// namespace with a tmpfs of that many KiB mounted on a folder of its own. The
// child's outcome becomes the test's; where no tmpfs can be mounted (not
// root, no unshare) the test is skipped with the reason.

// The folder of the child's tmpfs; "" in an ordinary run.
QString PrivateTmpfsPath();
void RunInPrivateTmpfs(int kib);

// Meets a save into `file`, on the child's tmpfs, with each way a disk can be
// full: a file much larger than the free space, a small file on a file system
// full to the last byte, a large file a few KB larger than the free space.
// `save(bytes)` builds what makes a file of at least that many bytes and
// saves it. Each save must return false, add one message naming the file and
// the reason, and leave the old file byte for byte and nothing else behind.
void ExpectFullDiskSavesFail(const QString& file, const QStringList& messages,
                             const std::function<bool(qint64 bytes)>& save);
