#pragma once

#include "catalogue/clsGame.h"
#include "catalogue/clsSTH.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

// The program's shared state. Every array is used from slot 1; slot 0 exists
// and is never used. The start sizes are not limits: an array grows when a
// load or an insertion needs a slot beyond its end.

extern std::vector<std::unique_ptr<clsGame>> games;  // slots 1..gamecount
extern int gamecount;
extern std::vector<QString> strPub;  // slots 1..gPub after a load, sorted
extern std::vector<QString> strYear;
extern std::vector<QString> strGenre;
extern std::vector<QString> strSource;
extern int gPub;
extern int gYear;
extern int gGenre;
extern int gSource;
extern int gSame;  // length of the current run of "s" games while loading
extern int gEdit;  // the editor's game slot; 0 for a new game
extern bool gAction;  // true: the editor edits games[gEdit]; false: adds
extern QString strProgDir;
extern QString strGameDir;
extern QString strTapeDir;
extern int gHighlight;
extern int gFilter;
extern int gRow;
extern std::vector<clsSTH> STH;  // slots 1..gSTH
extern int gSTH;

constexpr int kGamesCapacity = 10000;
constexpr int kPubCapacity = 1000;
constexpr int kListCapacity = 100;  // years, genres, sources
constexpr int kSTHCapacity = 10000;

// The highest slot of an array.
template <class T>
int UBound(const std::vector<T>& array) {
    return int(array.size()) - 1;
}

// Makes sure `slot` exists, growing the array (at least doubling it) when it
// does not; what it held stays.
template <class T>
void GrowToSlot(std::vector<T>& array, int slot) {
    if (slot < int(array.size())) return;
    array.resize(std::max<size_t>(size_t(slot) + 1, array.size() * 2));
}

// Creates the arrays with their start sizes, all slots empty.
void CreateSharedArrays();

// The catalogue file "corvale.txt" and the settings file "corvale.ini", both
// in the application's folder.
QString CatalogueFileName();
QString SettingsFileName();

// Loads the catalogue, then the settings.
void Init();
// Rebuilds games, gamecount, gSame and the four value lists from the file.
void LoadGames();
// Rewrites the catalogue file from slots 1..gamecount. On failure the previous
// file stays whole, a message names the file and the reason, and the result is
// false. A file that another program changed since it was read is left as it
// is; the callers read it again (LoadGames).
bool SaveGames();

// Adds the value to its list unless an entry equal to it (letter case
// ignored) is already there.
void CheckYear(const QString& value);
void CheckGenre(const QString& value);
void CheckPub(const QString& value);
void CheckSource(const QString& value);

// Reads one catalogue line into a new game at slot gamecount + 1.
void ParseGame(const QString& line);
// The catalogue line of games[i], as LineOf.
QString BuildGame(int i);
// The catalogue line of a game; brings its flags "D", "d", "P" and "p" into
// line with DiskOK and PicOK first.
QString LineOf(clsGame& g);
// The game's stored texts as a reload would read them back from its line
// (cut at a line end, as the file is); the other fields empty.
clsGame ReadBack(const clsGame& g);
// The file-name stem of a text.
QString Strip(const QString& s);

// The part of a name found on disk that a line holds as a name: up to its
// first "(" or line end, without the blanks before it.
QString FoundName(const QString& base);
// A folder's name as a line holds it as a publisher: cut as FoundName, and
// at a ")" too.
QString FoundPublisher(const QString& folder);
// An entry of a sub-folder split at its last "." into the base and the
// extension that AddGame is given; false for an entry that the directory
// audit passes over (a ".txt" file, an empty base).
bool SplitFoundEntry(const QString& entry, QString& base, QString& ext);
// The added path of an entry of a sub-folder, the DisplayFilename that the
// game AddGame adds for it gets at the reload, is the sub-folder's added
// folder, "/" and the entry's added file name; that is "" for an entry that
// the audit passes over.
QString AddedFolder(const QString& subFolder);
QString AddedFileName(const QString& entry);

void LoadIni();
// Rewrites the settings file; false, after a message, when that failed. A
// file that another program changed since it was read is left as it is and
// read again.
bool SaveIni();

// Grows the catalogue by one empty game placed before the first game whose
// name sorts after `name` (at the end when none does); returns its slot.
int InsertGameInNameOrder(const QString& name);
// The raw file name AddGame gives a game found with the extension `ext`.
QString FoundRawFileName(const QString& ext);
// The new game for an image found on disk, not yet in the catalogue.
std::unique_ptr<clsGame> FoundGame(const QString& name, const QString& ext, const QString& publisher);
// Inserts a game found on disk among games 1..gamecount in name order.
void AddGame(const QString& name, const QString& ext, const QString& publisher);
