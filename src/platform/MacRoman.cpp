#include "platform/MacRoman.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Bytes 0x80 to 0xFF; the lower half is ASCII. 0xF0, the maker's logo, is
// the private-use character U+E01E, as the C library's converters have it.
constexpr std::array<char16_t, 128> kUpper = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,  // 0x80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,  // 0x88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,  // 0x90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,  // 0x98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,  // 0xA0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,  // 0xA8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,  // 0xB0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,  // 0xB8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x0394, 0x00AB,  // 0xC0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,  // 0xC8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,  // 0xD0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,  // 0xD8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,  // 0xE0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,  // 0xE8
    0xE01E, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,  // 0xF0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,  // 0xF8
};

using Reverse = std::array<std::pair<char16_t, unsigned char>, 128>;

// The upper half by character, for a binary search when writing.
const Reverse& ByCharacter() {
    static const Reverse reverse = [] {
        Reverse r{};
        for (int i = 0; i < 128; ++i) r[i] = {kUpper[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(r.begin(), r.end());
        return r;
    }();
    return reverse;
}

char EncodeOne(char32_t c) {
    if (c < 0x80) return char(c);
    const Reverse& reverse = ByCharacter();
    const auto it = std::lower_bound(reverse.begin(), reverse.end(), c,
                                     [](const auto& entry, char32_t key) { return entry.first < key; });
    return it != reverse.end() && it->first == c ? char(it->second) : '?';
}

// Below U+0300, where the combining marks begin, no character composes with
// the one before it, so such text is already composed; nearly every line of
// a catalogue is.
bool SurelyComposed(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x300; });
}

// The marks that part the fields of our files' lines. A combining character
// after one begins the next field, so it is never composed into the mark ("<"
// and U+0338 would be "≮", and the field's mark lost).
bool IsMark(QChar c) {
    return c.unicode() < 0x80 && QLatin1StringView("()<>[]{}/,").contains(c);
}

// A character whose own composed form is several code points (U+0344 is
// U+0308 U+0301) has no Mac Roman byte, and is one "?", not one per point.
bool ComposesToSeveral(char32_t c) {
    if (QChar::decompositionTag(c) != QChar::Canonical) return false;
    const QString composed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_C);
    const auto seconds = std::count_if(composed.begin(), composed.end(),
                                       [](QChar h) { return h.isLowSurrogate(); });
    return composed.size() - seconds > 1;
}

// NFC, field by field.
QString Composed(const QString& text) {
    QString composed;
    QString field;
    const auto endField = [&composed, &field] {
        composed += field.normalized(QString::NormalizationForm_C);
        field.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (IsMark(ch)) {
            endField();
            composed += ch;
            continue;
        }
        const bool pair =
            ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(ch, text[i + 1]) : ch.unicode();
        if (ComposesToSeveral(c))
            field += QLatin1Char('?');
        else
            field += QStringView(text).mid(i, pair ? 2 : 1);
        if (pair) ++i;
    }
    endField();
    return composed;
}

}  // namespace

namespace MacRoman {

QString Decode(const char* bytes, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(b < 0x80 ? char16_t(b) : kUpper[b - 0x80]);
    }
    return text;
}

QByteArray Encode(const QString& text) {
    const QString composed = SurelyComposed(text) ? text : Composed(text);
    // One byte per code point: never more than the UTF-16 units.
    QByteArray bytes(composed.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const QChar* p = composed.constData();
    const QChar* end = p + composed.size();
    while (p < end) {
        char32_t c = p->unicode();
        // A character outside the Basic Multilingual Plane is one "?", not
        // one per half of its surrogate pair.
        if (p->isHighSurrogate() && p + 1 < end && p[1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(p[0], p[1]);
            ++p;
        }
        ++p;
        *out++ = EncodeOne(c);
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QString AsStored(const QString& text) {
    const QByteArray bytes = Encode(text);
    return Decode(bytes.constData(), bytes.size());
}

}  // namespace MacRoman
