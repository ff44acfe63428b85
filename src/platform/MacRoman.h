#pragma once

#include <QByteArray>
#include <QString>

// Mac Roman, the encoding of every text file the program reads or writes.
// Each byte is one character, so positions agree in memory and on disk.
namespace MacRoman {

QString Decode(const char* bytes, qsizetype size);
// The text is composed first (NFC), so a letter followed by a combining
// accent is the one accented byte; each field between the marks of a line
// ("<", ">", ",", ...) is composed on its own. A character that Mac Roman
// cannot hold becomes one "?", even outside the Basic Multilingual Plane or
// where its composed form is several code points.
QByteArray Encode(const QString& text);
// The text as a file holds it: encoded, then read back.
QString AsStored(const QString& text);

}  // namespace MacRoman
