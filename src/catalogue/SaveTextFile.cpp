#include "catalogue/SaveTextFile.h"

#include "platform/MsgBox.h"
#include "platform/TextOutputStream.h"

bool WriteTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                   QString* error) {
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
