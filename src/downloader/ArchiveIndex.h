#pragma once

#include <QDate>
#include <QString>

// The archive index: STH slots 1..gSTH of the shared state, kept on disk in
// "sth.idx" in the application's folder, one "zip name,type,date" line each.

// Replaces the index in memory with the file's entries; no file, no entries.
// A file that is there but cannot be read is reported, gives no entries and
// is not saved over for the rest of the run.
void LoadSTH();
// Rewrites "sth.idx" whole from slots 1..gSTH; a failed save leaves the old
// file whole, is reported in a message box naming the file and the reason,
// and gives false. One that another program changed since the load or the
// last save is left as it is and loaded again.
bool SaveSTH();
// True when `relative` names, below `directory`, an existing file that can be
// opened for reading; its parts are matched as CaseFreePath says.
bool CheckFile(const QString& directory, const QString& relative);
// The same for a full path, whose last part alone is matched that way.
bool CheckFile(const QString& path);

// Slot of the first entry with that zip name (letter case ignored) and type
// letter; 0 when there is none. Answers from a lookup that LoadSTH and
// AppendSTH keep, so that a scan costs the same whatever the index's size.
int FindSTH(const QString& zipName, const QString& type);
// Stores a new entry at slot gSTH + 1, growing STH when it is full.
void AppendSTH(const QString& zipName, const QString& type, const QDate& date);
