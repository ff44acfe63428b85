#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Text functions with positions counted from 1. None of them reads outside
// its text: a negative length gives "", a start past the end gives "", and a
// start below 1 counts as 1.

// Position of the first `find` in `s` at or after `start`, letter case
// ignored; 0 when there is none. An empty `find` is found at `start` itself
// when that lies within the text (so never in the empty text).
int InStr(const QString& s, const QString& find);
int InStr(int start, const QString& s, const QString& find);

QString Left(const QString& s, int n);
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int len);
QString Right(const QString& s, int n);
int Len(const QString& s);

// Code of the first character; 0 for the empty text.
int Asc(const QString& s);
// The one character with that code; "" for a code outside 0..65535.
QString Chr(int code);
QString Str(qint64 n);

// The number at the start of the text (blanks before it allowed; sign,
// digits, fraction), 0 when the text does not start with one.
double Val(const QString& s);
// Whole part of a number stored into an integer: truncated toward zero,
// clamped to the int range; NaN gives 0.
int IntegerPart(double d);

QString Uppercase(const QString& s);

// Equality and order that ignore letter case, with the results of QString's
// case-insensitive comparison; worked out inline for ASCII, which is nearly
// every character of a catalogue.
bool TextEquals(QStringView a, QStringView b);
// -1, 0 or 1 as `a` sorts before, with or after `b`.
int TextCompare(QStringView a, QStringView b);
// Equal for every two texts that TextEquals finds equal.
quint64 TextHash(QStringView text);
// The same for every two names equal but for letter case and Unicode
// composition: files copied from a Mac carry decomposed names.
QString CaseFreeKey(const QString& name);

int BitAnd(int a, int b);
int BitXor(int a, int b);

// Numbers in the text are ASCII digits only, whatever other scripts count
// as digits.
inline bool IsAsciiDigit(QChar ch) {
    return ch.unicode() >= u'0' && ch.unicode() <= u'9';
}

// Only the ASCII digits and letters: the file-name and picture-name rules
// drop every other character, accented Mac Roman letters included.
// Inline: the file-name rule asks it of every character of every game.
inline bool IsAsciiAlnum(QChar ch) {
    const char16_t c = ch.unicode();
    return IsAsciiDigit(ch) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// One UTF-16 unit with its letter case folded, for hashing and searching text
// with case ignored; inline, since they fold every character they look at.
inline char16_t FoldCase(char16_t c) {
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}
