#pragma once

#include <QStringView>
#include <QtGlobal>

// Comparisons that ignore letter case with the results of QString's own
// case-insensitive comparison, worked out inline for ASCII, which is nearly
// every character of a catalogue; Qt compares the rest.

// Below, equal to or above zero as `a` sorts before, with or after `b`.
int FoldedCompare(QStringView a, QStringView b);
bool FoldedEquals(QStringView a, QStringView b);
// Equal for every two texts that FoldedEquals finds equal.
quint64 FoldedHash(QStringView text);
