#pragma once

#include <functional>

// Ends the application's event loop with `status` as the exit code. The main
// window's Close is the one caller.
void Quit(int status = 0);

// True once the program is ending: asked to end, or its event loop left. A
// message box might then never be seen, so MsgBox writes to standard error.
bool Ending();
// Tests, which go on after an end, set it back. Setting it gives up every
// wait for a person (WaitForPerson), the latest first.
void SetEnding(bool ending);

// Lives while the program waits for a person: a message box, a chooser or a
// window shown modally. Asked to end, no one may be there to answer (a logout
// sends SIGKILL soon after), so `giveUp` is called to end the wait as its
// Escape or Cancel would.
class WaitForPerson {
public:
    explicit WaitForPerson(std::function<void()> giveUp);
    ~WaitForPerson();
    WaitForPerson(const WaitForPerson&) = delete;
    WaitForPerson& operator=(const WaitForPerson&) = delete;

private:
    unsigned long long key_;
};

using QuitHandler = std::function<void(int status)>;
// Installs the handler that Quit calls and returns the previous one; an empty
// handler brings back the default, which leaves the event loop.
QuitHandler SetQuitHandler(QuitHandler handler);
