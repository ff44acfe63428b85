#pragma once

#include <QString>
#include <QStringView>

// The loader's side of the four value lists (strYear, strGenre, strPub,
// strSource); CheckYear and its kin are declared in Module1.h.

// Empties the lists and gives them their start sizes again.
void ResetValueLists();
// Cuts each list to its count and sorts it, letter case ignored.
void CutAndSortValueLists();

// Check a value of the game being read, as CheckYear and its kin do, and
// return it as text; when the list holds it in the same letter case the text
// shares the list's entry, which spares a copy for every game.
QString OfferYear(QStringView value);
QString OfferGenre(QStringView value);
QString OfferPub(QStringView value);
QString OfferSource(QStringView value);
