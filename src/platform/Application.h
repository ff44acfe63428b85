#pragma once

#include "platform/FolderItem.h"

#include <QString>

// The application's folder: the executable's folder unless a test set another.
QString AppFolderPath();
void SetAppFolderPath(const QString& path);
FolderItem AppFolder();

// Handles the pending user-interface events once, inside a long loop.
void DoEvents();
// True while a command runs and hands events over on its way (DoEvents, a
// modal window, a message box), false while the program waits for the next.
bool CommandRunning();
// DoEvents, when some milliseconds have passed since this last handled them:
// for loops of many cheap steps, where handling events after every step
// costs more than the steps and a person sees no difference.
void DoEventsNowAndThen();

// Runs `routine` when the application object goes, before the toolkit does
// (windows kept for the life of the program must go first).
void AtApplicationEnd(void (*routine)());
