#include "platform/CaseFreePath.h"

#include "platform/FolderItem.h"
#include "platform/Text.h"

#include <QFileInfo>

#include <unordered_map>
#include <utility>

namespace {

// Past this many folders the kept listings are dropped together, so folders
// looked in once do not pile up over a long session.
constexpr std::size_t kKeptFolders = 4096;

DerivedNames derived;

std::unordered_map<QString, FolderItem>& Folders() {
    static std::unordered_map<QString, FolderItem> folders;
    return folders;
}

// Each folder keeps its listing, and the keys worked out from it, while it is
// unchanged, so an audit that misses thousands of games lists each folder
// once. Only the user-interface thread looks up paths.
const FolderItem& Folder(const QString& path) {
    auto& folders = Folders();
    if (folders.size() >= kKeptFolders && folders.count(path) == 0) folders.clear();
    return folders.try_emplace(path, path).first->second;
}

// Marked, so that a folder whose derived name is empty (a publisher such as
// "(Unknown)" gives none) still answers the empty part of its games' paths.
QString DerivedFolderKey(const QString& name) {
    return derived.folder ? QLatin1Char('/') + CaseFreeKey(derived.folder(name)) : QString();
}

QString DerivedFileKey(const QString& name) {
    return derived.file ? CaseFreeKey(derived.file(name)) : QString();
}

// The entries of `folder` that `part`, a file's name or a folder's, stands
// for, in the order they are tried.
QStringList Candidates(const QString& folder, const QString& part, bool file) {
    const FolderItem& item = Folder(folder);
    const QString key = CaseFreeKey(part);
    QStringList names = item.NamesWithKey(CaseFreeKey, key);
    const qsizetype exact = names.indexOf(part);
    if (exact > 0) names.move(exact, 0);
    names += file ? item.NamesWithKey(DerivedFileKey, key) : item.NamesWithKey(DerivedFolderKey, QLatin1Char('/') + key);
    names.removeDuplicates();
    return names;
}

// folder + "/" + the entries that parts[i..] stand for, or "" when there are
// none; the last part stands for a file or a folder as `lastIsFile` says.
// The listing answers for existence, so only a part that must be a folder
// costs a look at the disk.
QString Find(const QString& folder, const QStringList& parts, qsizetype i, bool lastIsFile) {
    const bool last = i + 1 == parts.size();
    const QStringList candidates = Candidates(folder, parts.at(i), last && lastIsFile);
    for (const QString& entry : candidates) {
        const QString path = folder + QLatin1Char('/') + entry;
        const bool more = &entry != &candidates.constLast();
        // A folder of the file's name ("Elite" beside "Elite (1984).ssd"),
        // or a FIFO, gives way to a later candidate; the one candidate costs
        // no look.
        if (last && lastIsFile) {
            if (more && !FolderItem(path).RegularFile()) continue;
            return path;
        }
        if (!QFileInfo(path).isDir()) continue;
        if (last) return path;
        QString found = Find(path, parts, i + 1, lastIsFile);
        if (!found.isEmpty()) return found;
    }
    return QString();
}

QString Lookup(const QString& base, const QString& relative, bool lastIsFile) {
    const QString exact = base + QLatin1Char('/') + relative;
    // Only what is sought there shortcuts the search: a folder named as the
    // file gives way to the other candidates, as it does among them.
    const FolderItem item(exact);
    if (lastIsFile ? item.RegularFile() : item.Directory()) return exact;
    const QString found = Find(base, relative.split(QLatin1Char('/')), 0, lastIsFile);
    return found.isEmpty() ? exact : found;
}

}  // namespace

QString CaseFreePath(const QString& base, const QString& relative) {
    return Lookup(base, relative, true);
}

QString CaseFreeFolderPath(const QString& base, const QString& relative) {
    return Lookup(base, relative, false);
}

namespace {

QString ComposedKey(const QString& name) {
    return name.normalized(QString::NormalizationForm_C);
}

}  // namespace

QString PathAsOnDisk(const QString& path) {
    if (!path.startsWith(QLatin1Char('/')) || QFileInfo::exists(path)) return path;
    QString found;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            found += QLatin1Char('/') + part;
            continue;
        }
        const QStringList names =
            Folder(found.isEmpty() ? QStringLiteral("/") : found).NamesWithKey(ComposedKey, ComposedKey(part));
        if (names.isEmpty()) return path;
        found += QLatin1Char('/') + (names.contains(part) ? part : names.first());
    }
    return found;
}

DerivedNames SetDerivedNames(DerivedNames names) {
    // Keys worked out by the names before would answer for the new ones.
    Folders().clear();
    return std::exchange(derived, names);
}
