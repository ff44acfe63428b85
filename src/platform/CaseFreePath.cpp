#include "platform/CaseFreePath.h"

#include "platform/FolderItem.h"

#include <QFileInfo>

#include <unordered_map>

namespace {

// Past this many folders the kept listings are dropped together, so folders
// looked in once do not pile up over a long session.
constexpr std::size_t kKeptFolders = 4096;

// Each folder keeps its listing while it is unchanged, so an audit that
// misses thousands of games lists each folder once. Only the user-interface
// thread looks up paths.
const FolderItem& Folder(const QString& path) {
    static std::unordered_map<QString, FolderItem> folders;
    if (folders.size() >= kKeptFolders && folders.count(path) == 0) folders.clear();
    return folders.try_emplace(path, path).first->second;
}

// folder + "/" + the entry that `name` stands for, or "" when there is none.
// The listing answers for existence, so only a part that leads further, and
// must be a folder, costs a look at the disk.
QString Step(const QString& folder, const QString& name, bool last) {
    QStringList entries = Folder(folder).NamesIgnoringCase(name);
    const qsizetype exact = entries.indexOf(name);
    if (exact > 0) entries.move(exact, 0);
    for (const QString& entry : entries) {
        const QString path = folder + QLatin1Char('/') + entry;
        if (last || QFileInfo(path).isDir()) return path;
    }
    return QString();
}

}  // namespace

QString CaseFreePath(const QString& base, const QString& relative) {
    const QString exact = base + QLatin1Char('/') + relative;
    if (QFileInfo::exists(exact)) return exact;
    const QStringList parts = relative.split(QLatin1Char('/'));
    QString path = base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        path = Step(path, parts.at(i), i + 1 == parts.size());
        if (path.isEmpty()) return exact;
    }
    return path;
}
