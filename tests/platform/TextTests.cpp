#include "platform/Text.h"
#include "platform/TextSearch.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct InStrCase {
    int start;
    const char* s;
    const char* find;
    int expected;
};

TEST(Text, InStrCountsFromOneIgnoresCaseAndStaysInside) {
    const InStrCase cases[] = {
        {1, "Hello", "l", 3},      {1, "Hello", "LL", 3},  {4, "Hello", "l", 4},   {5, "Hello", "l", 0},
        {1, "Hello", "x", 0},      {6, "Hello", "o", 0},   {99, "Hello", "o", 0},  {0, "Hello", "h", 1},
        {-5, "Hello", "H", 1},     {1, "Hello", "Hello!", 0},
        // An empty search text is found where the search starts, inside the text only.
        {1, "abc", "", 1},         {3, "abc", "", 3},      {4, "abc", "", 0},      {1, "", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InStr(c.start, QString::fromUtf8(c.s), QString::fromUtf8(c.find)), c.expected)
            << c.start << " '" << c.s << "' '" << c.find << "'";
    EXPECT_EQ(InStr(QStringLiteral("Lunar Docks, The"), QStringLiteral(",")), 12);
    EXPECT_EQ(InStr(QStringLiteral("caf\u00C9"), QStringLiteral("\u00E9")), 4);
}

TEST(Text, CuttingNeverReadsOutsideTheText) {
    const QString s = QStringLiteral("abcdef");
    struct Case {
        QString got;
        const char* expected;
    } cases[] = {
        {Left(s, 2), "ab"},       {Left(s, 0), ""},        {Left(s, -1), ""},       {Left(s, 99), "abcdef"},
        {Right(s, 2), "ef"},      {Right(s, -3), ""},      {Right(s, 99), "abcdef"},
        {Mid(s, 3), "cdef"},      {Mid(s, 6), "f"},        {Mid(s, 7), ""},         {Mid(s, 99), ""},
        {Mid(s, 0), "abcdef"},    {Mid(s, 2, 3), "bcd"},   {Mid(s, 5, 99), "ef"},   {Mid(s, 2, 0), ""},
        {Mid(s, 2, -4), ""},      {Mid(s, 7, 1), ""},      {Mid(QString(), 1, 1), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, QString::fromUtf8(c.expected));
    EXPECT_EQ(Len(s), 6);
    EXPECT_EQ(Len(QString()), 0);
}

TEST(Text, CharacterCodes) {
    EXPECT_EQ(Asc(QString()), 0);
    EXPECT_EQ(Asc(QStringLiteral("Ab")), 65);
    EXPECT_EQ(Asc(QStringLiteral("\u00E9")), 0xE9);
    EXPECT_EQ(Chr(97), QStringLiteral("a"));
    EXPECT_EQ(Chr(0x20AC), QStringLiteral("\u20AC"));
    EXPECT_EQ(Chr(-1), QString());
    EXPECT_EQ(Chr(0x10000), QString());
    EXPECT_EQ(Str(0), QStringLiteral("0"));
    EXPECT_EQ(Str(-42), QStringLiteral("-42"));
    EXPECT_EQ(Str(std::numeric_limits<qint64>::max()), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(Uppercase(QStringLiteral("abc\u00E9")), QStringLiteral("ABC\u00C9"));
}

TEST(Text, ValReadsTheNumberAtTheStart) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12", 12},    {"  12abc", 12}, {"\t7", 7},    {"abc", 0},     {"", 0},       {"-3.5", -3.5},
        {"+7", 7},     {".5", 0.5},     {"5.", 5},     {"1e3", 1},     {"2E-1x", 2},    {"1e", 1},
        {"1e+", 1},    {"- 5", 0},      {".", 0},      {"-", 0},       {"12 34", 12},  {"0x1F", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(Text, IntegerPartTruncatesAndClamps) {
    const int maxInt = std::numeric_limits<int>::max();
    const int minInt = std::numeric_limits<int>::min();
    const struct {
        double value;
        int expected;
    } cases[] = {
        {2.9, 2}, {-2.9, -2}, {0.4, 0}, {1e20, maxInt}, {-1e20, minInt}, {2147483647.0, maxInt},
        {std::nan(""), 0}, {INFINITY, maxInt}, {-INFINITY, minInt},
    };
    for (const auto& c : cases) EXPECT_EQ(IntegerPart(c.value), c.expected) << c.value;
    EXPECT_EQ(IntegerPart(Val(QStringLiteral("99999999999999999999"))), maxInt);
}

TEST(Text, ComparisonsIgnoreLetterCase) {
    EXPECT_TRUE(TextEquals(QStringLiteral("Orbit Soft"), QStringLiteral("ORBIT soft")));
    EXPECT_TRUE(TextEquals(QStringLiteral("\u00C9t\u00E9"), QStringLiteral("\u00E9T\u00C9")));
    EXPECT_FALSE(TextEquals(QStringLiteral("Orbit"), QStringLiteral("Orbit ")));
    EXPECT_EQ(TextCompare(QStringLiteral("apple"), QStringLiteral("Banana")), -1);
    EXPECT_EQ(TextCompare(QStringLiteral("Banana"), QStringLiteral("apple")), 1);
    EXPECT_EQ(TextCompare(QStringLiteral("ZAP"), QStringLiteral("zap")), 0);
    EXPECT_EQ(TextCompare(QString(), QStringLiteral("a")), -1);
}

TEST(Text, BitsAndAsciiLettersAndDigits) {
    EXPECT_EQ(BitAnd(0b1101, 0b0110), 0b0100);
    EXPECT_EQ(BitXor(0b1101, 0b0110), 0b1011);
    for (const QChar c : QStringLiteral("09azAZ")) EXPECT_TRUE(IsAsciiAlnum(c)) << c.unicode();
    for (const QChar c : QStringLiteral("/:@[`{-. \u00E9\u00C5\u0660")) EXPECT_FALSE(IsAsciiAlnum(c)) << c.unicode();
}

// The prepared search finds exactly what InStr finds: repeats within the
// pattern, the pattern at either end of a text or longer than it, accented
// letters in either case, and characters that share their low byte with a
// letter (U+2264 with "d").
TEST(TextSearch, FindsWhatInStrFinds) {
    const QStringList texts = {
        QStringLiteral("aaab (1984) (Acornsoft)<Arcade>{DfP}"),
        QStringLiteral("Cr\u00E8me Br\u00FBl\u00E9e (1985) (Superior)"),
        QStringLiteral("\u2264d\u2264 Sums (1986) (\u03A9 Soft)"),
        QStringLiteral("\u00C9LAN \u0152UVRE (1987) (Micro Power)<Puzzle>{n}"),
        QStringLiteral("ab (1988) (Acornsoft)"),
        QString(),
    };
    const QStringList patterns = {
        "a", "B", "aab", "AAAB", "aaab (", "ab (1", "Acornsoft)", "{dfp}", "}", ")",
        QStringLiteral("CR\u00C8ME"), QStringLiteral("br\u00DBl\u00C9E"), QStringLiteral("\u00E9lan \u0153"),
        QStringLiteral("\u2264D"), QStringLiteral("d\u2264 s"), QStringLiteral("\u2264d\u2264 sums (1986) (\u03C9"),
        QStringLiteral("\u00C8ME"), QStringLiteral("\u00FBL\u00C9e ("), QStringLiteral("\u2264 s"),
        "dd", "ba", "(1989)", "aaab (1984) (Acornsoft)<Arcade>{DfP}!", "  ", QString(),
    };
    for (const QString& pattern : patterns) {
        const TextSearch search(pattern);
        for (const QString& text : texts)
            EXPECT_EQ(search.FoundIn(text), InStr(text, pattern) > 0)
                << pattern.toStdString() << " in " << text.toStdString();
    }
}

int Sign(int n) {
    return (n > 0) - (n < 0);
}

// The inline ASCII path must give the order and equality of Qt's own
// case-insensitive comparison, which the sorted lists were built with.
TEST(TextCompare, AgreesWithQtsCaseInsensitiveComparison) {
    const char* const texts[] = {"", "a", "A", "ab", "aB", "Ab", "b", "abc", "Z", "_", "[", "`", "@", "zz",
                                 "Orbit Soft", "orbit soft", "ORBIT SOFTWARE", "Orbit Soft!", "1984", "19xx",
                                 "\u00C9p\u00E9e", "\u00E9P\u00C9E", "Ep\u00E9e", "\u00C4lan", "Acme",
                                 "\u0131", "I", "i", "\U00010400", "\U00010428", "\U00010400a"};
    for (const char* x : texts) {
        for (const char* y : texts) {
            const QString a = QString::fromUtf8(x);
            const QString b = QString::fromUtf8(y);
            SCOPED_TRACE(x + std::string(" / ") + y);
            const int qt = a.compare(b, Qt::CaseInsensitive);
            EXPECT_EQ(Sign(TextCompare(a, b)), Sign(qt));
            EXPECT_EQ(TextEquals(a, b), qt == 0);
            if (qt == 0) {
                EXPECT_EQ(TextHash(a), TextHash(b));
            }
            // Name-order insertion finds its slot by binary search, which
            // agrees with the walk only over a consistent order.
            EXPECT_EQ(TextCompare(a, b), -TextCompare(b, a));
            for (const char* z : texts) {
                if (TextCompare(a, b) <= 0 && TextCompare(b, QString::fromUtf8(z)) <= 0) {
                    EXPECT_LE(TextCompare(a, QString::fromUtf8(z)), 0) << z;
                }
            }
        }
    }
}

TEST(TextCompare, HashTellsCommonTextsApart) {
    EXPECT_NE(TextHash(u"Publisher 12"), TextHash(u"Publisher 21"));
    EXPECT_NE(TextHash(u""), TextHash(u"a"));
    EXPECT_NE(TextHash(u"ab"), TextHash(u"ab "));
}

}  // namespace
