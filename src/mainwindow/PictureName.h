#pragma once

#include <QString>

// The picture of a game in "bbcpics": name, "-", publisher, with "&" turned
// into "n" and everything but ASCII letters, digits and "-" dropped, then
// ".bmp". The picture audit uses the same rule, so PicOK agrees with what the
// main window shows.
QString PictureFileName(const QString& name, const QString& publisher);

// The picture folder in the application's folder, and its stand-in picture.
QString PictureFolderName();
QString NoPictureFileName();
