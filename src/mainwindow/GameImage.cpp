#include "mainwindow/GameImage.h"

#include "catalogue/Module1.h"
#include "mainwindow/PictureName.h"
#include "platform/Application.h"
#include "platform/CaseFreePath.h"
#include "platform/FolderItem.h"
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
    const QString& directory = ImageDirectory(fileText);
    const int slash = InStr(fileText, QStringLiteral("/"));
    if (slash == 0) return CaseFreeFolderPath(directory, fileText);
    // The folder that holds the image, where it is found: a folder of the
    // same name that lacks it ("Superior" beside "Superior (UK)") is not it.
    const QString image = ImagePath(fileText);
    if (FolderItem(image).Exists())
        return directory + QLatin1Char('/') + image.mid(directory.size() + 1).section(QLatin1Char('/'), 0, 0);
    return CaseFreeFolderPath(directory, Left(fileText, slash - 1));
}

bool ImageAvailable(const QString& path) {
    return OpensForReading(path);
}

FolderItem PictureFile(const QString& fileName) {
    const FolderItem pictures = AppFolder().Child(PictureFolderName());
    if (!pictures.IsValid()) return FolderItem();
    return FolderItem(CaseFreePath(pictures.ShellPath(), fileName));
}
