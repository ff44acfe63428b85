#include "platform/ZipArchive.h"

#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr mode_t kFileMode = 0644;
constexpr mode_t kFolderMode = 0755;
constexpr int kEndRecordSize = 22;
constexpr char kPartName[] = ".corvale-unpacking";

// Backstops for the checks in Skipped; no PERM or OWNER, so modes come from
// WriteMember and the umask, and owners from the user who runs us.
constexpr int kExtractFlags = ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_SYMLINKS |
                              ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_NOABSOLUTEPATHS;

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};

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

QString SystemError(const QString& path) {
    return path + QStringLiteral(": ") + qt_error_string(errno);
}

// libarchive's central-directory reader looks for the end record only past
// the start of the file, so it misses a zip that is nothing else: an empty one.
bool IsEmptyZip(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray end = file.read(kEndRecordSize);
    return end.size() == kEndRecordSize && end.startsWith("PK\x05\x06") && end[10] == 0 && end[11] == 0;
}

bool HoldsDotDot(const QByteArray& path) {
    for (const QByteArray& part : path.split('/'))
        if (part == "..") return true;
    return false;
}

bool IsSymlink(const QByteArray& path) {
    struct stat st;
    return lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool Skipped(archive_entry* entry) {
    const mode_t type = archive_entry_filetype(entry);
    if ((type != AE_IFREG && type != AE_IFDIR) || archive_entry_hardlink(entry)) return true;
    const char* name = archive_entry_pathname(entry);
    if (!name || !*name || *name == '/') return true;
    QByteArray path(name);
    if (HoldsDotDot(path)) return true;
    // libarchive would replace such a link with a folder; the link is the user's.
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    return type == AE_IFDIR && IsSymlink(path);
}

QByteArray PartPath(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1) + kPartName;
}

// A file is written under a part name beside its own and renamed over it once
// whole: a damaged member or a full disk never leaves a partial image (which
// the next run would take for the entry's file), and the rename replaces a
// link of the member's name instead of following it. *part names the file
// being written, for the caller to remove when this fails.
bool WriteMember(archive* reader, archive* writer, archive_entry* entry, QByteArray* part, QString* reason) {
    const QByteArray path = archive_entry_pathname(entry);
    const QString failed = QFile::decodeName(path) + QStringLiteral(": ");
    const bool file = archive_entry_filetype(entry) == AE_IFREG;
    archive_entry_set_perm(entry, file ? kFileMode : kFolderMode);
    if (file) archive_entry_set_pathname(entry, PartPath(path).constData());
    if (archive_write_header(writer, entry) < ARCHIVE_WARN) return Fail(reason, failed + WriterError(writer));
    // Only now is the part's folder known to be no link.
    if (file) *part = PartPath(path);
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int read = archive_read_data_block(reader, &block, &size, &offset);
        if (read == ARCHIVE_EOF) break;
        // A warning here is a bad checksum: the member is damaged.
        if (read != ARCHIVE_OK) return Fail(reason, failed + ArchiveError(reader));
        // A warning here is a member longer than its header says.
        if (archive_write_data_block(writer, block, size, offset) != ARCHIVE_OK)
            return Fail(reason, failed + WriterError(writer));
    }
    if (archive_write_finish_entry(writer) < ARCHIVE_WARN) return Fail(reason, failed + WriterError(writer));
    if (!file) return true;
    if (std::rename(part->constData(), path.constData()) != 0) return Fail(reason, failed + qt_error_string(errno));
    part->clear();
    return true;
}

bool WriteMembers(archive* reader, archive* writer, QByteArray* part, QString* reason) {
    archive_entry* entry = nullptr;
    for (;;) {
        const int read = archive_read_next_header(reader, &entry);
        if (read == ARCHIVE_EOF) return true;
        if (read < ARCHIVE_WARN) return Fail(reason, ArchiveError(reader));
        if (!Skipped(entry) && !WriteMember(reader, writer, entry, part, reason)) return false;
    }
}

// Members are written relative to the working directory.
bool UnpackHere(archive* reader, QString* reason) {
    const std::unique_ptr<archive, WriterFree> writer(archive_write_disk_new());
    archive_write_disk_set_options(writer.get(), kExtractFlags);
    QByteArray part;
    bool unpacked = WriteMembers(reader, writer.get(), &part, reason);
    // Closing ends a file left part-written and sets the folders' times.
    if (archive_write_close(writer.get()) < ARCHIVE_WARN && unpacked)
        unpacked = Fail(reason, WriterError(writer.get()));
    if (!part.isEmpty()) unlink(part.constData());
    return unpacked;
}

}  // namespace

bool UnpackZip(const QString& zipPath, const QString& directory, QString* reason) {
    const std::unique_ptr<archive, ReaderFree> reader(archive_read_new());
    // Zip alone, so that a tar or anything else is "not a zip"; read from its
    // central directory, so that a zip cut short fails before anything is
    // written and the members' unix types (links, devices) are known.
    archive_read_support_format_zip_seekable(reader.get());
    const QString zip = QFileInfo(zipPath).absoluteFilePath();
    if (archive_read_open_filename(reader.get(), QFile::encodeName(zip).constData(), kBlockSize) != ARCHIVE_OK)
        return IsEmptyZip(zip) || Fail(reason, ArchiveError(reader.get()));

    // libarchive's symlink check walks a member's path from the working
    // directory, so working there covers the members' paths but not the
    // directory's parents, which may be links the user made. The unpack runs
    // on the interface thread and puts the working directory back at once.
    const int previous = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (previous < 0) return Fail(reason, SystemError(QStringLiteral(".")));
    bool unpacked = false;
    if (chdir(QFile::encodeName(directory).constData()) != 0) {
        unpacked = Fail(reason, SystemError(directory));
    } else {
        unpacked = UnpackHere(reader.get(), reason);
        if (fchdir(previous) != 0) unpacked = Fail(reason, SystemError(QStringLiteral(".")));
    }
    close(previous);
    return unpacked;
}
