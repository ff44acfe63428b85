#include "platform/ZipArchive.h"

#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/file.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;
constexpr int kEndRecordSize = 22;
// Private folders are this followed by mkdtemp's six characters.
constexpr char kPrivatePrefix[] = ".corvale-unpacking";
constexpr qsizetype kPrivateNameSize = sizeof kPrivatePrefix - 1 + 7;
// Marks a private folder kept because it holds what could not be put back;
// no member can have this name, as TargetPath skips it.
constexpr char kKeptMark[] = ".corvale-unpacking-kept";

// Backstops for the checks in TargetPath; no PERM or OWNER, so modes come
// from WriteMember and the umask, and owners from the user who runs us.
constexpr int kExtractFlags = ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                              ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_NOABSOLUTEPATHS;

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;
using FolderHandle = std::unique_ptr<DIR, int (*)(DIR*)>;

bool Fail(QString* reason, const QString& text) {
    if (reason) *reason = text;
    return false;
}

QString ArchiveError(archive* a) {
    const char* text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
}

// Disk errors carry the system's reason, which says what the user can mend.
QString WriterError(archive* writer) {
    const int error = archive_errno(writer);
    return error > 0 ? ArchiveError(writer) + QStringLiteral(": ") + qt_error_string(error) : ArchiveError(writer);
}

QString PathError(const QByteArray& path, int error) {
    return QFile::decodeName(path) + QStringLiteral(": ") + qt_error_string(error);
}

// libarchive's central-directory reader looks for the end record only past
// the start of the file, so it misses a zip that is nothing else: an empty one.
bool IsEmptyZip(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray end = file.read(kEndRecordSize);
    return end.size() == kEndRecordSize && end.startsWith("PK\x05\x06") && end[10] == 0 && end[11] == 0;
}

// Zip alone, so that a tar or anything else is "not a zip"; read from its
// central directory, so that a zip cut short fails before anything is
// written and the members' unix types (links, devices) are known.
Reader OpenZip(const QString& zip, QString* reason) {
    Reader reader(archive_read_new());
    archive_read_support_format_zip_seekable(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(zip).constData(), kBlockSize) == ARCHIVE_OK)
        return reader;
    Fail(reason, ArchiveError(reader.get()));
    return nullptr;
}

// Where a member goes, relative to the directory: below/path with the path's
// empty and "." parts dropped, as the system would read it; empty for a
// member that is skipped.
QByteArray TargetPath(archive_entry* entry, const QByteArray& below) {
    const mode_t type = archive_entry_filetype(entry);
    if ((type != AE_IFREG && type != AE_IFDIR) || archive_entry_hardlink(entry)) return {};
    const char* name = archive_entry_pathname(entry);
    if (!name || *name == '/') return {};
    QList<QByteArray> parts;
    for (const QByteArray& part : QByteArray(name).split('/')) {
        if (part == "..") return {};
        if (!part.isEmpty() && part != ".") parts << part;
    }
    if (parts.isEmpty()) return {};  // the folder itself
    if (!below.isEmpty()) parts.prepend(below);
    if (parts.first().startsWith(kPrivatePrefix)) return {};
    return parts.join('/');
}

// The longest path written is the member's inside the private folder.
bool WithinLimits(const QByteArray& directory, const QByteArray& path) {
    if (directory.size() + kPrivateNameSize + path.size() + 3 > PATH_MAX) return false;
    const QList<QByteArray> parts = path.split('/');
    return std::all_of(parts.begin(), parts.end(), [](const QByteArray& part) { return part.size() <= NAME_MAX; });
}

// Every member is looked at before anything is written.
bool CheckPaths(archive* reader, const QByteArray& directory, const QByteArray& below, QString* reason) {
    archive_entry* entry = nullptr;
    for (;;) {
        const int read = archive_read_next_header(reader, &entry);
        if (read == ARCHIVE_EOF) return true;
        if (read < ARCHIVE_WARN) return Fail(reason, ArchiveError(reader));
        // A name libarchive cannot convert comes back as none, which would
        // read as a member skipped on purpose.
        if (!archive_entry_pathname(entry)) return Fail(reason, ArchiveError(reader));
        const QByteArray path = TargetPath(entry, below);
        if (!path.isEmpty() && !WithinLimits(directory, path)) return Fail(reason, PathError(path, ENAMETOOLONG));
    }
}

