#pragma once

#include <functional>

enum class CursorShape { Standard, Wait, PointingHand };

// Sets the main window's mouse cursor through the installed handler; the main
// window installs one, and until then nothing happens.
void SetMainWindowCursor(CursorShape shape);

using CursorHandler = std::function<void(CursorShape)>;
// Installs the handler and returns the previous one (empty by default).
CursorHandler SetMainWindowCursorHandler(CursorHandler handler);
