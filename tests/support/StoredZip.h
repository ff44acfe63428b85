#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <cstdint>

// One member of a test zip. A member with a unix mode (type and permission
// bits, as in st_mode) is marked as made on unix, which is how zips carry
// folders, links and devices; without one it is a plain file made on DOS.
struct ZipMember {
    QByteArray name;  // taken as it is: absolute and "../" names included
    QByteArray data;  // a file's contents, or a link's target
    uint32_t unixMode = 0;
    int64_t declaredSize = -1;  // the size its headers give, when not the data's; zip64 past 4 GiB
    bool utf8Name = false;      // its name flagged as UTF-8, whatever its bytes
};

constexpr uint32_t kZipFolderMode = 040755;
constexpr uint32_t kZipSymlinkMode = 0120777;

// A zip archive whose members are stored uncompressed.
QByteArray StoredZipOf(const QList<ZipMember>& members);
// The same for plain files, given as (name, contents).
QByteArray StoredZip(const QList<QPair<QByteArray, QByteArray>>& members);
