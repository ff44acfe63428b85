#pragma once

#include "platform/TextInputStream.h"

#include <QString>

// The baselines' work: every line of the file read and decoded, nothing done
// with it. The number of characters read, so that nothing is optimised away.
inline qsizetype ReadEveryLine(const QString& path) {
    auto in = TextInputStream::Open(path);
    qsizetype chars = 0;
    if (!in) return chars;
    do {
        chars += in->ReadLine().size();
    } while (!in->AtEOF());
    return chars;
}
