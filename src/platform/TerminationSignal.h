#pragma once

#include <functional>

// Runs `handler` on the event loop when the process is asked to end (SIGTERM,
// SIGINT), so the program can close as if the user had closed its window.
void OnTerminationSignal(std::function<void()> handler);
