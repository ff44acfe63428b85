#include "catalogue/LoadTextFile.h"

#include "catalogue/SaveTextFile.h"
#include "platform/MsgBox.h"
#include "platform/PathAbsent.h"
#include "platform/TextInputStream.h"

FileRead ReadTextFile(const FolderItem& file, const std::function<void(TextInputStream&)>& readLines) {
    if (PathAbsent(file.ShellPath())) return FileRead::Missing;
    auto in = file.OpenAsTextFile();
    if (!in) return FileRead::Unreadable;
    readLines(*in);
    const bool failed = in->ReadError();
    in->Close();
    return failed ? FileRead::Unreadable : FileRead::Whole;
}

void ReportUnreadable(const FolderItem& file) {
    RefuseSaves(file);
    MsgBox(QStringLiteral("Could not read ") + file.ShellPath(), 16);
}
