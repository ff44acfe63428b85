#include "mainwindow/GameImage.h"

#include "catalogue/Module1.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"

bool IsTapeFile(const QString& fileText) {
    return InStr(fileText, QStringLiteral(".uef")) > 0;
}

QString ImagePath(const QString& fileText) {
    return (IsTapeFile(fileText) ? strTapeDir : strGameDir) + QLatin1Char('/') + fileText;
}

bool ImageAvailable(const QString& path) {
    const FolderItem item = FolderItem::FromShellPath(path);
    if (!item.IsValid() || !item.Exists()) return false;
    auto stream = item.OpenAsTextFile();
    if (!stream) return false;
    stream->Close();
    return true;
}
