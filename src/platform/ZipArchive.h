#pragma once

#include <QString>
#include <QStringList>

// Unpacks the regular files and folders of the zip at zipPath into directory
// (which must exist), or into its sub-folder `below` (made when missing).
// All or nothing: the members are written into a private folder inside
// directory and moved into place only once every one is whole, the paths in
// `last` (relative to directory, letter case ignored) after all others; a
// failure leaves nothing of the zip behind, and files it had replaced come
// back. Should one not come back, the reason says where it is, and its
// private folder is kept: a later unpack removes only the private folders
// that a killed unpack left.
//
// A member's empty and "." path parts are dropped. Link and device members,
// absolute member paths, paths holding "..", and top-level names starting
// with ".corvale-unpacking" (the private folders' names) are skipped. A
// member path past the system's limits fails before anything is written. No
// member replaces an item of another kind: a folder member where a file or
// link stands, a file member where a folder stands, or any member below a
// link fails the call naming the path. A file member replaces a file or a
// link of its name (never writing through it). Files get mode 0644 and
// folders 0755, less the umask; owners are never set. False, with reason
// set, when the file is not a zip, is damaged (a member that does not hold
// the bytes it declares, a name that cannot be read), or a member could not
// be written or placed. A zip whose members were all unpacked or skipped gives
// true. The directory itself may lie below links, and its folders on other
// file systems; member names are kept as the zip's bytes.
bool UnpackZip(const QString& zipPath, const QString& directory, QString* reason,
               const QString& below = QString(), const QStringList& last = {});
