#include "platform/FolderItem.h"

#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

FolderItem::FolderItem(QString path) : path_(std::move(path)) {
    while (path_.size() > 1 && path_.endsWith(QLatin1Char('/'))) path_.chop(1);
}

FolderItem FolderItem::FromShellPath(const QString& path) {
    return FolderItem(path);
}

bool FolderItem::IsValid() const {
    return !path_.isEmpty();
}

FolderItem FolderItem::Child(const QString& name) const {
    if (!IsValid()) return FolderItem();
    if (path_ == QLatin1String("/")) return FolderItem(path_ + name);
    return FolderItem(path_ + QLatin1Char('/') + name);
}

bool FolderItem::Exists() const {
    return IsValid() && QFileInfo::exists(path_);
}

bool FolderItem::Directory() const {
    return IsValid() && QFileInfo(path_).isDir();
}

QString FolderItem::DisplayName() const {
    return QFileInfo(path_).fileName();
}

QString FolderItem::ShellPath() const {
    return path_;
}

const QStringList& FolderItem::Listing() const {
    const QFileInfo info(path_);
    if (!IsValid() || !info.isDir()) {
        listing_.clear();
        listedAt_ = QDateTime();
        return listing_;
    }
    const QDateTime modified = info.lastModified();
    // A listing taken soon after a change could miss a second change that
    // falls within the clock's resolution, so only an older one is kept.
    if (listedAt_.isValid() && listedAt_ == modified && trusted_) return listing_;
    listing_ = QDir(path_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::NoSort);
    std::sort(listing_.begin(), listing_.end(), [](const QString& a, const QString& b) {
        const int c = TextCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    listedAt_ = modified;
    trusted_ = modified.msecsTo(QDateTime::currentDateTime()) > 2000;
    return listing_;
}

int FolderItem::Count() const {
    return int(Listing().size());
}

FolderItem FolderItem::Item(int i) const {
    const QStringList& names = Listing();
    if (i < 1 || i > names.size()) return FolderItem();
    return Child(names.at(i - 1));
}

QStringList FolderItem::NamesIgnoringCase(const QString& name) const {
    // The listing's order puts names equal but for case side by side.
    const QStringList& names = Listing();
    auto it = std::lower_bound(names.begin(), names.end(), name,
                               [](const QString& entry, const QString& n) { return TextCompare(entry, n) < 0; });
    QStringList found;
    for (; it != names.end() && TextCompare(*it, name) == 0; ++it) found << *it;
    return found;
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    return TextInputStream::Open(path_);
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile(QString* errorString) const {
    return TextOutputStream::Create(path_, errorString);
}

bool OpensForReading(const QString& shellPath) {
    // Opening reads nothing yet, and fails for an empty path, a missing item
    // and a folder alike.
    return FolderItem::FromShellPath(shellPath).OpenAsTextFile() != nullptr;
}
