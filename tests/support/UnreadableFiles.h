#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// Ways for a file to be there and yet not read, or read and then changed
// under the program, each made at `path` from the file's `bytes`. make()
// gives "" or, where this machine cannot make it, why. reach(), where there
// is one, makes the file readable with other bytes (the drive mounted, the
// folder unlocked) and gives the path that holds them. meddle(), where there
// is one, is what another program does to the file between a whole read and
// the next save.
struct UnreadableWay {
    const char* name;
    QString (*make)(const QString& path, const QByteArray& bytes);
    QString (*reach)(const QString& path, const QByteArray& bytes) = nullptr;
    void (*meddle)(const QString& path) = nullptr;
};
const std::vector<UnreadableWay>& UnreadableWays();

// What is at `path`, to tell whether anything changed it: a file's
// permissions and bytes, a link's target and whether it leads anywhere,
// "folder", or the kind of a special file.
std::string Snapshot(const QString& path);

// A file the program loads and saves, seen from a test.
struct LoadedFile {
    QString name;
    std::function<void()> load;
    std::function<bool()> asIfMissing;  // memory after a load that read nothing
    std::function<QString()> memory;    // what memory holds of the file
    std::function<bool()> changeAndSave;
    std::function<bool()> saveAnother;  // a save of another file, or empty
};

// For each way and file, in a folder of its own below `root` that becomes the
// application's folder: the load says "Could not read <path>" and leaves
// memory as for a missing file, or, for a way that meddles, reads the file
// whole before another program changes it. The save after a change is
// refused with its message and the file is left as it was; after a meddling,
// memory holds what a load of it gives. Another file still saves. Where the
// way can be undone, a save after that is refused still.
void ExpectUnreadableFilesHeldBack(const QString& root, QStringList& messages, const std::vector<LoadedFile>& files);
