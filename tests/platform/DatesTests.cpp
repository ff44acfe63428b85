#include "platform/Dates.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ParseCase {
    const char* text;
    QDate expected; // invalid: must be refused
};

const ParseCase kParseCases[] = {
    {"Jul 10 2006 23:01:40", QDate(2006, 7, 10)},
    {"Jul 10, 2006", QDate(2006, 7, 10)},
    {"2006-07-10", QDate(2006, 7, 10)},
    // As cut from a listing line: padded day, trailing blank, no seconds.
    {"Jan  5 1999 07:03 ", QDate(1999, 1, 5)},
    {"  dec 31, 1983", QDate(1983, 12, 31)},
    {"SEP 1 2001 00:00:00", QDate(2001, 9, 1)},
    {"February 29, 2004", QDate(2004, 2, 29)},
    {"2004-2-9", QDate(2004, 2, 9)},
    {"", QDate()},
    {"   ", QDate()},
    {"garbage", QDate()},
    {"Jul 10", QDate()},
    {"Jul 2006", QDate()},
    {"Jux 10 2006", QDate()},
    {"Feb 29 2006", QDate()},
    {"Apr 31, 2006", QDate()},
    {"2006-13-01", QDate()},
    {"2006-07-10x", QDate()},
    {"Jul 10 2006 25:00:00", QDate()},
    {"Jul 10 2006 12:61", QDate()},
    {"Jul 10 2006 23:01:40 extra", QDate()},
    {"10/07/2006", QDate()},
};

TEST(Dates, ParseDateAcceptsTheThreeFormsOnly) {
    for (const ParseCase& c : kParseCases) {
        const QDate sentinel(1900, 1, 1);
        QDate out = sentinel;
        EXPECT_EQ(ParseDate(QString::fromLatin1(c.text), out), c.expected.isValid())
            << '"' << c.text << '"';
        // A refused text leaves the old date alone.
        EXPECT_EQ(out, c.expected.isValid() ? c.expected : sentinel) << '"' << c.text << '"';
    }
}

TEST(Dates, AbbreviatedDateReadsBackWhateverTheLocale) {
    const QLocale saved;
    const QLocale::Language languages[] = {QLocale::English, QLocale::German, QLocale::French,
                                           QLocale::Japanese};
    for (const QLocale::Language language : languages) {
        QLocale::setDefault(QLocale(language));
        EXPECT_EQ(AbbreviatedDate(QDate(2006, 7, 10)), QStringLiteral("Jul 10, 2006"));
        EXPECT_EQ(AbbreviatedDate(QDate(1984, 3, 5)), QStringLiteral("Mar 5, 1984"));
        for (const QDate& date : {QDate(1981, 1, 1), QDate(1999, 5, 31), QDate(2024, 12, 9)}) {
            QDate back;
            EXPECT_TRUE(ParseDate(AbbreviatedDate(date), back)) << language;
            EXPECT_EQ(back, date) << language;
        }
        QDate parsed;
        EXPECT_TRUE(ParseDate(QStringLiteral("Oct 3 2006 12:00:00"), parsed)) << language;
        EXPECT_EQ(parsed, QDate(2006, 10, 3));
    }
    QLocale::setDefault(saved);
    EXPECT_EQ(AbbreviatedDate(QDate()), QString());
}

TEST(Dates, TotalSecondsOrdersByDay) {
    EXPECT_EQ(TotalSeconds(QDate(1970, 1, 1)), 0);
    EXPECT_EQ(TotalSeconds(QDate(2006, 7, 11)) - TotalSeconds(QDate(2006, 7, 10)), 86400);
    EXPECT_LT(TotalSeconds(QDate(2005, 12, 31)), TotalSeconds(QDate(2006, 1, 1)));
    EXPECT_LT(TotalSeconds(QDate(1969, 12, 31)), 0);

    // The time of day is dropped, so the same day is never newer.
    QDate morning;
    QDate evening;
    ASSERT_TRUE(ParseDate(QStringLiteral("Jul 10 2006 00:00:01"), morning));
    ASSERT_TRUE(ParseDate(QStringLiteral("Jul 10 2006 23:59:59"), evening));
    EXPECT_EQ(TotalSeconds(morning), TotalSeconds(evening));

    EXPECT_EQ(TotalSeconds(QDate()), std::numeric_limits<qint64>::min());
    EXPECT_LT(TotalSeconds(QDate()), TotalSeconds(QDate(1, 1, 1)));
}

} // namespace
