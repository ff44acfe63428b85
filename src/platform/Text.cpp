#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Zero-based offset for a 1-based start; starts below 1 count as 1.
qsizetype Offset(int start) {
    return start < 1 ? 0 : qsizetype(start) - 1;
}

}  // namespace

int InStr(const QString& s, const QString& find) {
    return InStr(1, s, find);
}

int InStr(int start, const QString& s, const QString& find) {
    const qsizetype from = Offset(start);
    if (from >= s.size()) return 0;
    if (find.isEmpty()) return int(from) + 1;
    const qsizetype at = s.indexOf(find, from, Qt::CaseInsensitive);
    return at < 0 ? 0 : int(at) + 1;
}

QString Left(const QString& s, int n) {
    return n <= 0 ? QString() : s.left(n);
}

QString Mid(const QString& s, int start) {
    const qsizetype from = Offset(start);
    return from >= s.size() ? QString() : s.mid(from);
}

QString Mid(const QString& s, int start, int len) {
    const qsizetype from = Offset(start);
    if (len <= 0 || from >= s.size()) return QString();
    return s.mid(from, len);
}

QString Right(const QString& s, int n) {
    return n <= 0 ? QString() : s.right(n);
}

int Len(const QString& s) {
    return int(s.size());
}

int Asc(const QString& s) {
    return s.isEmpty() ? 0 : s.at(0).unicode();
}

QString Chr(int code) {
    if (code < 0 || code > 0xFFFF) return QString();
    return QString(QChar(char16_t(code)));
}

QString Str(qint64 n) {
    return QString::number(n);
}

double Val(const QString& s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && (s.at(i) == QLatin1Char(' ') || s.at(i) == QLatin1Char('\t'))) ++i;
    const qsizetype begin = i;
    if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) ++i;
    qsizetype digits = 0;
    while (i < n && IsAsciiDigit(s.at(i))) { ++i; ++digits; }
    if (i < n && s.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && IsAsciiDigit(s.at(i))) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    // QString's conversion is locale-independent, unlike strtod.
    return s.mid(begin, i - begin).toDouble();
}

int IntegerPart(double d) {
    if (std::isnan(d)) return 0;
    if (d >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (d <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(d);
}

QString Uppercase(const QString& s) {
    return s.toUpper();
}

bool TextEquals(QStringView a, QStringView b) {
    // Case folding keeps the length of UTF-16 text, so a length check is safe.
    return a.size() == b.size() && TextCompare(a, b) == 0;
}

int TextCompare(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = a[i].unicode();
        const char16_t cb = b[i].unicode();
        // Beyond ASCII, Qt's own folding decides.
        if (ca >= 0x80 || cb >= 0x80) {
            const int c = a.compare(b, Qt::CaseInsensitive);
            return (c > 0) - (c < 0);
        }
        const int diff = FoldCase(ca) - FoldCase(cb);
        if (diff != 0)
            return (diff > 0) - (diff < 0);
    }
    return (a.size() > b.size()) - (a.size() < b.size());
}

quint64 TextHash(QStringView text) {
    quint64 h = 14695981039346656037ull; // FNV-1a
    for (const QChar ch : text) {
        // Qt folds the two halves of a pair as one character, so they are
        // left out rather than folded apart.
        if (ch.isSurrogate())
            continue;
        h = (h ^ FoldCase(ch.unicode())) * 1099511628211ull;
    }
    return h;
}

QString CaseFreeKey(const QString& name) {
    const bool ascii = std::all_of(name.begin(), name.end(), [](QChar ch) { return ch.unicode() < 0x80; });
    if (ascii) return name.toLower();
    // Folding can bring back marks that decomposition moved apart.
    return name.normalized(QString::NormalizationForm_D)
        .toCaseFolded()
        .normalized(QString::NormalizationForm_D);
}

int BitAnd(int a, int b) {
    return a & b;
}

int BitXor(int a, int b) {
    return a ^ b;
}