// A member holds exactly the bytes it declares. The disk writer is not told
// the size, as it would stretch a short member to it with zeros (1 TiB for
// a zip64 member that says so); the count stops one that runs past it
// before the excess is written.
bool WriteMember(archive* reader, archive* writer, archive_entry* entry, const QByteArray& path,
                 const QByteArray& folder, QString* reason) {
    const QString failed = QFile::decodeName(path) + QStringLiteral(": ");
    const bool declared = archive_entry_size_is_set(entry);
    const la_int64_t declaredSize = archive_entry_size(entry);
    const QString wrongSize = failed + QStringLiteral("does not hold the %1 bytes it declares").arg(declaredSize);
    archive_entry_unset_size(entry);
    archive_entry_set_perm(entry, archive_entry_filetype(entry) == AE_IFREG ? kFileMode : kFolderMode);
    archive_entry_set_pathname(entry, (folder + '/' + path).constData());
    if (archive_write_header(writer, entry) < ARCHIVE_WARN) return Fail(reason, failed + WriterError(writer));
    la_int64_t length = 0;
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int read = archive_read_data_block(reader, &block, &size, &offset);
        if (read == ARCHIVE_EOF) break;
        // A warning here is a bad checksum: the member is damaged.
        if (read != ARCHIVE_OK) return Fail(reason, failed + ArchiveError(reader));
        length = offset + la_int64_t(size);
        if (declared && length > declaredSize) return Fail(reason, wrongSize);
        if (archive_write_data_block(writer, block, size, offset) != ARCHIVE_OK)
            return Fail(reason, failed + WriterError(writer));
    }
    if (declared && length != declaredSize) return Fail(reason, wrongSize);
    if (archive_write_finish_entry(writer) < ARCHIVE_WARN) return Fail(reason, failed + WriterError(writer));
    return true;
}

bool WriteMembers(archive* reader, const QByteArray& below, const QByteArray& folder, QString* reason) {
    const std::unique_ptr<archive, WriterFree> writer(archive_write_disk_new());
    archive_write_disk_set_options(writer.get(), kExtractFlags);
    archive_entry* entry = nullptr;
    bool written = true;
    while (written) {
        const int read = archive_read_next_header(reader, &entry);
        if (read == ARCHIVE_EOF) break;
        if (read < ARCHIVE_WARN) {
            written = Fail(reason, ArchiveError(reader));
        } else {
            const QByteArray path = TargetPath(entry, below);
            written = path.isEmpty() || WriteMember(reader, writer.get(), entry, path, folder, reason);
        }
    }
    // Closing ends a file left part-written and sets the folders' times.
    if (archive_write_close(writer.get()) < ARCHIVE_WARN && written) written = Fail(reason, WriterError(writer.get()));
    return written;
}

struct Placed {
    QByteArray path;  // relative to the directory
    bool folder;
};

