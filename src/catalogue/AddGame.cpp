#include "catalogue/Module1.h"
#include "catalogue/RunningNameMaxima.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

void FillFoundGame(clsGame& g, const QString& name, const QString& ext, const QString& publisher) {
    // The folder part takes part in the ordering but not in the stored name.
    const int folderEnd = InStr(name, QStringLiteral("/"));
    g.Name = folderEnd > 0 ? Mid(name, folderEnd + 1) : name;
    g.Publisher = publisher;
    g.Year = QStringLiteral("19xx");
    const bool tape = TextEquals(ext, QStringLiteral(".uef"));
    g.Source = tape ? QStringLiteral("Stairway Tape") : QStringLiteral("Stairway");
    if (tape || TextEquals(ext, QStringLiteral(".dsd")))
        g.RawFileName = ext;
    g.lcFlags[14] = true; // "n": new, not yet reviewed
}

// Grows the catalogue by one empty game at `slot` (1 to gamecount + 1).
void InsertEmptyGame(int slot) {
    ++gamecount;
    GrowToSlot(games, gamecount);
    // Moving the records up moves every field with them, DiskOK, PicOK and
    // the flags included.
    std::rotate(games.begin() + slot, games.begin() + gamecount, games.begin() + gamecount + 1);
    games[slot] = std::make_unique<clsGame>();
}

}  // namespace

int InsertGameInNameOrder(const QString& name) {
    // The first game whose name sorts after `name`; a namesake does not stop
    // the search.
    int slot = gamecount + 1;
    for (int i = 1; i <= gamecount; ++i) {
        if (i <= UBound(games) && games[i] && TextCompare(games[i]->Name, name) > 0) {
            slot = i;
            break;
        }
    }
    InsertEmptyGame(slot);
    return slot;
}

void AddGame(const QString& name, const QString& ext, const QString& publisher) {
    FillFoundGame(*games[InsertGameInNameOrder(name)], name, ext, publisher);
}

void AddGame(const QString& name, const QString& ext, const QString& publisher, RunningNameMaxima& order) {
    const int slot = order.Slot(name);
    InsertEmptyGame(slot);
    FillFoundGame(*games[slot], name, ext, publisher);
    order.Inserted(slot);
}
