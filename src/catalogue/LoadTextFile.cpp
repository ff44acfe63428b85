#include "catalogue/LoadTextFile.h"

#include "catalogue/SaveTextFile.h"
#include "platform/MsgBox.h"
#include "platform/PathAbsent.h"
#include "platform/TextInputStream.h"

FileRead ReadTextFile(const FolderItem& file, const std::function<void(TextInputStream&)>& readLines) {
    if (PathAbsent(file.ShellPath())) {
        RememberOnDisk(file, std::nullopt);
        return FileRead::Missing;
    }
    auto in = file.OpenAsTextFile();
    if (!in) return FileRead::Unreadable;
    readLines(*in);
    // Closing checks the stamp of a file not read to its end.
    in->Close();
    if (in->ReadError()) return FileRead::Unreadable;
    RememberOnDisk(file, in->Stamp());
    return FileRead::Whole;
}

void ReportUnreadable(const FolderItem& file) {
    RefuseSaves(file);
    MsgBox(QStringLiteral("Could not read ") + file.ShellPath(), 16);
}
