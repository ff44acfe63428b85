#include "catalogue/SaveTextFile.h"

#include "platform/MsgBox.h"
#include "platform/TextOutputStream.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QSet<QString>& Refused() {
    static QSet<QString> paths;
    return paths;
}

QString RefusalKey(const FolderItem& file) {
    return QDir::cleanPath(QFileInfo(file.ShellPath()).absoluteFilePath());
}

}  // namespace

void RefuseSaves(const FolderItem& file) {
    Refused().insert(RefusalKey(file));
}

bool WriteTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                   QString* error) {
    if (Refused().contains(RefusalKey(file))) {
        if (error) *error = QStringLiteral("it could not be read, so it was left as it was");
        return false;
    }
    auto out = file.CreateTextFile(error);
    if (!out) return false;
    writeLines(*out);
    if (out->Close()) return true;
    if (error) *error = out->ErrorString();
    return false;
}

void ReportSaveFailure(const FolderItem& file, const QString& error) {
    MsgBox(QStringLiteral("Could not save ") + file.ShellPath() + QStringLiteral(": ") + error, 16);
}

bool SaveTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines) {
    QString error;
    if (WriteTextFile(file, writeLines, &error)) return true;
    ReportSaveFailure(file, error);
    return false;
}
