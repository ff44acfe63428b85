#include "mainwindow/PictureName.h"

#include "platform/Text.h"

QString PictureFileName(const QString& name, const QString& publisher) {
    const QString text = name + QLatin1Char('-') + publisher;
    QString file;
    file.reserve(text.size() + 4);
    for (QChar ch : text) {
        if (ch == QLatin1Char('&')) ch = QLatin1Char('n');
        if (IsAsciiAlnum(ch) || ch == QLatin1Char('-')) file += ch;
    }
    return file + QStringLiteral(".bmp");
}

QString PictureFolderName() {
    return QStringLiteral("bbcpics");
}

QString NoPictureFileName() {
    return QStringLiteral("nopic.bmp");
}
