#include "downloader/ArchiveIndex.h"

#include "catalogue/LoadTextFile.h"
#include "catalogue/Module1.h"
#include "catalogue/SaveTextFile.h"
#include "platform/Application.h"
#include "platform/CaseFreePath.h"
#include "platform/Cursor.h"
#include "platform/Dates.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

#include <QHash>

#include <utility>

namespace {

const QString kIndexFile = QStringLiteral("sth.idx");

// An entry's identity: zip name and type letter, letter case ignored. A pair,
// so that no two different entries can share a key.
using Key = std::pair<QString, QString>;

// The first slot of every (zip name, type) pair among slots 1..indexed.
struct Lookup {
    QHash<Key, int> first;
    int indexed = 0;
    Key lastKey;  // key of slot `indexed` when it was indexed
};

Lookup& TheLookup() {
    static Lookup lookup;
    return lookup;
}

Key KeyOf(const QString& zipName, const QString& type) {
    return {zipName.toCaseFolded(), type.toCaseFolded()};
}

Key KeyOf(const clsSTH& entry) {
    return KeyOf(entry.strFilename, entry.strType);
}

void ClearLookup() {
    Lookup& lookup = TheLookup();
    lookup.first.clear();
    lookup.indexed = 0;
    lookup.lastKey = Key();
}

// Brings the lookup up to slots 1..gSTH. Entries are only ever appended, so
// it indexes the new tail; an index that shrank or was replaced underneath is
// indexed afresh.
void CatchUp() {
    Lookup& lookup = TheLookup();
    if (lookup.indexed > gSTH || (lookup.indexed > 0 && KeyOf(STH[lookup.indexed]) != lookup.lastKey))
        ClearLookup();
    for (int slot = lookup.indexed + 1; slot <= gSTH; ++slot) {
        const Key key = KeyOf(STH[slot]);
        if (!lookup.first.contains(key)) lookup.first.insert(key, slot);
        lookup.lastKey = key;
    }
    lookup.indexed = gSTH;
}

// One line of the file: the name ends at the first comma, the type is the
// character after it unless that is the second comma, the date is everything
// after the second comma.
void ReadEntry(const QString& line) {
    const int c1 = InStr(line, QStringLiteral(","));
    const int c2 = InStr(c1 + 1, line, QStringLiteral(","));
    const QString type = c2 == c1 + 1 ? QString() : Mid(line, c1 + 1, 1);
    QDate date;
    ParseDate(Mid(line, c2 + 1), date);
    AppendSTH(Left(line, c1 - 1), type, date);
}

void StartEmpty() {
    gSTH = 0;
    ClearLookup();
}

}  // namespace

void LoadSTH() {
    SetMainWindowCursor(CursorShape::Wait);
    StartEmpty();
    const FolderItem file = AppFolder().Child(kIndexFile);
    const FileRead read = ReadTextFile(file, [](TextInputStream& in) {
        // An empty file holds no entries, so an empty index saved and
        // loaded again stays empty.
        while (!in.AtEOF()) ReadEntry(in.ReadLine());
    });
    // Half an index is not the file: go on as for a missing one.
    if (read == FileRead::Unreadable) StartEmpty();
    SetMainWindowCursor(CursorShape::Standard);
    if (read == FileRead::Unreadable) ReportUnreadable(file);
}

bool SaveSTH() {
    SetMainWindowCursor(CursorShape::Wait);
    const bool saved = SaveTextFile(AppFolder().Child(kIndexFile), [](TextOutputStream& out) {
        for (int slot = 1; slot <= gSTH; ++slot) {
            const clsSTH& entry = STH[slot];
            out.WriteLine(entry.strFilename + QStringLiteral(",") + entry.strType + QStringLiteral(",") +
                          AbbreviatedDate(entry.dDate));
        }
    }, LoadSTH);
    SetMainWindowCursor(CursorShape::Standard);
    return saved;
}

bool CheckFile(const QString& directory, const QString& relative) {
    return OpensForReading(CaseFreePath(directory, relative));
}

bool CheckFile(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return OpensForReading(path);
    return CheckFile(path.left(slash), path.mid(slash + 1));
}

int FindSTH(const QString& zipName, const QString& type) {
    CatchUp();
    return TheLookup().first.value(KeyOf(zipName, type), 0);
}

void AppendSTH(const QString& zipName, const QString& type, const QDate& date) {
    // Notices an index emptied underneath before the new tail hides it.
    CatchUp();
    GrowToSlot(STH, gSTH + 1);
    ++gSTH;
    STH[gSTH] = clsSTH{zipName, type, date};
}
