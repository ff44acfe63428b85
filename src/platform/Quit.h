#pragma once

#include <functional>

// Ends the application's event loop with `status` as the exit code. The main
// window's Close is the one caller.
void Quit(int status = 0);

// True once the program is ending: asked to end, or its event loop left. A
// message box might then never be seen, so MsgBox writes to standard error.
bool Ending();
// Tests, which go on after an end, set it back.
void SetEnding(bool ending);

using QuitHandler = std::function<void(int status)>;
// Installs the handler that Quit calls and returns the previous one; an empty
// handler brings back the default, which leaves the event loop.
QuitHandler SetQuitHandler(QuitHandler handler);
