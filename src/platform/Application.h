#pragma once

#include "platform/FolderItem.h"

#include <QString>

// The application's folder: the executable's folder unless a test set another.
QString AppFolderPath();
void SetAppFolderPath(const QString& path);
FolderItem AppFolder();

// Handles the pending user-interface events once, inside a long loop.
void DoEvents();
