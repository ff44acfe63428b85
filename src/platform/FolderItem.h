#pragma once

#include "platform/FileStamp.h"

#include <QString>
#include <QStringList>

#include <ctime>
#include <memory>
#include <utility>
#include <vector>

class TextInputStream;
class TextOutputStream;

// A file or folder named by its path, whether or not it exists.
class FolderItem {
public:
    FolderItem() = default;  // no item (the framework's nil)
    explicit FolderItem(QString path);
    // No item for the empty path.
    static FolderItem FromShellPath(const QString& path);

    bool IsValid() const;
    FolderItem Child(const QString& name) const;
    bool Exists() const;
    bool Directory() const;
    // True for a regular file, or a link to one: not a folder, a FIFO or a
    // device. Nothing is opened, so nothing waits.
    bool RegularFile() const;
    QString DisplayName() const;
    QString ShellPath() const;

    // The folder's entries, from 1, sorted by name (letter case ignored,
    // then by code), hidden ones included, "." and ".." left out. Item()
    // outside 1..Count() gives no item.
    int Count() const;
    FolderItem Item(int i) const;
    // The names of those entries in that order, as one listing. Each Item()
    // lists a folder that has changed again, which shifts the positions, so
    // a walk over the folder walks these.
    QStringList Names() const;
    // The entries whose key, by `key`, equals `value`, in listing order; an
    // entry whose key is "" matches nothing. The keys are worked out once for
    // each kept listing.
    using NameKey = QString (*)(const QString& name);
    QStringList NamesWithKey(NameKey key, const QString& value) const;
    // How many times the folder's entries have been read from the disk.
    int ListingReads() const { return reads_; }

    // nullptr when the item cannot be opened for reading.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // nullptr when the file cannot be created; `errorString` then says why.
    std::unique_ptr<TextOutputStream> CreateTextFile(QString* errorString = nullptr) const;

private:
    using KeyIndex = std::vector<std::pair<QString, int>>;  // (key, listing position), sorted

    const QStringList& Listing() const;
    bool Settled() const;

    QString path_;
    // The listing is kept while the folder's stamp stays the same, so that
    // lookups in a large folder list it once.
    mutable QStringList listing_;
    mutable bool listed_ = false;
    // Changes whenever the folder's entries do.
    mutable FileStamp stamp_;
    mutable qint64 stampSeenAt_ = 0;  // steady clock, ns
    mutable bool trusted_ = false;
    mutable int reads_ = 0;
    mutable std::shared_ptr<std::vector<std::pair<NameKey, KeyIndex>>> keys_;
};

// True when the shell path names an existing item that opens for reading as a
// text file; nothing of it is read.
bool OpensForReading(const QString& shellPath);
