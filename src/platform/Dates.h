#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// Dates are calendar days; a time of day in the text is checked and dropped.
// Accepted, whatever the locale: "Jul 10 2006 23:01:40" (time optional),
// "Jul 10, 2006" and "2006-07-10". Month names are English, any letter case.
// On failure returns false and leaves out unchanged.
bool ParseDate(const QString& text, QDate& out);

// Seconds from 1970-01-01 to the start of the day, for ordering dates.
// An invalid date gives the smallest qint64, before every real date: compare
// these values, never subtract them.
qint64 TotalSeconds(const QDate& date);

// "Jul 10, 2006" in English whatever the locale; empty for an invalid date.
QString AbbreviatedDate(const QDate& date);
