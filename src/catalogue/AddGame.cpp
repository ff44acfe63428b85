#include "catalogue/Module1.h"
#include "platform/Text.h"

#include <algorithm>

int InsertGameInNameOrder(const QString& name) {
    ++gamecount;
    GrowToSlot(games, gamecount);

    // The first earlier game whose name sorts after `name`; a namesake does
    // not stop the search.
    int slot = gamecount;
    for (int i = 1; i < gamecount; ++i) {
        if (games[i] && TextCompare(games[i]->Name, name) > 0) {
            slot = i;
            break;
        }
    }
    // Moving the records up moves every field with them, DiskOK, PicOK and
    // the flags included.
    std::rotate(games.begin() + slot, games.begin() + gamecount, games.begin() + gamecount + 1);
    games[slot] = std::make_unique<clsGame>();
    return slot;
}

QString FoundRawFileName(const QString& ext) {
    const bool keptByTheLine = TextEquals(ext, QStringLiteral(".uef")) || TextEquals(ext, QStringLiteral(".dsd"));
    return keptByTheLine ? ext : QString();
}

std::unique_ptr<clsGame> FoundGame(const QString& name, const QString& ext, const QString& publisher) {
    auto g = std::make_unique<clsGame>();
    // The folder part takes part in the ordering but not in the stored name;
    // what the line cannot hold is not stored, so the game reads back as
    // stored.
    const int folderEnd = InStr(name, QStringLiteral("/"));
    g->Name = FoundName(folderEnd > 0 ? Mid(name, folderEnd + 1) : name);
    g->Publisher = FoundPublisher(publisher);
    g->Year = QStringLiteral("19xx");
    const bool tape = TextEquals(ext, QStringLiteral(".uef"));
    g->Source = tape ? QStringLiteral("Stairway Tape") : QStringLiteral("Stairway");
    g->RawFileName = FoundRawFileName(ext);
    g->lcFlags[14] = true; // "n": new, not yet reviewed
    return g;
}

void AddGame(const QString& name, const QString& ext, const QString& publisher) {
    games[InsertGameInNameOrder(name)] = FoundGame(name, ext, publisher);
}
