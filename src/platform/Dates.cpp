#include "platform/Dates.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <limits>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

const char* const kMonths[12] = {"january",   "february", "march",    "april",
                                 "may",       "june",     "july",     "august",
                                 "september", "october",  "november", "december"};

// 1 to 12 for an English month name or its three-letter abbreviation, else 0.
int MonthNumber(const QString& name) {
    const QString lower = name.toLower();
    for (int i = 0; i < 12; ++i) {
        const QString full = QLatin1String(kMonths[i]);
        if (lower == full || lower == full.left(3))
            return i + 1;
    }
    return 0;
}

bool ValidTime(const QString& text) {
    if (text.isEmpty())
        return true;
    return QTime::fromString(text, QStringLiteral("H:mm:ss")).isValid() ||
           QTime::fromString(text, QStringLiteral("H:mm")).isValid();
}

bool Store(int year, int month, int day, const QString& time, QDate& out) {
    const QDate date(year, month, day);
    if (!date.isValid() || !ValidTime(time))
        return false;
    out = date;
    return true;
}

} // namespace

bool ParseDate(const QString& text, QDate& out) {
    const QString simple = text.simplified();

    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[T ](\\d{1,2}:\\d{2}(?::\\d{2})?))?$"));
    QRegularExpressionMatch m = iso.match(simple);
    if (m.hasMatch())
        return Store(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                     m.captured(4), out);

    static const QRegularExpression named(QStringLiteral(
        "^([A-Za-z]+)\\.? (\\d{1,2}),? (\\d{4})(?: (\\d{1,2}:\\d{2}(?::\\d{2})?))?$"));
    m = named.match(simple);
    if (!m.hasMatch())
        return false;
    const int month = MonthNumber(m.captured(1));
    if (month == 0)
        return false;
    return Store(m.captured(3).toInt(), month, m.captured(2).toInt(), m.captured(4), out);
}

qint64 TotalSeconds(const QDate& date) {
    if (!date.isValid())
        return std::numeric_limits<qint64>::min();
    static const qint64 epochDay = QDate(1970, 1, 1).toJulianDay();
    return (date.toJulianDay() - epochDay) * kSecondsPerDay;
}

QString AbbreviatedDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    return QLocale::c().toString(date, QStringLiteral("MMM d, yyyy"));
}
