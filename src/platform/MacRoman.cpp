#include "platform/MacRoman.h"

#include <QHash>

#include <array>
#include <iconv.h>

namespace {

// The 256 byte meanings come from iconv's "MACINTOSH" once; after that both
// directions are table look-ups.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    Tables() {
        iconv_t cd = iconv_open("UTF-16LE", "MACINTOSH");
        for (int b = 0; b < 256; ++b) {
            char in = char(b);
            unsigned char out[4] = {};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 1;
            size_t outLeft = sizeof out;
            char16_t code = b < 0x80 ? char16_t(b) : u'\uFFFD';
            if (cd != iconv_t(-1)) {
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == 2)
                    code = char16_t(out[0] | (out[1] << 8));
            }
            toUnicode[b] = code;
        }
        if (cd != iconv_t(-1)) iconv_close(cd);
        for (int b = 255; b >= 0; --b) fromUnicode.insert(toUnicode[b], char(b));
    }
};

const Tables& Get() {
    static const Tables tables;
    return tables;
}

}  // namespace

namespace MacRoman {

QString Decode(const char* bytes, qsizetype size) {
    const auto& table = Get().toUnicode;
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) out[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
    return text;
}

QByteArray Encode(const QString& text) {
    const auto& table = Get().fromUnicode;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out[i] = char(c);
        } else {
            const auto it = table.constFind(c);
            out[i] = it == table.constEnd() ? '?' : it.value();
        }
    }
    return bytes;
}

}  // namespace MacRoman
