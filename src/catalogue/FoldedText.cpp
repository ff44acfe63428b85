#include "catalogue/FoldedText.h"

#include <algorithm>

namespace {

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

}  // namespace

int FoldedCompare(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = a[i].unicode();
        const char16_t cb = b[i].unicode();
        // Beyond ASCII, Qt's own folding decides.
        if (ca >= 0x80 || cb >= 0x80) return a.compare(b, Qt::CaseInsensitive);
        if (const int diff = FoldAscii(ca) - FoldAscii(cb)) return diff;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool FoldedEquals(QStringView a, QStringView b) {
    // Folding keeps the length of UTF-16 text.
    return a.size() == b.size() && FoldedCompare(a, b) == 0;
}

quint64 FoldedHash(QStringView text) {
    quint64 h = 14695981039346656037ull;  // FNV-1a
    for (const QChar ch : text) {
        // Qt folds the two halves of a pair as one character, so they are
        // left out rather than folded apart.
        if (ch.isSurrogate()) continue;
        const char16_t c = ch.unicode();
        h = (h ^ (c < 0x80 ? FoldAscii(c) : ch.toCaseFolded().unicode())) * 1099511628211ull;
    }
    return h;
}
