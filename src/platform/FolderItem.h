#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

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
    QString DisplayName() const;
    QString ShellPath() const;

    // The folder's entries, from 1, sorted by name (letter case ignored,
    // then by code), hidden ones included, "." and ".." left out. Item()
    // outside 1..Count() gives no item.
    int Count() const;
    FolderItem Item(int i) const;
    // The entries whose names equal `name` with letter case ignored, in
    // listing order; looked up in the kept listing.
    QStringList NamesIgnoringCase(const QString& name) const;

    // nullptr when the item cannot be opened for reading.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // nullptr when the file cannot be created; `errorString` then says why.
    std::unique_ptr<TextOutputStream> CreateTextFile(QString* errorString = nullptr) const;

private:
    const QStringList& Listing() const;

    QString path_;
    // The listing is kept while the folder's modification time stays the
    // same, so that a loop over Item(1..Count()) lists a large folder once.
    mutable QStringList listing_;
    mutable QDateTime listedAt_;
    mutable bool trusted_ = false;
};

// True when the shell path names an existing item that opens for reading as a
// text file; nothing of it is read.
bool OpensForReading(const QString& shellPath);
