#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// A zip archive whose members are stored uncompressed: enough for unzip.
QByteArray StoredZip(const QList<QPair<QByteArray, QByteArray>>& members);
