#pragma once

#include <QByteArray>
#include <QString>

// Mac Roman, the encoding of every text file the program reads or writes.
// Each byte is one character, so positions agree in memory and on disk.
namespace MacRoman {

QString Decode(const char* bytes, qsizetype size);
// A character that Mac Roman cannot hold becomes "?".
QByteArray Encode(const QString& text);

}  // namespace MacRoman