// Adds what `relative` (below the private folder `folder`) holds; false,
// with errno set, when a folder could not be read. Read by bytes: a member's
// name need not be one Qt can decode (a zip made on DOS). A folder is closed
// before its sub-folders are read, so depth costs no open handles.
bool Walk(const QByteArray& folder, const QByteArray& relative, std::vector<Placed>& items) {
    const QByteArray path = relative.isEmpty() ? folder : folder + '/' + relative;
    std::vector<QByteArray> folders;
    {
        const FolderHandle dir(opendir(path.constData()), closedir);
        if (!dir) return false;
        for (;;) {
            errno = 0;
            const dirent* entry = readdir(dir.get());
            if (!entry) {
                if (errno != 0) return false;
                break;
            }
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..") continue;
            struct stat st;
            if (fstatat(dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
            const QByteArray child = relative.isEmpty() ? name : relative + '/' + name;
            items.push_back({child, S_ISDIR(st.st_mode)});
            if (S_ISDIR(st.st_mode)) folders.push_back(child);
        }
    }
    return std::all_of(folders.begin(), folders.end(),
                       [&](const QByteArray& child) { return Walk(folder, child, items); });
}

// What the private folder holds, each folder before what it holds.
bool Written(const QByteArray& folder, std::vector<Placed>& items, QString* reason) {
    if (!Walk(folder, QByteArray(), items)) return Fail(reason, PathError(folder, errno));
    std::sort(items.begin(), items.end(), [](const Placed& a, const Placed& b) { return a.path < b.path; });
    return true;
}

void RemoveTree(const QByteArray& folder) {
    nftw(folder.constData(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path), 0; }, 16,
         FTW_DEPTH | FTW_PHYS);
}

// A folder goes only where a folder is or nothing is; a file where anything
// but a folder is, as an entry newer than the index replaces its files.
bool InTheWay(const Placed& item, QString* reason) {
    struct stat st;
    if (lstat(item.path.constData(), &st) != 0) return false;
    if (item.folder && !S_ISDIR(st.st_mode)) return !Fail(reason, PathError(item.path, ENOTDIR));
    if (!item.folder && S_ISDIR(st.st_mode)) return !Fail(reason, PathError(item.path, EISDIR));
    return false;
}

// A new empty file with a private name in the folder of `path`, for a file
// that moves in or out of place there; its descriptor, or -1 with errno set.
int PartBeside(const QByteArray& path, QByteArray& part) {
    part = path.left(path.lastIndexOf('/') + 1) + kPrivatePrefix + "-XXXXXX";
    return mkstemp(part.data());
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// A file whose folder lies on another file system (a mount point below the
// image folder) cannot be renamed there: it is copied into a part file in
// that folder, which is renamed over the member's name once whole. False,
// with errno set, when that failed; nothing is left then.
bool CopyAcross(const QByteArray& from, const QByteArray& to) {
    QByteArray part;
    const int out = PartBeside(to, part);
    if (out < 0) return false;
    int error = 0;
    const int in = open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0 || fchmod(out, kFileMode & ~CurrentUmask()) != 0) error = errno;
    std::vector<char> block(kBlockSize);
    while (error == 0) {
        const ssize_t got = read(in, block.data(), block.size());
        if (got <= 0) {
            if (got < 0) error = errno;
            break;
        }
        const ssize_t put = write(out, block.data(), size_t(got));
        // A write cut short is a disk that just filled.
        if (put != got) error = put < 0 ? errno : ENOSPC;
    }
    if (in >= 0) close(in);
    if (close(out) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(part.constData(), to.constData()) != 0) error = errno;
    if (error == 0) return true;
    unlink(part.constData());
    errno = error;
    return false;
}

bool Place(const Placed& item, const QByteArray& folder, QString* reason) {
    if (item.folder)
        return mkdir(item.path.constData(), kFolderMode) == 0 || errno == EEXIST ||
               Fail(reason, PathError(item.path, errno));
    // A rename replaces a link of the member's name instead of following it.
    const QByteArray from = folder + '/' + item.path;
    if (std::rename(from.constData(), item.path.constData()) == 0) return true;
    if (errno == EXDEV && CopyAcross(from, item.path)) return true;
    return Fail(reason, PathError(item.path, errno));
}

bool IsLast(const Placed& item, const QStringList& last) {
    return !item.folder && last.contains(QFile::decodeName(item.path), Qt::CaseInsensitive);
}

// A file member over the file or link it replaces trades places with it, so
// that the old one waits in the private folder until the whole zip is placed.
// False when the file system cannot trade; errno says why.
bool Exchange(const QByteArray& from, const QByteArray& to) {
    return renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0;
}

// Where a file system cannot trade places (NFS, exFAT, FUSE, or a folder on
// another file system), the old file is renamed aside in its own folder
// instead; "" when that failed, with errno set.
QByteArray SetAside(const QByteArray& path) {
    QByteArray aside;
    const int fd = PartBeside(path, aside);
    if (fd < 0) return {};
    close(fd);
    if (std::rename(path.constData(), aside.constData()) == 0) return aside;
    const int error = errno;
    unlink(aside.constData());
    errno = error;
    return {};
}

struct Done {
    const Placed* item;
    bool exchanged;
    QByteArray aside;  // the replaced file's name meanwhile, if set aside
};

// What was placed is taken back: what stood nowhere is removed, what was
// replaced comes back. False, with errno set, when that failed.
bool PutBack(const Done& step, const QByteArray& folder) {
    const QByteArray& path = step.item->path;
    if (step.exchanged) return Exchange(folder + '/' + path, path);
    if (!step.aside.isEmpty()) return std::rename(step.aside.constData(), path.constData()) == 0;
    return (step.item->folder ? rmdir(path.constData()) : unlink(path.constData())) == 0;
}

// Where the user's file is now, for a step that could not be put back.
QString Stranded(const Done& step, const QByteArray& directory, const QByteArray& folder, int error) {
    const QString path = QFile::decodeName(step.item->path);
    const QString why = QStringLiteral(" (") + qt_error_string(error) + QStringLiteral(")");
    if (!step.exchanged && step.aside.isEmpty()) return path + QStringLiteral(" could not be removed") + why;
    const QByteArray now = step.exchanged ? folder + '/' + step.item->path : step.aside;
    return path + QStringLiteral(" could not be put back") + why + QStringLiteral("; your file is kept at ") +
           QFile::decodeName(directory + '/' + now);
}

// Last placed first back; each step that fails is added to the reason.
// False when one failed: the private folder may then hold the user's file.
bool TakeBack(const std::vector<Done>& done, const QByteArray& directory, const QByteArray& folder,
              QString* reason) {
    bool whole = true;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (PutBack(*it, folder)) continue;
        const int error = errno;
        whole = false;
        if (reason) *reason += QStringLiteral(". ") + Stranded(*it, directory, folder, error);
    }
    return whole;
}

