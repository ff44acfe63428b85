#include "catalogue/SaveTextFile.h"

#include "platform/MsgBox.h"
#include "platform/PathAbsent.h"
#include "platform/TextOutputStream.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

QString FileKey(const FolderItem& file) {
    return QDir::cleanPath(QFileInfo(file.ShellPath()).absoluteFilePath());
}

QSet<QString>& Refused() {
    static QSet<QString> paths;
    return paths;
}

// Each file's stamp when last read or saved; none for one missing then.
QHash<QString, std::optional<FileStamp>>& Known() {
    static QHash<QString, std::optional<FileStamp>> stamps;
    return stamps;
}

// Something other than what the last read or save left is at the path. A
// person who deletes the file leaves nothing there, and gets it back.
bool ChangedOnDisk(const FolderItem& file) {
    const auto known = Known().constFind(FileKey(file));
    if (known == Known().cend() || PathAbsent(file.ShellPath())) return false;
    const std::optional<FileStamp> now = StampAt(file.ShellPath());
    return !known->has_value() || !now || *now != **known;
}

}  // namespace

void RefuseSaves(const FolderItem& file) {
    Refused().insert(FileKey(file));
}

void RememberOnDisk(const FolderItem& file, const std::optional<FileStamp>& found) {
    Known().insert(FileKey(file), found);
}

FileSave WriteTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                       QString* error) {
    if (Refused().contains(FileKey(file))) {
        if (error) *error = QStringLiteral("it could not be read, so it was left as it was");
        return FileSave::Failed;
    }
    if (ChangedOnDisk(file)) {
        if (error)
            *error = QStringLiteral("another program changed or removed it since it was read, so it was left "
                                    "as it is and read again");
        return FileSave::ChangedOnDisk;
    }
    auto out = file.CreateTextFile(error);
    if (!out) return FileSave::Failed;
    writeLines(*out);
    if (!out->Close()) {
        if (error) *error = out->ErrorString();
        return FileSave::Failed;
    }
    // Taken through a link, as the stream wrote through it into its target.
    if (const auto saved = StampAt(file.ShellPath()))
        RememberOnDisk(file, saved);
    else
        Known().remove(FileKey(file));
    return FileSave::Saved;
}

void ReportSaveFailure(const FolderItem& file, const QString& error) {
    MsgBox(QStringLiteral("Could not save ") + file.ShellPath() + QStringLiteral(": ") + error, 16);
}

bool SaveTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                  const std::function<void()>& readAgain) {
    QString error;
    const FileSave save = WriteTextFile(file, writeLines, &error);
    if (save == FileSave::Saved) return true;
    ReportSaveFailure(file, error);
    if (save == FileSave::ChangedOnDisk) readAgain();
    return false;
}
