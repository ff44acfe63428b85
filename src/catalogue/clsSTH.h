#pragma once

#include <QDate>
#include <QString>

// One entry of the archive index.
struct clsSTH {
    QString strFilename;
    QString strType;  // "D" disc or "T" tape
    QDate dDate;      // null when unknown
};
