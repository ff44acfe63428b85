#pragma once

#include "platform/FolderItem.h"

#include <QString>

#include <functional>

// A kind of file for the open-file chooser; Extensions is like ".app" (several
// separated by ";").
struct FileType {
    QString Name;
    QString Extensions;
};

// The folder chooser; an invalid item when cancelled.
FolderItem SelectFolder();
// The open-file chooser limited to `type`; an invalid item when cancelled.
FolderItem GetOpenFolderItem(const FileType& type);
// What the open-file chooser lists for `type`: folders (to walk through),
// items whose name ends in one of its extensions (letter case ignored) and,
// since programs here seldom carry an extension, executable files.
bool ChooserOffers(const FileType& type, const QString& path);

using SelectFolderHook = std::function<FolderItem()>;
using GetOpenFolderItemHook = std::function<FolderItem(const FileType& type)>;
// Each installs the hook that the chooser calls in place of its dialog and
// returns the previous one; empty = the real dialog.
SelectFolderHook SetSelectFolderHook(SelectFolderHook hook);
GetOpenFolderItemHook SetGetOpenFolderItemHook(GetOpenFolderItemHook hook);
