#include "mainwindow/GameImage.h"

#include "catalogue/Module1.h"
#include "mainwindow/PictureName.h"
#include "platform/Application.h"
#include "platform/CaseFreePath.h"
#include "platform/Text.h"

bool IsTapeFile(const QString& fileText) {
    return InStr(fileText, QStringLiteral(".uef")) > 0;
}

const QString& ImageDirectory(const QString& fileText) {
    return IsTapeFile(fileText) ? strTapeDir : strGameDir;
}

QString ImagePath(const QString& fileText) {
    return CaseFreePath(ImageDirectory(fileText), fileText);
}

QString ImageFolderPath(const QString& fileText) {
    const int slash = InStr(fileText, QStringLiteral("/"));
    return CaseFreeFolderPath(ImageDirectory(fileText), slash > 0 ? Left(fileText, slash - 1) : fileText);
}

bool ImageAvailable(const QString& path) {
    return OpensForReading(path);
}

FolderItem PictureFile(const QString& fileName) {
    const FolderItem pictures = AppFolder().Child(PictureFolderName());
    if (!pictures.IsValid()) return FolderItem();
    return FolderItem(CaseFreePath(pictures.ShellPath(), fileName));
}
