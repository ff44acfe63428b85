#pragma once

#include <QString>

#include <functional>

// Button answers and the box types the program uses.
constexpr int kMsgBoxOK = 1;
constexpr int kMsgBoxYes = 6;
constexpr int kMsgBoxNo = 7;
constexpr int kMsgBoxYesNoQuestion = 36;  // question icon (32) + Yes/No (4)

// Shows a modal message box and returns the button pressed: 1 OK, 6 Yes, 7 No.
// While the program is ending (Ending()), or once it was asked to end while
// the box waited, the text goes to standard error and the answer is the box's
// escape answer (No, Cancel, OK).
// The low three bits of `type` choose the buttons (4 Yes/No), the next bits
// the icon (16 stop, 32 question, 48 warning, 64 information).
int MsgBox(const QString& text, int type = 0, const QString& title = QString());

using MsgBoxHandler = std::function<int(const QString& text, int type, const QString& title)>;
// Installs the handler that MsgBox calls and returns the previous one. An
// empty handler brings back the default, which has no window: it writes the
// text to stderr and answers OK, or Yes for a box that asks.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);