// Nothing moves until nothing is in the way; the entry's own image moves
// last, so that an entry counts as present only once all of it is. Should a
// move still fail, what was placed is taken back; `keep` is set when that
// failed too.
bool PlaceAll(const QByteArray& directory, const QByteArray& folder, const QStringList& last, QString* reason,
              bool& keep) {
    std::vector<Placed> items;
    if (!Written(folder, items, reason)) return false;
    for (const Placed& item : items)
        if (InTheWay(item, reason)) return false;
    std::stable_partition(items.begin(), items.end(), [&](const Placed& item) { return !IsLast(item, last); });
    std::vector<Done> done;
    const auto takeBack = [&] {
        keep = !TakeBack(done, directory, folder, reason);
        return false;
    };
    for (const Placed& item : items) {
        struct stat st;
        const bool stood = lstat(item.path.constData(), &st) == 0;
        Done step{&item, false, {}};
        if (stood && !item.folder) {
            if (Exchange(folder + '/' + item.path, item.path)) {
                step.exchanged = true;
                done.push_back(step);
                continue;
            }
            step.aside = SetAside(item.path);
            if (step.aside.isEmpty()) {
                Fail(reason, PathError(item.path, errno));
                return takeBack();
            }
        }
        if (!Place(item, folder, reason)) {
            if (!step.aside.isEmpty()) done.push_back(step);
            return takeBack();
        }
        if (!stood || !step.aside.isEmpty()) done.push_back(step);
    }
    for (const Done& step : done)
        if (!step.aside.isEmpty()) unlink(step.aside.constData());
    return true;
}

// Each unpack holds a lock on its private folder while it works; the lock
// goes with the process, so an unlocked one was left by a crash or a kill,
// and would be taken for a publisher's folder by the directory audit.
int LockedFolder(int at, const char* name, int how) {
    const int fd = openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 && flock(fd, how) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void RemoveLeftPrivateFolders() {
    const FolderHandle dir(opendir("."), closedir);
    if (!dir) return;
    std::vector<QByteArray> left;
    while (const dirent* entry = readdir(dir.get()))
        if (QByteArray(entry->d_name).startsWith(kPrivatePrefix)) left.push_back(entry->d_name);
    for (const QByteArray& name : left) {
        const int lock = LockedFolder(AT_FDCWD, name.constData(), LOCK_EX | LOCK_NB);
        if (lock < 0) continue;
        struct stat st;
        if (fstatat(lock, kKeptMark, &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) RemoveTree(name);
        close(lock);
    }
}

// A private folder that may hold the user's file stays, marked so that no
// later clean-up removes it; the reason has told the user where it is.
void Keep(const QByteArray& folder, QString* reason) {
    if (mkdir((folder + '/' + kKeptMark).constData(), kFolderMode) == 0 || !reason) return;
    *reason += QStringLiteral(". Move it out before the next unpack, which may remove it (") +
               qt_error_string(errno) + QStringLiteral(")");
}

// Members are written relative to the working directory, which is the
// target: libarchive's link check walks a member's path from there.
bool UnpackHere(const QString& zip, const QByteArray& directory, const QByteArray& below, const QStringList& last,
                QString* reason) {
    const Reader first = OpenZip(zip, reason);
    if (!first) return false;
    if (!CheckPaths(first.get(), directory, below, reason)) return false;

    RemoveLeftPrivateFolders();
    QByteArray folder = QByteArray(kPrivatePrefix) + "-XXXXXX";
    if (!mkdtemp(folder.data())) return Fail(reason, PathError(directory, errno));
    const int lock = LockedFolder(AT_FDCWD, folder.constData(), LOCK_EX);
    const Reader second = OpenZip(zip, reason);
    bool keep = false;
    const bool unpacked = second && WriteMembers(second.get(), below, folder, reason) &&
                          PlaceAll(directory, folder, last, reason, keep);
    if (keep) Keep(folder, reason);
    else RemoveTree(folder);
    if (lock >= 0) close(lock);
    return unpacked;
}

}  // namespace

bool UnpackZip(const QString& zipPath, const QString& directory, QString* reason, const QString& below,
               const QStringList& last) {
    const QString zip = QFileInfo(zipPath).absoluteFilePath();
    if (IsEmptyZip(zip)) return true;

    // Working in the directory covers the members' paths but not the
    // directory's parents, which may be links the user made. The unpack runs
    // on the interface thread and puts the working directory back at once.
    const QByteArray target = QFile::encodeName(QFileInfo(directory).absoluteFilePath());
    const int previous = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (previous < 0) return Fail(reason, PathError(".", errno));
    bool unpacked = false;
    if (chdir(target.constData()) != 0) {
        unpacked = Fail(reason, PathError(target, errno));
    } else {
        unpacked = UnpackHere(zip, target, QFile::encodeName(below), last, reason);
        if (fchdir(previous) != 0) unpacked = Fail(reason, PathError(".", errno));
    }
    close(previous);
    return unpacked;
}
