#pragma once

#include <functional>

// Calls EndWhenNoCommandRuns(handler) when the process is asked to end
// (SIGTERM, SIGINT, SIGHUP), so the program can close as if the user had
// closed its window. From then on a write to a pipe whose reader has gone
// (standard error into a closed terminal's `tee`) fails instead of ending
// the process before its save.
void OnTerminationSignal(std::function<void()> handler);
// The program is ending from now on (Ending()). `handler`, which ends it,
// runs on the event loop once no command runs, so that a running command
// finishes its work and its save first.
void EndWhenNoCommandRuns(std::function<void()> handler);
