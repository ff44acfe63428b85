#pragma once

#include "platform/FolderItem.h"

#include <QString>

// Where a game's image and picture files lie, shared by the commands, the
// audits and the picture well. The catalogue's names may differ in letter
// case from the files': each path is matched as CaseFreePath says.

// A tape game's file text holds ".uef" anywhere, in any letter case.
bool IsTapeFile(const QString& fileText);
// The tape-image directory for a tape game's file text, else the disc-image one.
const QString& ImageDirectory(const QString& fileText);
// The image: that directory, "/" and the file text.
QString ImagePath(const QString& fileText);
// The game's folder in that directory: the file text's part before its first
// "/", or the whole text when it holds none.
QString ImageFolderPath(const QString& fileText);
// True when the path names a regular file that opens for reading.
bool ImageAvailable(const QString& path);
// The picture of that file name in the picture folder; no item when the
// application's folder is unknown.
FolderItem PictureFile(const QString& fileName);
