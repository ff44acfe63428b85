#pragma once

// Makes MsgBox show real message boxes and the main window's cursor handler
// show the real wait cursor. The program calls it once at start; tests leave
// the windowless defaults in place.
void InstallWidgetHandlers();
