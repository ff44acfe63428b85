#pragma once

#include <QString>

// True only when nothing is at the path: not a file, not a folder, not even a
// link, which may lead somewhere not there yet (a folder not yet mounted). A
// folder on the way that cannot be searched, a loop of links or any other
// failure to look leaves the question open, so the answer is false.
bool PathAbsent(const QString& path);
