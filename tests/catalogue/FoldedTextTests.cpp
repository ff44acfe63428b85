#include "catalogue/FoldedText.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

int Sign(int n) {
    return (n > 0) - (n < 0);
}

// The inline ASCII path must give the order and equality of Qt's own
// case-insensitive comparison, which the sorted lists were built with.
TEST(FoldedText, AgreesWithQtsCaseInsensitiveComparison) {
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
            EXPECT_EQ(Sign(FoldedCompare(a, b)), Sign(qt));
            EXPECT_EQ(FoldedEquals(a, b), qt == 0);
            if (qt == 0) {
                EXPECT_EQ(FoldedHash(a), FoldedHash(b));
            }
        }
    }
}

TEST(FoldedText, HashTellsCommonTextsApart) {
    EXPECT_NE(FoldedHash(u"Publisher 12"), FoldedHash(u"Publisher 21"));
    EXPECT_NE(FoldedHash(u""), FoldedHash(u"a"));
    EXPECT_NE(FoldedHash(u"ab"), FoldedHash(u"ab "));
}

}  // namespace
