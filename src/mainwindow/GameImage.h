#pragma once

#include <QString>

// Where a game's image file lies, shared by playing a game and the disk audit.

// A tape game's file text holds ".uef" anywhere, in any letter case.
bool IsTapeFile(const QString& fileText);
// The tape-image directory for a tape game's file text, else the disc-image one.
const QString& ImageDirectory(const QString& fileText);
// That directory, "/" and the file text.
QString ImagePath(const QString& fileText);
// True when the path names an existing item that opens for reading.
bool ImageAvailable(const QString& path);
