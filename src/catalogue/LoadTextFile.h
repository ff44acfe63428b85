#pragma once

#include "platform/FolderItem.h"

#include <functional>

class TextInputStream;

enum class FileRead { Missing, Whole, Unreadable };

// Reads a text file that is there through `readLines`. Missing only when
// nothing at all is at its path; unreadable when something is there that
// is no regular file or could not be opened (a link leading nowhere, a
// folder that cannot be searched, a FIFO), or a read failed, ended early or
// met the file changed on the way: what `readLines` took from it then is not
// the file, and the caller goes on as for a missing one. What a whole read
// or a missing file found is remembered for the file's saves to check.
FileRead ReadTextFile(const FolderItem& file, const std::function<void(TextInputStream&)>& readLines);
// Says that the file could not be read and refuses its saves for the rest of
// the run, so that a passing read fault cannot turn into a lost file.
void ReportUnreadable(const FolderItem& file);
