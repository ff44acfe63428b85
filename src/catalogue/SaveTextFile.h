#pragma once

#include "platform/FolderItem.h"

#include <QString>

#include <functional>

class TextOutputStream;

// Rewrites a text file whole through a crash-safe stream: when it cannot be
// written the previous file stays whole, the result is false and `error` says
// why.
bool WriteTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                   QString* error);
// The message box for a file that could not be saved: the file and the reason.
void ReportSaveFailure(const FolderItem& file, const QString& error);
// Both of the above.
bool SaveTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines);
// Refuses every later save of the file in this run: it is there but could
// not be read, so what is in memory is not what it holds.
void RefuseSaves(const FolderItem& file);
