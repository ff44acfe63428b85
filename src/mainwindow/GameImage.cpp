#include "mainwindow/GameImage.h"

#include "catalogue/Module1.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"

bool IsTapeFile(const QString& fileText) {
    return InStr(fileText, QStringLiteral(".uef")) > 0;
}

const QString& ImageDirectory(const QString& fileText) {
    return IsTapeFile(fileText) ? strTapeDir : strGameDir;
}

QString ImagePath(const QString& fileText) {
    return ImageDirectory(fileText) + QLatin1Char('/') + fileText;
}

bool ImageAvailable(const QString& path) {
    return OpensForReading(path);
}
