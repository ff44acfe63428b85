#pragma once

#include "platform/FileStamp.h"
#include "platform/FolderItem.h"

#include <QString>

#include <functional>
#include <optional>

class TextOutputStream;

enum class FileSave { Saved, Failed, ChangedOnDisk };

// Rewrites a text file whole through a crash-safe stream: when it cannot be
// written the previous file stays whole and `error` says why. A file read or
// saved before in this run is written only over what that left at its path,
// or where a person deleted it; anything else there (another file, another
// state of it, a link leading nowhere, a file where none was) is left as it
// is: ChangedOnDisk, and the caller reads the file again.
FileSave WriteTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                       QString* error);
// The message box for a file that could not be saved: the file and the reason.
void ReportSaveFailure(const FolderItem& file, const QString& error);
// Both of the above, then `readAgain` when the file changed on disk.
bool SaveTextFile(const FolderItem& file, const std::function<void(TextOutputStream&)>& writeLines,
                  const std::function<void()>& readAgain);
// Refuses every later save of the file in this run: it is there but could
// not be read, so what is in memory is not what it holds.
void RefuseSaves(const FolderItem& file);
// What a whole read found at the file's path, for its later saves to check:
// the stamp of the file read, or none when nothing was there.
void RememberOnDisk(const FolderItem& file, const std::optional<FileStamp>& found);
